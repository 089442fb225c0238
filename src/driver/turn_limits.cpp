#include "driver/turn_limits.h"

#include "core/search_control.h"
#include "core/settings.h"
#include "search/search_table.h"

int computeTurnBudget() {
    const int timeout = settings.timeoutTurn.load();
    const int share = settings.timeLeft.load() / 16;
    return timeout < share ? timeout : share;
}

void checkHashSize() {
    const int wanted = settings.hashSize.load();
    if (wanted == searchTableCount()) return;
    setHashEntryCount(wanted);
    resizeHashTables();
    clearHashTables();
}

bool nodeQuotaSpent() {
    const int maxNode = settings.maxNode.load();
    if (maxNode == -1 || maxNode >= 1000000000) return false;
    return 4 * (searchControl.nodeCounter / 1024) >= static_cast<int64_t>(maxNode);
}

int iterationDepthLimit() {
    const int maxDepth = settings.maxDepth.load();
    return maxDepth < MAX_ITERATION_DEPTH ? maxDepth : MAX_ITERATION_DEPTH;
}
