#pragma once
// Per-ply work areas of the alpha-beta search: visit stamps, ply node counters
// and principal-variation rows. Each search thread has its own.
#include <cstdint>

#include "core/limits.h"
#include "search/alpha_beta.h"

struct SearchState {
    // A point is taken at the node of ply p when its stamp equals plyNodeCounter[p];
    // the counter rises before a node generates moves, so a zero stamp is never taken.
    uint64_t visitStamp[MAX_PLY][MAX_SIDE][MAX_SIDE];
    uint64_t plyNodeCounter[MAX_PLY];
    // Row p: the best line below the node at ply p, that node's move first.
    PvLine pvRows[MAX_PLY];
    // Bit y of word x: a root move the root skips as it skips blocked points:
    // one after which the opponent's win by threats is proven, or one that the
    // multi-line analysis has ranked already in this iteration.
    uint32_t rootRefuted[MAX_SIDE];
};

// Deepest ply that still gets a node of its own. A node at or beyond it is a leaf:
// its children would need row ply + 1 of every per-ply area, and forced blocks and
// the extension credit would otherwise carry a line past the last row. A few rows
// are left above it for the threat searches started at the deepest nodes.
constexpr int LAST_NODE_PLY = MAX_PLY - 8;

inline bool isRootRefuted(const SearchState& s, int x, int y) {
    return (s.rootRefuted[x] >> y) & 1u;
}
inline void markRootRefuted(SearchState& s, int x, int y) {
    s.rootRefuted[x] |= 1u << y;
}
inline void clearRootRefuted(SearchState& s) {
    for (uint32_t& word : s.rootRefuted) word = 0;
}

inline void clearPvRow(SearchState& s, int ply) {
    PvLine& row = s.pvRows[ply];
    row.length = 0;
    row.moves[0][0] = -1;
    row.moves[0][1] = -1;
}

// Row ply becomes (x, y) followed by row ply + 1.
inline void extendPvRow(SearchState& s, int ply, int x, int y) {
    PvLine& row = s.pvRows[ply];
    const PvLine& below = s.pvRows[ply + 1];
    int n = below.length;
    if (n > MAX_PLY - 1) n = MAX_PLY - 1;
    row.moves[0][0] = static_cast<int16_t>(x);
    row.moves[0][1] = static_cast<int16_t>(y);
    for (int i = 0; i < n; ++i) {
        row.moves[i + 1][0] = below.moves[i][0];
        row.moves[i + 1][1] = below.moves[i][1];
    }
    row.length = n + 1;
}
