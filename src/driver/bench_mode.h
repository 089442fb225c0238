#pragma once
// `pbrain-vodaro bench [depth]`: a fixed set of positions searched to a fixed
// depth through the turn driver, with the node total as the search's signature.
// The total is the same on every machine and run; a change of the search's
// behaviour shows up as a new total.
#include <cstdint>

// Depth searched when no depth is given.
constexpr int BENCH_DEFAULT_DEPTH = 7;

// Number of positions in the bench set.
int benchPositionCount();

// Searches position i (0-based) to depth through turnDriver and returns its
// node count; the move found goes to bestX/bestY. Nothing is written.
int64_t searchBenchPosition(int i, int depth, int& bestX, int& bestY);

// Searches every position, writes one line per position, then
// "Nodes searched: N" and "Nodes/second: M". Returns N.
int64_t runBench(int depth);

// The command-line entry: args are the words after "bench". Returns the exit
// status (1 with an ERROR line for a depth that is not a number from 1 on).
int benchMain(int argc, const char* const* args);
