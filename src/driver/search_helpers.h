#pragma once
// Helper threads for a parallel search of the turn's root (lazy SMP): while the
// main thread deepens, each helper deepens the same position on its own copy
// and work areas. They share nothing but the transposition tables, where their
// deeper or differently ordered results reach the main thread, which alone
// decides the move, keeps the clock and writes every line.
//
// INFO thread_num counts all threads, the main one included; the pool takes
// the setting (clamped to 1 ... 64) when the next search starts it, so a search
// in progress keeps the threads it started with. With one thread nothing runs.

// Highest thread count; thread_num values outside 1 ... MAX_SEARCH_THREADS are clamped.
constexpr int MAX_SEARCH_THREADS = 64;

// The thread count a search started now would use.
int searchThreadCount();

// Starts the helpers on the main thread's position, side to move colour, with
// its root exclusions and turn budget. Call before the main thread deepens.
void startHelpers(int colour);

// Stops the helpers and waits until all of them are idle, then adds their nodes
// to the main thread's node counter. Does nothing when none run.
void stopHelpers();
