#include "core/search_control.h"

#include "core/clock.h"
#include "core/settings.h"
#include "core/signals.h"

void resetTurnStatistics(SearchControl& sc) {
    sc.nodeCounter = 0;
    sc.expandedNodeCounter = 0;
    sc.branchSum = 0;
    sc.lowestRemainingDepth = 0;
}

bool countNodeAndCheckLimits(SearchControl& sc) {
    ++sc.nodeCounter;
    if ((sc.nodeCounter & 1023) != 0) return false;
    const int maxNode = settings.maxNode.load(std::memory_order_relaxed);
    const int stop = brainSignals.stopRequest.load(std::memory_order_relaxed);
    const bool limit = (sc.nodeCounter >> 10) > static_cast<int64_t>(maxNode) ||
                       clockMs() + searchStopMargin(sc.turnBudget) - sc.turnStartTime >= sc.turnBudget || stop > 0;
    if (!limit) return false;
    if (maxNode != -1 || stop > 0) {
        sc.searchStopFlag = 1;
        return true;
    }
    return false;  // max_node -1: only a stop request ends the search
}
