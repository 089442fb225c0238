#pragma once
// The root's MESSAGE REALTIME lines and the results it leaves in its thread's root result.
// Called by the alpha-beta search at its root node only.
#include "search/move_gen.h"

// The batch a root move came from.
struct RootBatch {
    const MoveEntry* row;
    int count;
    int phase;
};

// Before makeMove of the k-th move (x, y) of the batch; firstMove: no root move
// has been kept yet in this call.
void reportBeforeMove(const SearchNode& root, const RootBatch& batch, int k, bool firstMove);
// After unmakeMove of (x, y).
void reportAfterMove(const SearchNode& root, int x, int y);
// A searched (not stopped) root move's score against the best so far.
void reportScore(const SearchNode& root, int x, int y, int score, int best);
// The root's principal-variation row was just renewed.
void reportNewAlpha(const SearchNode& root);
// End of the root: best move, only-move flag, and LOSE lines when every move loses.
void finishRoot(const SearchNode& root, int keptX, int keptY, int nonLosingMoves, int best);
// The stop flag was found set after root move number searched (from 0). Returns the
// root's result: 0 when no usable result exists.
int stopRoot(const SearchNode& root, int searched, int keptX, int keptY, int best, int alpha);

// Root scores stay within the bounds of a win or loss seen at the root.
int clampRootScore(const SearchNode& root, int score);
