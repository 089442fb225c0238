#include "driver/balance_driver.h"

#include <cstdlib>
#include <utility>

#include "board/geometry.h"
#include "board/position.h"
#include "core/clock.h"
#include "core/game_state.h"
#include "core/output.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "core/signals.h"
#include "driver/balance_pairs.h"
#include "driver/game_setup.h"
#include "driver/table_preparation.h"
#include "driver/turn_limits.h"
#include "driver/turn_state.h"
#include "search/alpha_beta.h"
#include "search/search_thread.h"

namespace {

// Below this many pairs the front pair is defended by narrow-window searches.
constexpr int SHORT_LIST = 32;

bool stopped() {
    return mainThread.control.searchStopFlag != 0;
}

int fullWindowValue(int colour) {
    return std::abs(
        alphaBeta(mainThread, mainThread.control.rootDepth, -ROOT_WINDOW, ROOT_WINDOW, colour, 0));
}

// Searches pair i after both its moves are made. Short lists first test
// whether the pair can beat the front pair at all (window -b ... b).
void searchPair(int colour, int n, int i) {
    BalancePair& pair = balancePairs[i];
    if (n >= SHORT_LIST || i == 0) {
        const int v = fullWindowValue(colour);
        if (!stopped()) pair.value = v;
        return;
    }
    const int bound = balancePairs[0].value;
    if (bound <= 0) return;  // the front pair is perfectly even already
    const int d = mainThread.control.rootDepth;
    const int v = std::abs(alphaBeta(mainThread, d, -bound, bound, colour, 0));
    if (stopped()) return;
    pair.value = v;
    if (v >= bound) return;
    const int exact = fullWindowValue(colour);
    if (stopped()) return;
    pair.value = exact;
    if (exact < balancePairs[0].value) std::swap(pair, balancePairs[0]);
}

// One iteration over the first n pairs. False when the search was stopped.
bool searchPairs(int colour, int n) {
    Position& pos = mainThread.pos;
    const int opponent = colour ^ 3;
    for (int i = 0; i < n; ++i) {
        // The record may change places with the front one: undo by the saved points.
        const int x1 = balancePairs[i].x1;
        const int y1 = balancePairs[i].y1;
        const int x2 = balancePairs[i].x2;
        const int y2 = balancePairs[i].y2;
        makeMove(pos, x1, y1, colour);
        makeMove(pos, x2, y2, opponent);
        searchPair(colour, n, i);
        unmakeMove(pos, x2, y2, opponent);
        unmakeMove(pos, x1, y1, colour);
        if (stopped()) return false;
        if (n < SHORT_LIST && balancePairs[0].value == 0) break;
    }
    return true;
}

// The gate before iteration d: false ends the deepening.
bool mayStartIteration(int d) {
    const int elapsed = clockMs() - mainThread.control.turnStartTime;
    const int stop = brainSignals.stopRequest.load();
    const bool outOfTime = 4 * static_cast<int64_t>(elapsed) >= mainThread.control.turnBudget;
    const bool noRoom = game.recordLength + 2 + d > geometry.sizeX * geometry.sizeY;
    if (outOfTime || noRoom || stop > 0) {
        if (settings.maxNode.load() != -1 || stop > 0) return false;
    } else if (nodeQuotaSpent()) {
        return false;
    }
    return d <= iterationDepthLimit();
}

void writePairLine(const char* head, int depth, int elapsed, int n) {
    const SearchControl& sc = mainThread.control;
    const int megaNodes = static_cast<int>(sc.nodeCounter / 1000000);
    const int selective = depth - sc.lowestRemainingDepth;
    if (n == 0) {
        // No pair at all (fewer than two empty points): nothing to name.
        sendReply("MESSAGE DETAIL %sDEPTH:%d-%d |VAL|:0 TIME:%dms NODE:%dm", head, depth, selective,
                  elapsed, megaNodes);
        return;
    }
    const BalancePair& front = balancePairs[0];
    const int value = front.value < 10000 ? front.value : 10000;
    const int sizeX = geometry.sizeX;
    sendReply("MESSAGE DETAIL %sDEPTH:%d-%d |VAL|:%d TIME:%dms NODE:%dm [%d,%c][%d,%c]", head,
              depth, selective, value, elapsed, megaNodes, notationNumber(sizeX, front.x1),
              notationLetter(front.y1), notationNumber(sizeX, front.x2), notationLetter(front.y2));
}

// Deepens over the pairs until a gate or a stop ends it.
void deepenOverPairs(int colour, int n) {
    SearchControl& sc = mainThread.control;
    for (int d = 1;; ++d) {
        sc.rootDepth = d;
        if (!mayStartIteration(d)) return;
        if (!searchPairs(colour, n)) return;
        sortPairs(n);
        n = thinnedCount(n, d, balancePairs[0].value);
        writePairLine("", d, clockMs() - sc.turnStartTime, n);
    }
}

}  // namespace

int rankBalancedPairs(int colour) {
    const int savedDetail = settings.showDetail.exchange(0);  // the root writes no progress lines
    SearchControl& sc = mainThread.control;
    sc.searchStopFlag = 0;
    sc.rootDepth = 0;
    const int n = buildPairList(colour);
    sortPairs(n);
    if (n > 0) {
        deepenOverPairs(colour, n);
        sc.rootDepth -= 1;  // the last iteration that ran to its end
    }
    settings.showDetail.store(savedDetail);
    return n;
}

void balanceDriver() {
    const int colour = sideToMove();
    SearchControl& sc = mainThread.control;
    resetTurnStatistics(mainThread.control);
    sc.turnBudget = computeTurnBudget();
    sc.turnStartTime = takeTurnStartTime();
    applyRule();
    tablesForTurn();
    const int n = rankBalancedPairs(colour);
    sc.turnStartTime = clockMs() - sc.turnStartTime;
    turnState.lastTurnValue = 0;
    writePairLine("(BALANCE MOVE) ", sc.rootDepth, sc.turnStartTime, n);
}
