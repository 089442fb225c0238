#pragma once
// Limits and set-up steps shared by the turn driver and the balance driver.
#include "core/limits.h"

// Deepest iteration either driver starts, whatever max_depth says. The per-ply
// work areas hold MAX_PLY rows and the search turns nodes near the last row into
// leaves, so a nominal depth beyond half of the rows would only be cut short by
// that bound; keeping iterations here leaves the other half for forced blocks
// and extensions.
constexpr int MAX_ITERATION_DEPTH = MAX_PLY / 2;

// Root window of a full search.
constexpr int ROOT_WINDOW = 100000000;

// min(timeout_turn, time_left / 16), the time a turn may use.
int computeTurnBudget();

// Time is plentiful when the match time left, shared among the points still
// empty (plus one), covers a whole budget: iterations may then start late.
bool timePlentiful(int timeLeft, int points, int recordLength, int budget);

// Another iteration starts only while less than a quarter of the budget is
// spent, unless time is plentiful.
inline bool timeAllowsIteration(int elapsedMs, int budget, bool plentiful) {
    return plentiful || 4 * static_cast<long long>(elapsedMs) < budget;
}

// Reallocates and clears the transposition tables when hash_size changed.
void checkHashSize();

// True once a quarter of the node limit is spent: no further iteration starts.
bool nodeQuotaSpent();

// The deepest iteration allowed by max_depth and by the work areas.
int iterationDepthLimit();

// A score clamped to the -10000 ... 10000 range of the reports.
inline int reportedValue(int v) {
    return v > 10000 ? 10000 : (v < -10000 ? -10000 : v);
}

// Board notation of a point: the number sizeX - x, then the letter 'A' + y.
inline int notationNumber(int sizeX, int x) {
    return sizeX - x;
}
inline char notationLetter(int y) {
    return static_cast<char>('A' + y);
}
