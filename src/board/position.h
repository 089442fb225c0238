#pragma once
// The position: cells, line words, incremental shape records, candidate sets,
// hash key and move list. Changed only by makeMove/unmakeMove and the trial moves.
#include <cstdint>

#include "board/types.h"
#include "core/limits.h"

struct Position {
    int board[MAX_SIDE][MAX_SIDE];  // cell codes [x][y]

    // Line words: two bits per point, point at line position p in bits 2p+8, 2p+9;
    // walls (code 3) at positions -1 and len. Indexed by x, y, x+y, x-y+n-1.
    uint64_t lineBits0[MAX_SIDE];
    uint64_t lineBits1[MAX_SIDE];
    uint64_t lineBits2[2 * MAX_SIDE];
    uint64_t lineBits3[2 * MAX_SIDE];

    // [plane][x][y]: planes 0-3 per direction, plane 4 the totals.
    ShapeInfo shapeInfo[5][MAX_SIDE][MAX_SIDE];
    // Per point and colour the four direction classes packed as the
    // combination-table index (k0 << 12) | (k1 << 8) | (k2 << 4) | k3; kept
    // with the records so that a class change needs one load, not four.
    uint16_t classKey[MAX_SIDE][MAX_SIDE][2];
    int32_t totalValue[2];
    int32_t totalRoom[2];

    // Candidate sets, three-level bit index per kind and colour.
    uint32_t setRows[5][2];                      // bit x
    uint32_t setCols[5][2][MAX_SIDE];            // bit y
    uint8_t setDirs[4][2][MAX_SIDE][MAX_SIDE];   // bit d (kinds 0-3)

    uint64_t hashKey;
    int32_t moveList[MAX_POINTS][2];  // stones of colours 1 and 2 in the order made
    int moveCount;
};

// Empty board of the current geometry; blocked filler points outside a
// rectangular board are made with code 3.
void resetBoard(Position& pos);

// c is 1, 2 or 3; the point must be on the board and empty.
void makeMove(Position& pos, int x, int y, int c);
// c must be the code that was made at (x, y); undo in reverse order.
void unmakeMove(Position& pos, int x, int y, int c);

// The same as makeMove/unmakeMove, except that the strong-point set (kind 4)
// is not kept: the mechanism behind the trial moves of the forbidden test and
// the threat search. Nothing reads kind 4 while such a stone is on the board.
void makeMoveKeepingNoStrongSet(Position& pos, int x, int y, int c);
void unmakeMoveKeepingNoStrongSet(Position& pos, int x, int y, int c);

// Recounts every incremental record from the stones and compares. Returns true
// when all agree; otherwise describes the first difference in `why` (if given).
// Checked: line words against `board`, hashKey, the move list, every class
// against the pattern table (or its long-line correction, or the initial class
// of a point no stone has come near), the totals records, the candidate sets
// (kind 4 only when checkStrongSet: trial moves leave it stale) and the two
// board-wide sums. Rooms are only range-checked: a room is refreshed only with
// a change of class, so it cannot be recounted from the stones.
bool checkConsistency(Position& pos, char* why = nullptr, int whyLen = 0,
                      bool checkStrongSet = true);
