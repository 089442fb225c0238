#pragma once
// Engine settings, set only by INFO lines on the main thread. The searches read
// several of them while they run, so every field the brain thread reads is atomic.
#include <atomic>

struct Settings {
    std::atomic<int> timeoutTurn{30000};     // ms per turn
    std::atomic<int> timeLeft{1000000000};   // ms left in the match
    std::atomic<int> maxDepth{400};          // highest iteration depth a driver starts
    std::atomic<int> maxNode{2000000000};    // node limit in units of 1024 nodes; -1 = no node/time limit
    std::atomic<int> cautionFactor{1};
    std::atomic<int> learnedOrder{1};        // non-zero: order moves by the fitted scores, where the build has them
    std::atomic<int> hashSize{524288};       // hash entry count of the transposition tables (>= 1)
    std::atomic<int> showDetail{0};
    std::atomic<int> threadNum{1};           // search threads as sent; the next search clamps it to 1 ... 64
    std::atomic<int> rule{0};                // as sent: the manager's bit flags (board/rule.h decodes them)
    // Stored and never used.
    std::atomic<int> maxMemory{0};
    std::atomic<int> timeoutMatch{1000000000};
    std::atomic<int> gameType{1};
    char folder[256] = {0};                  // main thread only
};

extern Settings settings;
