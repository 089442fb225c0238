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

SearchGroup searchGroup;

namespace {

bool helperMustStop(SearchControl& sc) {
    searchGroup.helperNodes.fetch_add(1024, std::memory_order_relaxed);
    if (searchGroup.helpersStop.load(std::memory_order_relaxed) == 0 &&
        brainSignals.stopRequest.load(std::memory_order_relaxed) <= 0)
        return false;
    sc.searchStopFlag = 1;
    return true;
}

}  // namespace

bool countNodeAndCheckLimits(SearchControl& sc) {
    ++sc.nodeCounter;
    if ((sc.nodeCounter & 1023) != 0) return false;
    if (sc.helper) return helperMustStop(sc);
    const int maxNode = settings.maxNode.load(std::memory_order_relaxed);
    const int stop = brainSignals.stopRequest.load(std::memory_order_relaxed);
    const int64_t nodes = sc.nodeCounter + searchGroup.helperNodes.load(std::memory_order_relaxed);
    const bool limit = (nodes >> 10) > static_cast<int64_t>(maxNode) ||
                       clockMs() + searchStopMargin(sc.turnBudget) - sc.turnStartTime >= sc.turnBudget || stop > 0;
    if (!limit) return false;
    if (maxNode != -1 || stop > 0) {
        sc.searchStopFlag = 1;
        return true;
    }
    return false;  // max_node -1: only a stop request ends the search
}
