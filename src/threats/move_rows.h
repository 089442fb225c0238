#pragma once
// The threat move list: one row of move entries per ply, shared by the leaf
// evaluation, the threat search and the alpha-beta search. Row index =
// root depth - remaining depth.
#include "board/types.h"
#include "core/limits.h"

extern MoveEntry threatMoveList[MAX_PLY][MOVE_ROW];

// Sorts a row's first n entries by key, ascending. Rows hold a handful of
// threat moves, so an insertion sort in place beats anything cleverer and
// allocates nothing.
void sortRowByKey(MoveEntry* entries, int n);
