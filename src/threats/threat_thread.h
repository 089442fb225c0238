#pragma once
// The part of a search thread that the threat searches and the leaf evaluation
// work in: the thread's limits and counters, its threat move rows and their
// scratch areas. The alpha-beta search's thread extends it with its own.
#include "board/position.h"
#include "board/types.h"
#include "core/limits.h"
#include "core/search_control.h"
#include "threats/evaluate.h"
#include "threats/vct_search.h"

struct ThreatThread {
    SearchControl control;
    Position pos;  // the thread's own copy of the position it searches
    // Bumped whenever a node of the fours search gives up because the per-ply
    // rows ran out. A node compares it before and after its children: a "no
    // win" that rests on such a cut-off is not a finding and must not be stored.
    int rowCutoffs = 0;
    EvaluationScratch eval;
    VctState vct;
    // The threat move list: one row of move entries per ply, shared by the leaf
    // evaluation, the threat searches and the alpha-beta search. Row index =
    // root depth - remaining depth.
    MoveEntry moveRows[MAX_PLY][MOVE_ROW];
};
