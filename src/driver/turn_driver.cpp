#include "driver/turn_driver.h"

#include <cstdlib>

#include "board/geometry.h"
#include "board/position.h"
#include "board/shape_queries.h"
#include "core/clock.h"
#include "core/game_state.h"
#include "core/output.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "core/signals.h"
#include "driver/game_setup.h"
#include "driver/iteration_timing.h"
#include "driver/preselection.h"
#include "driver/root_defence.h"
#include "driver/root_threats.h"
#include "driver/search_helpers.h"
#include "driver/table_preparation.h"
#include "driver/turn_limits.h"
#include "driver/turn_report.h"
#include "driver/turn_state.h"
#include "rules/forbidden.h"
#include "search/alpha_beta.h"
#include "search/root_report.h"
#include "search/search_params.h"
#include "search/search_state.h"
#include "search/search_thread.h"

namespace {

// The value recorded when the opponent has two fives: one of them cannot be blocked.
constexpr int UNSTOPPABLE_FIVES = -10000000;

// The driver's own list area for the five points it counts; no search runs
// while the shortcuts read it.
MoveEntry driverList[MAX_POINTS];

void setBestMove(int x, int y) {
    mainThread.root.bestX = x;
    mainThread.root.bestY = y;
}

// A point black may not play under Renju; five points are never forbidden.
bool forbiddenForUs(int colour, int x, int y) {
    Position& pos = mainThread.pos;
    return geometry.rule == RULE_RENJU && colour == BLACK && isForbidden(pos, x, y);
}

// An empty point of the board that no QVBLOCK bars (who-3 points are on the board).
bool playableReply(int x, int y) {
    return onBoard(x, y) && mainThread.pos.board[x][y] == EMPTY && !barredPoint(x, y);
}

// The first of the driver list's count points that the engine may play at all.
bool firstUnbarred(int count, int& x, int& y) {
    for (int i = 0; i < count; ++i) {
        x = driverList[i].x;
        y = driverList[i].y;
        if (!barredPoint(x, y)) return true;
    }
    return false;
}

// The first five point of colour, else its first playable open-four point,
// unless the opponent's five comes first (a proven win may pass through a
// block that made the opponent a four). Blocked points do not count: with
// nothing else the search finds the best other move.
bool findWinningPoint(int colour, int& x, int& y) {
    Position& pos = mainThread.pos;
    if (firstUnbarred(listFives(pos, driverList, colour), x, y)) return true;
    if (hasKind(pos, SET_FIVE, colour ^ 3)) return false;
    const int openFours = listOpenFours(pos, driverList, colour);
    return firstUnbarred(openFours, x, y) && !forbiddenForUs(colour, x, y);
}

// The last search proved a win: keep completing it without searching. When
// no five or open-four point is left, or the opponent's five must be blocked
// first, the full search takes over.
bool continueWin(int colour) {
    int x = 0;
    int y = 0;
    if (!findWinningPoint(colour, x, y)) return false;
    setBestMove(x, y);
    return true;
}

// The opponent threatens five and we cannot win first: block at once. Black
// under Renju never blocks on a forbidden point, and no one on a blocked
// point; the search then decides.
bool blockFive(int colour) {
    Position& pos = mainThread.pos;
    const int opponent = colour ^ 3;
    if (hasKind(pos, SET_FIVE, colour)) return false;
    const int fives = listFives(pos, driverList, opponent);
    int x = 0;
    int y = 0;
    if (!firstUnbarred(fives, x, y) || forbiddenForUs(colour, x, y)) return false;
    setBestMove(x, y);
    if (fives > 1) turnState.lastTurnValue = UNSTOPPABLE_FIVES;
    return true;
}

// The shortcuts of a built board; false sends the turn to the full search.
bool takeShortcut(int colour) {
    if (turnState.lastTurnValue - mainThread.control.rootDepth >= WIN_SCORE) return continueWin(colour);
    return blockFive(colour);
}

void takeBestLine() {
    const PvLine& pv = rootPrincipalVariation(mainThread);
    int n = pv.length;
    if (n > MAX_PLY) n = MAX_PLY;
    if (n < 0) n = 0;
    for (int i = 0; i < n; ++i) {
        turnState.bestLine[i][0] = pv.moves[i][0];
        turnState.bestLine[i][1] = pv.moves[i][1];
    }
    turnState.bestLineLength = n;
}

// Whether iteration d may start. Ends the deepening (false) on the time, stop,
// node and depth gates; with max_node -1 only a stop request or the depth
// limits end it.
bool mayStartIteration(int d, const IterationTiming& timing) {
    if (d >= 2) {
        const SearchControl& sc = mainThread.control;
        const int stop = brainSignals.stopRequest.load();
        const int stopAt = sc.turnStartTime + sc.turnBudget - searchStopMargin(sc.turnBudget);
        const bool inTime = nextIterationFits(timing, clockMs(), stopAt, sc.nodeCounter);
        const bool roomLeft = game.recordLength + d <= geometry.sizeX * geometry.sizeY;
        if (!(inTime && roomLeft && stop <= 0)) {
            if (settings.maxNode.load() != -1 || stop > 0) return false;
            return d <= iterationDepthLimit();
        }
    }
    if (nodeQuotaSpent()) return false;
    return d <= iterationDepthLimit();
}

// One iteration: from ASPIRATION_MIN_DEPTH on a narrow window around the last
// iteration's value first, opened fully on the side it fails on (a fail high
// names no move of its own: the full search that follows finds it first).
int aspirationSearch(int d, int value, int colour) {
    int lo = -ROOT_WINDOW, hi = ROOT_WINDOW;
    if (d >= ASPIRATION_MIN_DEPTH && !isDecided(value)) {
        lo = value - ASPIRATION_HALF_WIDTH;
        hi = value + ASPIRATION_HALF_WIDTH;
    }
    for (;;) {
        const int r = alphaBeta(mainThread, d, lo, hi, colour, 0);
        if (mainThread.control.searchStopFlag != 0) return r;
        if (r <= lo && lo > -ROOT_WINDOW) lo = -ROOT_WINDOW;
        else if (r >= hi && hi < ROOT_WINDOW) hi = ROOT_WINDOW;
        else return r;
    }
}

// Iterative deepening from the preselection's value; returns the turn's value.
int deepen(int colour, int value) {
    SearchControl& sc = mainThread.control;
    IterationTiming timing;
    resetIterationTiming(timing, clockMs(), sc.nodeCounter);
    for (int d = 1;; ++d) {
        sc.rootDepth = d;
        if (!mayStartIteration(d, timing)) break;
        mainThread.root.onlyMoveFlag = 0;
        const int keptX = mainThread.root.bestX;
        const int keptY = mainThread.root.bestY;
        const int64_t nodesBefore = sc.nodeCounter;
        const int r = aspirationSearch(d, value, colour);
        // A root without any acceptable move names no point, and the root's own
        // five or forced block may name a blocked point: keep the move we had.
        if (!playableReply(mainThread.root.bestX, mainThread.root.bestY)) setBestMove(keptX, keptY);
        if (sc.searchStopFlag != 0) {
            // A cut-short iteration counts only when its root had a usable result.
            if (r == 0) break;
            takeBestLine();
            value = r;
            writeIterationDetail(d, r, true);
            sc.rootDepth = d + 1;
            break;
        }
        recordIteration(timing, sc.nodeCounter - nodesBefore);
        takeBestLine();
        value = r;
        writeIterationDetail(d, r, false);
        if (isDecided(r) || (mainThread.root.onlyMoveFlag != 0 && d >= 5)) {
            sc.rootDepth = d + 1;
            break;
        }
    }
    return value;
}

// Black under Renju can be left with nothing but forbidden points: then no
// search names a point, and the reply is the first empty, unblocked point, so
// that the manager gets a move it can judge rather than no point at all.
void replaceMissingMove() {
    if (playableReply(mainThread.root.bestX, mainThread.root.bestY)) return;
    for (int px = 0; px < geometry.sizeX; ++px)
        for (int py = 0; py < geometry.sizeY; ++py)
            if (playableReply(px, py)) {
                setBestMove(px, py);
                return;
            }
}

}  // namespace

