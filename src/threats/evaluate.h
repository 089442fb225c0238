#pragma once
#include <cstdint>

#include "board/types.h"
#include "core/limits.h"

struct ThreatThread;

// The evaluation's own lists and marks, one set per search thread.
struct EvaluationScratch {
    uint64_t counter = 0;                   // one value per call, never repeated within a game
    uint64_t seenMark[MAX_SIDE][MAX_SIDE];  // == counter: the point was listed in this call
    // Threat points of one colour: its fours, then its open threes. A point in
    // both kinds appears twice. Each kind has at most one entry per point.
    MoveEntry list[2 * MAX_POINTS];
};

// Static score of the current position for side (the side to move).
// remaining is the caller's remaining depth; the point lists live in a private
// buffer of the evaluation (room for both kinds of one colour, so no list can
// run past its end), and the threat move list is left untouched.
int evaluateLeaf(ThreatThread& t, int remaining, int side);

// Zeroes the evaluation counter and the seen marks (start of a game).
void resetEvaluationState(ThreatThread& t);
