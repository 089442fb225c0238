#pragma once
// What the searches need besides the board: the transposition tables at the
// size hash_size and max_memory ask for, resident, and the helper threads.
// Making them ready takes from milliseconds to a second (faulting in hundreds
// of MiB, making 3 MiB per helper), more than a short turn has: the brain
// thread does it between searches and leaves it for a search that arrives,
// and a turn searches with the tables and helpers as they are.
#include "threats/table_arrays.h"

// Inside a turn: the tables as they are, allocated first when there are none
// (which takes address space only), with at least their first few thousand
// entries resident (a few milliseconds at most); the rest is made resident
// after the reply.
void tablesForTurn();

// Between searches: gives the tables the entry count hashEntryTarget asks for
// (reallocating and clearing them when it changed), faults their pages in and
// makes or ends helpers, until done (true) or interrupted (false; the next
// call goes on). nullptr: never interrupted.
bool prepareTablesAndHelpers(TableWorkInterrupted interrupted);

// A search that must be reproducible (bench, labelled self-play): the tables
// prepared in full and emptied, the search state and the kept turn value reset,
// so that only the position decides what the search does.
void startReproducibleSearch();