// Empty record: the centre, or the unblocked point nearest to it (sum of the
// coordinate distances, first in x-then-y order).
void chooseFirstMove() {
    const int cx = game.sizeX / 2;
    const int cy = game.sizeY / 2;
    setBestMove(cx, cy);
    // A degenerate extent names no point: the refusal of the move reports it.
    if (cx < 0 || cy < 0 || cx >= MAX_SIDE || cy >= MAX_SIDE) return;
    if (!barredPoint(cx, cy)) return;
    setBestMove(-1, -1);
    int bestDistance = std::abs(cy + 1) + std::abs(cx + 1);
    for (int x = 0; x < game.sizeX && x < MAX_SIDE; ++x) {
        for (int y = 0; y < game.sizeY && y < MAX_SIDE; ++y) {
            if (barredPoint(x, y)) continue;
            const int d = std::abs(x - cx) + std::abs(y - cy);
            if (d < bestDistance) {
                bestDistance = d;
                setBestMove(x, y);
            }
        }
    }
}

int searchBestMove(int colour, int startTime) {
    SearchControl& sc = mainThread.control;
    sc.turnStartTime = startTime;
    sc.searchStopFlag = 0;
    applyRule();
    tablesForTurn();
    int value = preselectMove(colour);
    // A depth limit of 0 asks for the preselection's move alone.
    const int proven = iterationDepthLimit() >= 1 ? proveRootWin(colour) : 0;
    if (proven > 0) {
        // The proof named its first move; the next turns prove the rest again.
        sc.rootDepth = 1;
        turnState.lastTurnValue = proven;
        sc.turnStartTime = clockMs() - sc.turnStartTime;
        return proven;
    }
    // A proof cut short by the clock leaves the first iteration its usual chance.
    sc.searchStopFlag = 0;
    if (VODARO_ROOT_DEFENCE && iterationDepthLimit() >= 1) refuteLosingRootMoves(colour);
    sc.searchStopFlag = 0;
    startHelpers(colour);
    value = deepen(colour, value);
    stopHelpers();
    clearRootRefuted(mainThread.state);
    sc.rootDepth -= 1;
    turnState.lastTurnValue = value;
    sc.turnStartTime = clockMs() - sc.turnStartTime;
    // A proven win at the root: play the five (or open four) itself.
    if (value - sc.rootDepth >= WIN_SCORE) {
        int x = 0;
        int y = 0;
        if (findWinningPoint(colour, x, y)) setBestMove(x, y);
    }
    replaceMissingMove();
    return value;
}

void turnDriver() {
    const int colour = sideToMove();
    const int startTime = takeTurnStartTime();
    resetTurnStatistics(mainThread.control);
    mainThread.control.turnBudget = computeTurnBudget();
    int value = 0;
    if (game.recordLength == 0) {
        chooseFirstMove();
        mainThread.control.turnStartTime = 0;
        value = turnState.lastTurnValue;
    } else if (game.appliedRule != -1 && takeShortcut(colour)) {
        mainThread.control.turnStartTime = 0;
        value = turnState.lastTurnValue;
    } else {
        value = searchBestMove(colour, startTime);
    }
    writeTurnReport(value);
    const int x = mainThread.root.bestX;
    const int y = mainThread.root.bestY;
    placeOwnStone(x, y);
    sendReply("%d,%d", x, y);
}
