#pragma once
// The referee's own board: placements, five detection and the Renju judge.
// It shares no code with the engine, so a fault on either side shows up as a
// disagreement instead of being repeated.

enum class Rule { FreeStyle, Standard, Renju, Caro };

constexpr int REF_MAX = 20;
constexpr int REF_EMPTY = 0;
constexpr int REF_BLACK = 1;  // moves first; under Renju the side with forbidden points
constexpr int REF_WHITE = 2;

struct RefBoard {
    int sizeX = 15;
    int sizeY = 15;
    int cell[REF_MAX][REF_MAX] = {};
    int stones = 0;

    void reset(int width, int height);
    bool onBoard(int x, int y) const { return x >= 0 && y >= 0 && x < sizeX && y < sizeY; }
    bool empty(int x, int y) const { return onBoard(x, y) && cell[x][y] == REF_EMPTY; }
    bool full() const { return stones >= sizeX * sizeY; }
    void put(int x, int y, int colour);
    void lift(int x, int y);
};

// Length of the run of colour through (x, y) along direction d (0..3), counting
// (x, y) itself as that colour whatever it holds.
int runThrough(const RefBoard& b, int x, int y, int d, int colour);

// True when the stone of colour just placed at (x, y) wins under rule: five or
// more in a row (free-style), exactly five (standard), exactly five for black
// and five or more for white (Renju), exactly five without opponent stones at
// both ends (Caro; the board's edge closes nothing).
bool makesWin(const RefBoard& b, int x, int y, int colour, Rule rule);

// Renju: true when black may not play the empty point (x, y). Exactly five wins
// and is never forbidden; otherwise an overline, two or more fours (two in one
// line count twice) or two or more real threes are forbidden. A three is real
// only if a point that turns it into a straight four is itself not forbidden.
bool renjuForbidden(RefBoard& b, int x, int y);
