#include "driver/win_distance.h"

#include "board/geometry.h"
#include "board/position.h"
#include "board/shape_queries.h"
#include "core/limits.h"
#include "rules/forbidden.h"

namespace {

// Stones from the end of the line to the five of side, the side to move there;
// 0 when side has no sure five.
int stonesToFiveFromHere(Position& pos, int side) {
    if (pos.setRows[SET_FIVE][side - 1] != 0) return 1;
    if (pos.setRows[SET_FIVE][(side ^ 3) - 1] != 0) return 0;  // a five to block comes first
    int x, y;
    if (!firstMember(pos, SET_OPEN_FOUR, side, x, y)) return 0;
    const bool forbidden = geometry.rule == RULE_RENJU && side == BLACK && isForbidden(pos, x, y);
    return forbidden ? 0 : 3;
}

}  // namespace

int stoneOfFiveAlongLine(Position& pos, const int16_t (*line)[2], int length, int colour) {
    // The search stops at the first node where the side to move has a sure
    // five, so the line ends there; only the root's own five or open-four point
    // is named as the ranked move with no line after it.
    int played = 0;
    int side = colour;
    int ahead = stonesToFiveFromHere(pos, side);
    while (ahead == 0 && played < length) {
        const int x = line[played][0], y = line[played][1];
        if (!onBoard(x, y) || pos.board[x][y] != EMPTY) break;
        makeMove(pos, x, y, side);
        ++played;
        side ^= 3;
        ahead = stonesToFiveFromHere(pos, side);
    }
    const int stone = ahead == 0 ? 0 : played + ahead;
    while (played > 0) {
        --played;
        side ^= 3;
        unmakeMove(pos, line[played][0], line[played][1], side);
    }
    return stone;
}
