#include "driver/turn_limits.h"

#include "core/clock.h"
#include "core/game_state.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "search/search_thread.h"

namespace {

// Games between engines rarely go past this many stones; the share of the match
// clock assumes the game ends around here, but never sooner than MIN_STONES_AHEAD.
constexpr int EXPECTED_GAME_STONES = 120;
constexpr int MIN_STONES_AHEAD = 40;

// Kept back from the match clock for what the engine does not control (the
// manager's reading and writing, process scheduling, the set-up of a turn
// before its clock starts): some milliseconds for every move the game could
// still need, were it to fill the board, and a twentieth of what is left. A
// move whose share has run out still takes about a millisecond (a first
// iteration and the reply); four per move leave room for a loaded machine
// without starving the moves of a short clock (10 left a 3 s clock on 20 by 20
// nothing to search with).
constexpr int RESERVE_PER_MOVE_MS = 4;
constexpr int RESERVE_DIVISOR = 20;

struct TurnRequest {
    int at = -1;  // clock of the pending request; -1 = none
};
TurnRequest turnRequest;

}  // namespace

void setTurnRequestTime(int ms) { turnRequest.at = ms; }

int takeTurnStartTime() {
    const int at = turnRequest.at;
    turnRequest.at = -1;
    return at >= 0 ? at : clockMs();
}

int expectedMovesToGo(int recordLength, int points) {
    int stones = EXPECTED_GAME_STONES - recordLength;
    if (stones < MIN_STONES_AHEAD) stones = MIN_STONES_AHEAD;
    const int empty = points - recordLength;
    if (stones > empty) stones = empty;
    const int moves = (stones + 1) / 2;
    return moves < 1 ? 1 : moves;
}

int turnBudgetFor(int timeoutTurn, int timeLeft, int recordLength, int points) {
    if (timeLeft <= 0) return 0;
    const int moves = expectedMovesToGo(recordLength, points);
    int mostMoves = (points - recordLength + 1) / 2;
    if (mostMoves < 1) mostMoves = 1;
    const int64_t reserve = static_cast<int64_t>(RESERVE_PER_MOVE_MS) * mostMoves + timeLeft / RESERVE_DIVISOR;
    int64_t usable = static_cast<int64_t>(timeLeft) - reserve;
    if (usable < 0) usable = 0;
    const int share = static_cast<int>(usable / moves);
    // The search stops its margin before the budget ends: a budget of the share
    // plus that margin spends the share itself. timeout_turn stays the hard limit.
    const int64_t budget = static_cast<int64_t>(share) + searchStopMargin(share);
    return budget < timeoutTurn ? static_cast<int>(budget) : timeoutTurn;
}

int computeTurnBudget() {
    return turnBudgetFor(settings.timeoutTurn.load(), settings.timeLeft.load(), game.recordLength,
                         game.sizeX * game.sizeY);
}

bool nodeQuotaSpent() {
    const int maxNode = settings.maxNode.load();
    if (maxNode == -1 || maxNode >= 1000000000) return false;
    const int64_t nodes = mainThread.control.nodeCounter + searchGroup.helperNodes.load(std::memory_order_relaxed);
    return 4 * (nodes / 1024) >= static_cast<int64_t>(maxNode);
}

int iterationDepthLimit() {
    const int maxDepth = settings.maxDepth.load();
    return maxDepth < MAX_ITERATION_DEPTH ? maxDepth : MAX_ITERATION_DEPTH;
}
