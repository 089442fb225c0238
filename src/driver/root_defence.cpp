#include "driver/root_defence.h"

#include <algorithm>

#include "board/geometry.h"
#include "board/position.h"
#include "core/game_state.h"
#include "core/search_control.h"
#include "driver/root_threats.h"
#include "rules/forbidden.h"
#include "search/move_gen.h"
#include "search/search_state.h"
#include "search/search_thread.h"
#include "threats/vct_search.h"

namespace {

// Attacker moves of the opponent's threat we look for: the same reach as our
// own root proofs.
constexpr int DEFENCE_DEPTH = 7;
// Threats of fewer attacker moves are left to the deep search (see below).
constexpr int LEAST_THREAT_DEPTH = 2;

// The threat itself may take a quarter of the root proof's share; the
// candidate moves share the rest, each at least this much.
constexpr int64_t LEAST_NODES_PER_MOVE = 300;

// Our playable points with a stone close by: a defence against a threat far
// from every stone does not exist.
int listCandidates(Position& pos, MoveEntry* list, int colour) {
    int n = 0;
    for (int x = 0; x < geometry.sizeX; ++x)
        for (int y = 0; y < geometry.sizeY; ++y) {
            if (pos.board[x][y] != EMPTY || !squareHasStone(pos, x, y)) continue;
            if (game.blockTable[x][y].load(std::memory_order_relaxed) != 0) continue;
            if (geometry.rule == RULE_RENJU && colour == BLACK && isForbidden(pos, x, y)) continue;
            list[n].x = static_cast<int16_t>(x);
            list[n].y = static_cast<int16_t>(y);
            ++n;
        }
    return n;
}

MoveEntry candidates[MAX_POINTS];

}  // namespace

void refuteLosingRootMoves(int colour) {
    Position& pos = mainThread.pos;
    clearRootRefuted(mainThread.state);
    const int opponent = colour ^ 3;
    if (pos.setRows[SET_THREE][opponent - 1] == 0 && pos.setRows[SET_FOUR][opponent - 1] == 0) return;
    const int64_t share = rootProofShare();
    int64_t threatLeft = share / 4;
    int depth = 0;
    shortestProof(opponent, DEFENCE_DEPTH, threatLeft, depth);
    // A threat of one move is an open three or four on the board: the deep
    // search's own defence phase answers it at once.
    if (depth < LEAST_THREAT_DEPTH) return;

    const int n = listCandidates(pos, candidates, colour);
    if (n == 0) return;
    const int64_t perMove = std::max(LEAST_NODES_PER_MOVE, (share - share / 4) / n);
    int refuted = 0;
    for (int i = 0; i < n; ++i) {
        const int x = candidates[i].x, y = candidates[i].y;
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
            markRootRefuted(mainThread.state, x, y);
            ++refuted;
        }
    }
    if (refuted == n) clearRootRefuted(mainThread.state);
}
