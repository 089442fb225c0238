#include "driver/turn_limits.h"

#include "core/search_control.h"
#include "core/settings.h"
#include "search/search_table.h"

int computeTurnBudget() {
    const int timeout = settings.timeoutTurn.load();
    const int share = settings.timeLeft.load() / 16;
    return timeout < share ? timeout : share;
}

bool timePlentiful(int timeLeft, int points, int recordLength, int budget) {
    int share = points - recordLength + 1;
    if (share < 1) share = 1;  // a record longer than the board must not divide by zero
    return timeLeft / share >= budget;
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
