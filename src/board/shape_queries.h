#pragma once
// Read-outs of the candidate sets: each list query writes x and y of consecutive
// entries (keys untouched), in x then y order, and returns the count.
#include "board/position.h"
#include "board/types.h"

// Whether colour c has any point of the kind.
inline bool hasKind(const Position& pos, int kind, int c) { return pos.setRows[kind][c - 1] != 0; }

int listFives(Position& pos, MoveEntry* entries, int c);
int listOpenFours(Position& pos, MoveEntry* entries, int c);
int listFours(Position& pos, MoveEntry* entries, int c);
int listOpenThrees(Position& pos, MoveEntry* entries, int c);
int listStrongPoints(Position& pos, MoveEntry* entries, int c);
// Points in kind 2 or 3 of colour c that are not in kind 4.
int listFourOrThreePoints(Position& pos, MoveEntry* entries, int c);

// Five and open-four points of colour c among the 33 points of the wide pattern
// around (x, y), the point itself included. excludedRows (optional) masks out
// points per row: bit y of excludedRows[x].
int neighbourhoodCount(Position& pos, int x, int y, int c, const uint32_t* excludedRows = nullptr);

// First member (lowest x, then y) of a kind; false when the set is empty.
bool firstMember(Position& pos, int kind, int c, int& x, int& y);
