#pragma once
// Rows of move entries: each search thread's threat move list is made of them
// (threats/threat_thread.h).
#include "board/types.h"

// Sorts a row's first n entries by key, ascending. Rows hold a handful of
// threat moves, so an insertion sort in place beats anything cleverer and
// allocates nothing.
void sortRowByKey(MoveEntry* entries, int n);
