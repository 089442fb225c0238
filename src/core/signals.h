#pragma once
// Flags that cross between the main thread and the brain thread.
#include <atomic>

struct BrainSignals {
    std::atomic<int> stopRequest{0};     // 1 asks the running search to stop
    std::atomic<int> balanceRequest{0};  // 1 makes the next hand-over run the balance driver
    std::atomic<int> nbestRequest{0};    // n > 0: the next hand-over ranks n root moves (QVNBEST)
};

extern BrainSignals brainSignals;
