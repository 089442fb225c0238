#pragma once
// Multi-line analysis at the root: the best few root moves of one depth, each
// with its exact value and line. Each rank is a full-window search of the root
// with the moves ranked before it skipped, so its value is exact for the best
// of the moves left.
#include <cstdint>

#include "core/limits.h"

struct SearchThread;

// Most root moves one ranking holds.
constexpr int MAX_RANKED_MOVES = 10;

struct RankedMove {
    int x = -1;
    int y = -1;
    int value = 0;      // the side to move's score, on the search's scale
    int lineLength = 0;  // moves of the line, the ranked move first
    int16_t line[MAX_PLY][2];
};

struct RootRanking {
    int count = 0;
    int depth = 0;  // the iteration depth the values belong to
    RankedMove moves[MAX_RANKED_MOVES];
};

// Ranks up to wanted (at most MAX_RANKED_MOVES) root moves of t's position at
// depth for side into out, best value first. Stops early when the root names no
// further move: an immediate win or a forced block leaves nothing else worth
// ranking, and a root may have fewer moves than asked. Returns false when the
// search was stopped; out then holds a partial ranking. The root's exclusions
// are cleared before and after.
bool rankRootMoves(SearchThread& t, int depth, int side, int wanted, RootRanking& out);
