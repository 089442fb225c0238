#include "board/pattern_table.h"

#include "board/geometry.h"
#include "board/window_rules.h"

// Window classes, one row of five window indices per (occupancy, L, R); the
// comment draws the occupancy (window positions 0-4) and the blocked ends.
// Rows are laid out as windowTableIndex expects; a unit test checks every
// entry against windowClassByRules.
const uint8_t windowClassTable[640] = {
     1,  1,  1,  1,  1,  // .....
     1,  3,  4,  5,  0,  // X....
     3,  4,  5,  0,  5,  // .X...
     6,  7,  8,  0,  0,  // XX...
     4,  5,  0,  5,  4,  // ..X..
     6,  7,  0,  8,  0,  // X.X..
     7,  8,  0,  0,  8,  // .XX..
    10, 11,  0,  0,  0,  // XXX..
     5,  0,  5,  4,  3,  // ...X.
     6,  0,  7,  7,  0,  // X..X.
     7,  0,  8,  0,  7,  // .X.X.
     9,  0, 11,  0,  0,  // XX.X.
     8,  0,  0,  8,  7,  // ..XX.
    10,  0,  0, 11,  0,  // X.XX.
    11,  0,  0,  0, 11,  // .XXX.
    12,  0,  0,  0,  0,  // XXXX.
     0,  5,  4,  3,  1,  // ....X
     0,  6,  6,  6,  0,  // X...X
     0,  7,  7,  0,  6,  // .X..X
     0,  9, 10,  0,  0,  // XX..X
     0,  8,  0,  7,  6,  // ..X.X
     0, 10,  0, 10,  0,  // X.X.X
     0, 11,  0,  0, 10,  // .XX.X
     0, 12,  0,  0,  0,  // XXX.X
     0,  0,  8,  7,  6,  // ...XX
     0,  0, 10,  9,  0,  // X..XX
     0,  0, 11,  0,  9,  // .X.XX
     0,  0, 12,  0,  0,  // XX.XX
     0,  0,  0, 11, 10,  // ..XXX
     0,  0,  0, 12,  0,  // X.XXX
     0,  0,  0,  0, 12,  // .XXXX
     0,  0,  0,  0,  0,  // XXXXX
     1,  1,  1,  1,  0,  // ..... L
     1,  2,  2,  2,  0,  // X.... L
     3,  4,  5,  0,  2,  // .X... L
     6,  6,  6,  0,  0,  // XX... L
     4,  5,  0,  5,  2,  // ..X.. L
     6,  6,  0,  6,  0,  // X.X.. L
     7,  8,  0,  0,  6,  // .XX.. L
     9,  9,  0,  0,  0,  // XXX.. L
     5,  0,  5,  4,  2,  // ...X. L
     6,  0,  6,  6,  0,  // X..X. L
     7,  0,  8,  0,  6,  // .X.X. L
     9,  0,  9,  0,  0,  // XX.X. L
     8,  0,  0,  8,  6,  // ..XX. L
    10,  0,  0,  9,  0,  // X.XX. L
    11,  0,  0,  0,  9,  // .XXX. L
    12,  0,  0,  0,  0,  // XXXX. L
     0,  5,  4,  3,  1,  // ....X L
     0,  6,  6,  6,  0,  // X...X L
     0,  7,  7,  0,  6,  // .X..X L
     0,  9,  9,  0,  0,  // XX..X L
     0,  8,  0,  7,  6,  // ..X.X L
     0, 10,  0,  9,  0,  // X.X.X L
     0, 11,  0,  0,  9,  // .XX.X L
     0, 12,  0,  0,  0,  // XXX.X L
     0,  0,  8,  7,  6,  // ...XX L
     0,  0, 10,  9,  0,  // X..XX L
     0,  0, 11,  0,  9,  // .X.XX L
     0,  0, 12,  0,  0,  // XX.XX L
     0,  0,  0, 11, 10,  // ..XXX L
     0,  0,  0, 12,  0,  // X.XXX L
     0,  0,  0,  0, 12,  // .XXXX L
     0,  0,  0,  0,  0,  // XXXXX L
     0,  1,  1,  1,  1,  // ..... R
     1,  3,  4,  5,  0,  // X.... R
     2,  4,  5,  0,  5,  // .X... R
     6,  7,  8,  0,  0,  // XX... R
     2,  5,  0,  5,  4,  // ..X.. R
     6,  7,  0,  8,  0,  // X.X.. R
     6,  8,  0,  0,  8,  // .XX.. R
    10, 11,  0,  0,  0,  // XXX.. R
     2,  0,  5,  4,  3,  // ...X. R
     6,  0,  7,  7,  0,  // X..X. R
     6,  0,  8,  0,  7,  // .X.X. R
     9,  0, 11,  0,  0,  // XX.X. R
     6,  0,  0,  8,  7,  // ..XX. R
     9,  0,  0, 11,  0,  // X.XX. R
     9,  0,  0,  0, 11,  // .XXX. R
    12,  0,  0,  0,  0,  // XXXX. R
     0,  2,  2,  2,  1,  // ....X R
     0,  6,  6,  6,  0,  // X...X R
     0,  6,  6,  0,  6,  // .X..X R
     0,  9, 10,  0,  0,  // XX..X R
     0,  6,  0,  6,  6,  // ..X.X R
     0,  9,  0, 10,  0,  // X.X.X R
     0,  9,  0,  0, 10,  // .XX.X R
     0, 12,  0,  0,  0,  // XXX.X R
     0,  0,  6,  6,  6,  // ...XX R
     0,  0,  9,  9,  0,  // X..XX R
     0,  0,  9,  0,  9,  // .X.XX R
     0,  0, 12,  0,  0,  // XX.XX R
     0,  0,  0,  9,  9,  // ..XXX R
     0,  0,  0, 12,  0,  // X.XXX R
     0,  0,  0,  0, 12,  // .XXXX R
     0,  0,  0,  0,  0,  // XXXXX R
     0,  0,  0,  0,  0,  // ..... L R
     1,  1,  1,  1,  0,  // X.... L R
     1,  1,  1,  0,  1,  // .X... L R
     6,  6,  6,  0,  0,  // XX... L R
     1,  1,  0,  1,  1,  // ..X.. L R
     6,  6,  0,  6,  0,  // X.X.. L R
     6,  6,  0,  0,  6,  // .XX.. L R
     9,  9,  0,  0,  0,  // XXX.. L R
     1,  0,  1,  1,  1,  // ...X. L R
     6,  0,  6,  6,  0,  // X..X. L R
     6,  0,  6,  0,  6,  // .X.X. L R
     9,  0,  9,  0,  0,  // XX.X. L R
     6,  0,  0,  6,  6,  // ..XX. L R
     9,  0,  0,  9,  0,  // X.XX. L R
     9,  0,  0,  0,  9,  // .XXX. L R
    12,  0,  0,  0,  0,  // XXXX. L R
     0,  1,  1,  1,  1,  // ....X L R
     0,  6,  6,  6,  0,  // X...X L R
     0,  6,  6,  0,  6,  // .X..X L R
     0,  9,  9,  0,  0,  // XX..X L R
     0,  6,  0,  6,  6,  // ..X.X L R
     0,  9,  0,  9,  0,  // X.X.X L R
     0,  9,  0,  0,  9,  // .XX.X L R
     0, 12,  0,  0,  0,  // XXX.X L R
     0,  0,  6,  6,  6,  // ...XX L R
     0,  0,  9,  9,  0,  // X..XX L R
     0,  0,  9,  0,  9,  // .X.XX L R
     0,  0, 12,  0,  0,  // XX.XX L R
     0,  0,  0,  9,  9,  // ..XXX L R
     0,  0,  0, 12,  0,  // X.XXX L R
     0,  0,  0,  0, 12,  // .XXXX L R
     0,  0,  0,  0,  0,  // XXXXX L R
};

