#include "referee.h"

#include <initializer_list>

namespace {

constexpr int DX[4] = {0, 1, -1, 1};
constexpr int DY[4] = {1, 0, 1, 1};

// Stones of colour next to (x, y) in one sense of direction d.
int runFrom(const RefBoard& b, int x, int y, int dx, int dy, int colour) {
    int n = 0;
    for (x += dx, y += dy; b.onBoard(x, y) && b.cell[x][y] == colour; x += dx, y += dy) ++n;
    return n;
}

// The first point past the run of black stones from (x, y) in sense (dx, dy), if
// it is an empty point of the board.
bool emptyEnd(const RefBoard& b, int x, int y, int dx, int dy, int& ex, int& ey) {
    int n = runFrom(b, x, y, dx, dy, REF_BLACK) + 1;
    ex = x + n * dx;
    ey = y + n * dy;
    return b.empty(ex, ey);
}

// Black at the empty point (x, y) would make exactly five along d.
bool blackFivePoint(const RefBoard& b, int x, int y, int d) {
    return b.empty(x, y) && runThrough(b, x, y, d, REF_BLACK) == 5;
}

// With black stones on the board, the run through (x, y) along d is a straight
// four: exactly four stones with an exact-five point at each end.
bool straightFour(const RefBoard& b, int x, int y, int d) {
    if (runThrough(b, x, y, d, REF_BLACK) != 4) return false;
    int ax, ay, bx, by;
    return emptyEnd(b, x, y, DX[d], DY[d], ax, ay) && emptyEnd(b, x, y, -DX[d], -DY[d], bx, by) &&
           blackFivePoint(b, ax, ay, d) && blackFivePoint(b, bx, by, d);
}

// Fours made by the black stone at (x, y) along d: one per end of its run that
// completes exactly five, but a straight four counts once.
int foursAlong(const RefBoard& b, int x, int y, int d) {
    int fives = 0;
    for (int s : {1, -1}) {
        int ex, ey;
        if (emptyEnd(b, x, y, s * DX[d], s * DY[d], ex, ey) && blackFivePoint(b, ex, ey, d)) ++fives;
    }
    if (fives == 2 && runThrough(b, x, y, d, REF_BLACK) == 4) return 1;
    return fives;
}

// The black stone at (x, y) makes a real three along d: black at an end of its
// run would make a straight four, and that end is not itself forbidden.
bool realThreeAlong(RefBoard& b, int x, int y, int d) {
    for (int s : {1, -1}) {
        int ex, ey;
        if (!emptyEnd(b, x, y, s * DX[d], s * DY[d], ex, ey)) continue;
        b.put(ex, ey, REF_BLACK);
        bool four = straightFour(b, ex, ey, d);
        b.lift(ex, ey);
        if (four && !renjuForbidden(b, ex, ey)) return true;
    }
    return false;
}

// Caro: the run of colour through (x, y) along d has an opponent stone at both
// ends. A point off the board is no stone.
bool caroClosed(const RefBoard& b, int x, int y, int d, int colour) {
    const int opponent = colour == REF_BLACK ? REF_WHITE : REF_BLACK;
    for (int s : {1, -1}) {
        int n = runFrom(b, x, y, s * DX[d], s * DY[d], colour) + 1;
        int ex = x + n * s * DX[d], ey = y + n * s * DY[d];
        if (!b.onBoard(ex, ey) || b.cell[ex][ey] != opponent) return false;
    }
    return true;
}

}  // namespace

void RefBoard::reset(int width, int height) {
    sizeX = width;
    sizeY = height;
    for (auto& column : cell)
        for (int& c : column) c = REF_EMPTY;
    stones = 0;
}

void RefBoard::put(int x, int y, int colour) {
    cell[x][y] = colour;
    ++stones;
}

void RefBoard::lift(int x, int y) {
    cell[x][y] = REF_EMPTY;
    --stones;
}

int runThrough(const RefBoard& b, int x, int y, int d, int colour) {
    return 1 + runFrom(b, x, y, DX[d], DY[d], colour) + runFrom(b, x, y, -DX[d], -DY[d], colour);
}

bool makesWin(const RefBoard& b, int x, int y, int colour, Rule rule) {
    bool exact = rule == Rule::Standard || rule == Rule::Caro || (rule == Rule::Renju && colour == REF_BLACK);
    for (int d = 0; d < 4; ++d) {
        int n = runThrough(b, x, y, d, colour);
        if (rule == Rule::Caro && n == 5 && caroClosed(b, x, y, d, colour)) continue;
        if (n == 5 || (n > 5 && !exact)) return true;
    }
    return false;
}

bool renjuForbidden(RefBoard& b, int x, int y) {
    if (!b.empty(x, y)) return false;
    bool overline = false;
    for (int d = 0; d < 4; ++d) {
        int n = runThrough(b, x, y, d, REF_BLACK);
        if (n == 5) return false;  // five wins, whatever else the move makes
        if (n > 5) overline = true;
    }
    if (overline) return true;
    b.put(x, y, REF_BLACK);
    int fours = 0, threes = 0;
    for (int d = 0; d < 4; ++d) {
        int f = foursAlong(b, x, y, d);
        fours += f;
        if (f == 0 && realThreeAlong(b, x, y, d)) ++threes;
    }
    b.lift(x, y);
    return fours >= 2 || threes >= 2;
}
