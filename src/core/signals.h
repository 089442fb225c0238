#pragma once
// Flags that cross between the main thread and the brain thread.
#include <atomic>

// The drivers a hand-over can run.
enum DriverKind : int {
    TURN_DRIVER = 0,     // TURN, BEGIN, BOARD
    BALANCE_DRIVER = 1,  // QVBALANCE
    SWAP2_DRIVER = 2,    // SWAP2BOARD
    NBEST_DRIVER = 3,    // QVNBEST
};

struct BrainSignals {
    std::atomic<int> stopRequest{0};              // 1 asks the running search to stop
    std::atomic<int> driverRequest{TURN_DRIVER};  // the next hand-over's driver; taken by it
    std::atomic<int> nbestCount{0};               // NBEST_DRIVER: the root moves asked for (QVNBEST)
};

extern BrainSignals brainSignals;
