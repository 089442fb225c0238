#pragma once
// Helper threads for a parallel search of the turn's root (lazy SMP): while the
// main thread deepens, each helper deepens the same position on its own copy
// and work areas. They share nothing but the transposition tables, where their
// deeper or differently ordered results reach the main thread, which alone
// decides the move, keeps the clock and writes every line.
//
// INFO thread_num counts all threads, the main one included. The searches use
// fewer when the machine has fewer cores (more threads than cores only take
// turns, and the last of them to see the stop delays the reply) or when no
// more helpers fit beside the tables under max_memory; the first search that
// does says so in a MESSAGE line. Helpers are made and ended between searches
// (resizeHelperPool), never inside a turn: a search runs with the helpers
// made so far. With one thread nothing runs.
#include "threats/table_arrays.h"

// Highest thread count; thread_num values outside 1 ... MAX_SEARCH_THREADS are clamped.
constexpr int MAX_SEARCH_THREADS = 64;

// The thread count the searches should use under the present settings.
int searchThreadCount();

// Makes or ends helpers, one at a time, until there are searchThreadCount() - 1
// of them. False when interrupted first; a later call goes on from there.
bool resizeHelperPool(TableWorkInterrupted interrupted);

// Starts the helpers made so far (as many as searchThreadCount() asks for) on
// the main thread's position, side to move colour, with its root exclusions
// and turn budget. Call before the main thread deepens.
void startHelpers(int colour);

// Stops the helpers and waits until all of them are idle, then adds their nodes
// to the main thread's node counter. Does nothing when none run.
void stopHelpers();
