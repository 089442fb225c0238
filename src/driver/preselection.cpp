#include "driver/preselection.h"

#include "board/geometry.h"
#include "board/position.h"
#include "board/shape_queries.h"
#include "core/game_state.h"
#include "rules/forbidden.h"
#include "search/root_report.h"
#include "search/search_thread.h"
#include "threats/evaluate.h"

namespace {

constexpr int LOSING_MOVE = -9999999;

}  // namespace

bool mayPlay(int colour, int x, int y) {
    Position& pos = mainThread.pos;
    if (pos.board[x][y] != EMPTY) return false;
    if (barredPoint(x, y)) return false;
    return !(geometry.rule == RULE_RENJU && colour == BLACK && isForbidden(pos, x, y));
}

int scoreTrialMove(int colour) {
    Position& pos = mainThread.pos;
    const int opponent = colour ^ 3;
    // The opponent completes five next move.
    if (hasKind(pos, SET_FIVE, opponent)) return LOSING_MOVE;
    // No open four against us, or our own five comes first: the evaluation decides.
    if (hasKind(pos, SET_FIVE, colour) || !hasKind(pos, SET_OPEN_FOUR, opponent))
        return -evaluateLeaf(mainThread, 0, opponent);
    // An open four against us loses, unless black cannot play it under Renju.
    if (geometry.rule == RULE_RENJU && opponent == BLACK) {
        int fx = 0;
        int fy = 0;
        firstMember(pos, SET_OPEN_FOUR, opponent, fx, fy);
        if (isForbidden(pos, fx, fy)) return -evaluateLeaf(mainThread, 0, opponent);
    }
    return LOSING_MOVE;
}

int preselectMove(int colour) {
    Position& pos = mainThread.pos;
    int best = NO_SCORE;
    for (int x = 0; x < geometry.sizeX; ++x) {
        for (int y = 0; y < geometry.sizeY; ++y) {
            if (!mayPlay(colour, x, y)) continue;
            makeMove(pos, x, y, colour);
            const int score = scoreTrialMove(colour);
            unmakeMove(pos, x, y, colour);
            if (score > best) {  // ties keep the earlier point
                best = score;
                mainThread.root.bestX = x;
                mainThread.root.bestY = y;
            }
        }
    }
    return best == NO_SCORE ? 1 : 0;
}
