#include "rules/forbidden.h"

#include "board/geometry.h"
#include "board/position.h"
#include "board/types.h"
#include "rules/trial_move.h"

namespace {

int blackClass(Position& pos, int x, int y, int d) {
    return pos.shapeInfo[d][x][y].shape[0];
}

bool isThreeOrFour(int cls) { return cls >= SHAPE_THREE_SPLIT && cls <= SHAPE_FOUR_OPEN; }
bool isFour(int cls) { return cls >= SHAPE_FOUR && cls <= SHAPE_FOUR_OPEN; }

// The first point past the run of black stones that starts next to (x, y) in
// direction d, sense s. False when the run reaches the edge: that side has no end.
bool runEnd(Position& pos, int x, int y, int d, int s, int& ex, int& ey) {
    const int dx = DIR_DX[d] * s, dy = DIR_DY[d] * s;
    ex = x + dx;
    ey = y + dy;
    while (onBoard(ex, ey) && pos.board[ex][ey] == BLACK) {
        ex += dx;
        ey += dy;
    }
    return onBoard(ex, ey);
}

// Before the stone is placed: a four can be two fours in one line only when
// both ends of its run are already four points in that line.
bool bothEndsAreFourPoints(Position& pos, int x, int y, int d) {
    for (int s = 1; s >= -1; s -= 2) {
        int ex, ey;
        if (!runEnd(pos, x, y, d, s, ex, ey) || blackClass(pos, ex, ey, d) < SHAPE_FOUR)
            return false;
    }
    return true;
}

// With the stone placed: the end of the run on side s completes five.
bool endMakesFive(Position& pos, int x, int y, int d, int s) {
    int ex, ey;
    return runEnd(pos, x, y, d, s, ex, ey) && blackClass(pos, ex, ey, d) == SHAPE_FIVE;
}

// With the stone placed: the end on side s makes a straight four that black may play.
bool endMakesPlayableOpenFour(Position& pos, int x, int y, int d, int s) {
    int ex, ey;
    return runEnd(pos, x, y, d, s, ex, ey) && blackClass(pos, ex, ey, d) == SHAPE_FOUR_OPEN &&
           isForbidden(pos, ex, ey) == 0;
}

// Fours of one line through the stone at (x, y), counted by their five points.
// An open four has two five points but is one four.
int foursInLine(Position& pos, int x, int y, int d, int cls) {
    if (endMakesFive(pos, x, y, d, 1))
        return (cls == SHAPE_FOUR_OPEN || !endMakesFive(pos, x, y, d, -1)) ? 1 : 2;
    return endMakesFive(pos, x, y, d, -1) ? 1 : 0;
}

bool isRealThree(Position& pos, int x, int y, int d) {
    return endMakesPlayableOpenFour(pos, x, y, d, 1) || endMakesPlayableOpenFour(pos, x, y, d, -1);
}

// The trial stone is on the board at (x, y); cls holds the classes read before it.
bool countsDoubleThreat(Position& pos, int x, int y, const int cls[4]) {
    int fours = 0, threeLines = 0;
    for (int d = 0; d < 4; ++d) {
        if (isFour(cls[d]))
            fours += foursInLine(pos, x, y, d, cls[d]);
        else if (isThreeOrFour(cls[d])) ++threeLines;
    }
    if (fours >= 2) return true;
    if (threeLines < 2) return false;
    // Threes last: each one may recurse into its open-four points.
    int threes = 0;
    for (int d = 0; d < 4 && threes < 2; ++d)
        if (isThreeOrFour(cls[d]) && !isFour(cls[d]) && isRealThree(pos, x, y, d)) ++threes;
    return threes >= 2;
}

}  // namespace

int isForbidden(Position& pos, int x, int y) {
    int cls[4];
    int lines = 0, firstLine = -1, lastLine = -1;
    bool overline = false;
    for (int d = 0; d < 4; ++d) {
        cls[d] = blackClass(pos, x, y, d);
        if (cls[d] == SHAPE_FIVE) return 0;  // five wins, even beside an overline
        if (cls[d] == SHAPE_OVERLINE) overline = true;
        if (isThreeOrFour(cls[d])) {
            ++lines;
            if (firstLine < 0) firstLine = d;
            lastLine = d;
        }
    }
    if (overline) return 1;
    if (lines == 0) return 0;
    // Shortcuts that spare the trial stone where the classes already settle it.
    if (lines == 1) {
        int c = cls[firstLine];
        if (c < SHAPE_FOUR || c == SHAPE_FOUR_OPEN) return 0;
        if (!bothEndsAreFourPoints(pos, x, y, firstLine)) return 0;
    } else if (lines == 2 && isFour(cls[firstLine]) != isFour(cls[lastLine])) {
        // A four and a three are allowed unless the four is two fours in one line.
        int fourLine = isFour(cls[firstLine]) ? firstLine : lastLine;
        if (!bothEndsAreFourPoints(pos, x, y, fourLine)) return 0;
    }
    makeTrialMove(pos, x, y, BLACK);
    bool forbidden = countsDoubleThreat(pos, x, y, cls);
    unmakeTrialMove(pos, x, y, BLACK);
    return forbidden ? 1 : 0;
}
