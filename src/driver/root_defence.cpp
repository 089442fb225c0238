#include "driver/root_defence.h"

#include <algorithm>

#include "board/geometry.h"
#include "board/position.h"
#include "core/game_state.h"
#include "core/search_control.h"
#include "rules/forbidden.h"
#include "search/search_state.h"
#include "search/search_thread.h"
#include "threats/vct_search.h"

namespace {

// Attacker moves of the opponent's threat we look for: the same reach as our
// own root proofs.
constexpr int DEFENCE_DEPTH = 7;
#ifndef ROOT_DEFENCE_LEAST_DEPTH
#define ROOT_DEFENCE_LEAST_DEPTH 2
#endif

// Node share per millisecond of turn budget, and its bounds: the threat
// itself may take a quarter, the moves share the rest.
constexpr int64_t NODES_PER_BUDGET_MS = 100;
constexpr int64_t LEAST_NODES = 20000;
constexpr int64_t MOST_NODES = 1000000;
constexpr int64_t LEAST_NODES_PER_MOVE = 300;

// Points with a stone within two steps in x and y: a defence against a
// threat far from every stone does not exist.
bool nearStones(int x, int y) {
    Position& pos = mainThread.pos;
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy) {
            const int px = x + dx, py = y + dy;
            if (onBoard(px, py) && (pos.board[px][py] == BLACK || pos.board[px][py] == WHITE)) return true;
        }
    return false;
}

bool candidate(int x, int y, int colour) {
    Position& pos = mainThread.pos;
    if (pos.board[x][y] != EMPTY) return false;
    if (game.blockTable[x][y].load(std::memory_order_relaxed) != 0) return false;
    if (geometry.rule == RULE_RENJU && colour == BLACK && isForbidden(pos, x, y)) return false;
    return nearStones(x, y);
}

// The fewest attacker moves of the opponent's proven win if we passed, or 0.
int threatDepth(int opponent, int64_t& left) {
    for (int depth = 1; depth <= DEFENCE_DEPTH && left > 0; ++depth) {
        const int v = vctSearch(mainThread, opponent, VctBounds{depth, left, 0});
        left -= vctNodesSpent(mainThread);
        if (vctRanOut(mainThread) || mainThread.control.searchStopFlag) return 0;
        if (v > 0) return depth;
    }
    return 0;
}

}  // namespace

void refuteLosingRootMoves(int colour) {
    Position& pos = mainThread.pos;
    clearRootRefuted(mainThread.state);
    const int opponent = colour ^ 3;
    if (pos.setRows[SET_THREE][opponent - 1] == 0 && pos.setRows[SET_FOUR][opponent - 1] == 0) return;
    const int64_t share =
        std::clamp(static_cast<int64_t>(mainThread.control.turnBudget) * NODES_PER_BUDGET_MS, LEAST_NODES, MOST_NODES);
    int64_t threatLeft = share / 4;
    const int depth = threatDepth(opponent, threatLeft);
    // A threat of one move is an open three or four on the board: the deep
    // search's own defence phase answers it at once.
    if (depth < ROOT_DEFENCE_LEAST_DEPTH) return;

    int candidates = 0;
    for (int x = 0; x < geometry.sizeX; ++x)
        for (int y = 0; y < geometry.sizeY; ++y) candidates += candidate(x, y, colour);
    if (candidates == 0) return;
    const int64_t perMove = std::max(LEAST_NODES_PER_MOVE, (share - share / 4) / candidates);

    int refuted = 0;
    for (int x = 0; x < geometry.sizeX; ++x) {
        for (int y = 0; y < geometry.sizeY; ++y) {
            if (!candidate(x, y, colour)) continue;
            makeMove(pos, x, y, colour);
            // A move that makes our own five point forces the opponent first;
            // the proof sees that as a forced block.
            const int v = vctSearch(mainThread, opponent, VctBounds{depth, perMove, 0});
            unmakeMove(pos, x, y, colour);
            if (mainThread.control.searchStopFlag) {
                clearRootRefuted(mainThread.state);
                return;
            }
            if (v > 0) {
                mainThread.state.rootRefuted[x] |= 1u << y;
                ++refuted;
            }
        }
    }
    if (refuted == candidates) clearRootRefuted(mainThread.state);
}
