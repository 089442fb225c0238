#pragma once
#include <cstdint>
// The main search: negamax alpha-beta with zero-window re-searches, table,
// internal iterative deepening, extension credit and threat-search cut-offs.

struct SearchThread;

// Root window of a full search: wider than any score, so the root's value is exact.
constexpr int ROOT_WINDOW = 100000000;

// Searches with thread t's position and work areas; the root's results land in t.root.
int alphaBeta(SearchThread& t, int depth, int alpha, int beta, int side, int credit);

// Zeroes thread t's visit stamps, ply node counters and per-game search state.
void resetSearchState(SearchThread& t);

// The principal-variation row of the root after a search: count and moves.
struct PvLine {
    int length;
    int16_t moves[400][2];
};
const PvLine& rootPrincipalVariation(const SearchThread& t);
