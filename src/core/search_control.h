#pragma once
// Turn statistics, limits and the stop flag of one search thread, shared by its
// threat search, its alpha-beta search and the drivers that run it.
#include <atomic>
#include <cstdint>

// The searches stop this long before the turn budget ends, leaving time to
// unwind, write the reports and the move, and for the scheduler of a busy
// machine: 30 ms and a fiftieth of the budget (50 ms of a one-second turn).
constexpr int SEARCH_STOP_MARGIN_MS = 30;
inline int searchStopMargin(int budgetMs) {
    return SEARCH_STOP_MARGIN_MS + (budgetMs > 0 ? budgetMs / 50 : 0);
}

struct SearchControl {
    int64_t nodeCounter = 0;          // alpha-beta and threat-search nodes this turn
    int64_t expandedNodeCounter = 0;  // alpha-beta nodes that reached move generation
    double branchSum = 0;             // moves searched at finished alpha-beta nodes, summed
    int lowestRemainingDepth = 0;     // least remaining depth the threat search met this turn
    int rootDepth = 0;                // nominal depth of the iteration in progress
    int turnBudget = 0;               // ms; searches stop searchStopMargin(budget) before it ends
    int turnStartTime = 0;            // ms
    int searchStopFlag = 0;           // 1 once a limit or a stop request ended the search
    bool helper = false;              // a helper thread: the main thread keeps the limits for it
};

// What the threads of one search share. Helpers add their nodes here every
// 1024 nodes, so that the main thread's node limit counts all threads, and
// stop once the main thread has decided the move.
struct SearchGroup {
    std::atomic<int64_t> helperNodes{0};
    std::atomic<int> helpersStop{0};
};
extern SearchGroup searchGroup;

// Zeroes the four turn statistics.
void resetTurnStatistics(SearchControl& sc);

// Counts one node and, once per 1024 nodes, checks the node limit (all
// threads' nodes), the time budget (less searchStopMargin) and the stop
// request; a helper checks only the stop request and the group's stop. Returns
// true when the search must stop; the search stop flag is then set.
bool countNodeAndCheckLimits(SearchControl& sc);