namespace {

// The nine cell codes of a pattern code, position 0 first.
struct Cells {
    int code[9];
};

Cells unpack(int patternCode) {
    Cells cells;
    for (int p = 0; p < 9; ++p) cells.code[p] = (patternCode >> (2 * p)) & 3;
    return cells;
}

// Neighbour positions colour c can still use, counted outward from the point
// on each side up to the first opponent stone, blocked point or wall.
int roomFor(const Cells& cells, int c) {
    int room = 0;
    for (int p = 3; p >= 0 && (cells.code[p] == 0 || cells.code[p] == c); --p) ++room;
    for (int p = 5; p <= 8 && (cells.code[p] == 0 || cells.code[p] == c); ++p) ++room;
    return room;
}

// Caro: a window whose five would be six (an own stone next to it) or would have
// opponent stones at both ends can never win, so it makes no shape. A wall, a
// blocked point or an end beyond the nine points leaves the window alive here:
// walls do not close a Caro five, and makeMove settles the rest on the board.
bool caroWindowDead(int before, int after, int c) {
    const int opponent = c ^ 3;
    return before == c || after == c || (before == opponent && after == opponent);
}

}  // namespace

ShapeInfo classifyPoint(int code) {
    ShapeInfo info{};
    const int rule = geometry.rule;
    Cells cells = unpack(code);
    if (cells.code[4] != 0) return info;

    int best[3] = {0, 0, 0};
    bool overline[3] = {false, false, false};
    for (int i = 0; i < 5; ++i) {
        int all = 0;
        int occupancy = 0;
        for (int j = 0; j < 5; ++j) {
            all |= cells.code[i + j];
            if (cells.code[i + j] != 0) occupancy |= 1 << j;
        }
        if (all == 0 || all == 3) continue;  // no stone, or both colours / a blocked point
        int c = all;
        int opponent = c ^ 3;
        const int before = i > 0 ? cells.code[i - 1] : -1;  // -1: beyond the nine points
        const int after = i < 4 ? cells.code[i + 5] : -1;
        bool blockedLeft = before == -1 || before == opponent || before == BLOCKED;
        bool blockedRight = after == -1 || after == opponent || after == BLOCKED;
        int k = windowClassTable[windowTableIndex(occupancy, blockedLeft, blockedRight, i)];
        const bool longer = before == c || after == c;
        if (rule == RULE_CARO && caroWindowDead(before, after, c)) {
            if (k == SHAPE_FIVE && longer) overline[c] = true;
            continue;
        }
        if (k <= best[c]) continue;
        if (k == SHAPE_FIVE && longer && overlineLosesFor(rule, c)) overline[c] = true;
        best[c] = k;
    }
    for (int c = 1; c <= 2; ++c) {
        info.shape[c - 1] = static_cast<int16_t>(overline[c] ? SHAPE_OVERLINE : best[c]);
        info.room[c - 1] = static_cast<int16_t>(roomFor(cells, c));
    }
    return info;
}

void buildPatternTable() {
    for (int code = 0; code < (1 << 18); ++code) tables.patternTable[code] = classifyPoint(code);
    buildComboTables();
}
