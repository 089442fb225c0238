#pragma once
// One-ply scan before the deep search: every eligible point is tried and scored
// with the leaf evaluation, so that a move exists even when the first iteration
// is cut short.

// Writes the best point into mainThread.root and returns 0, or returns 1 (leaving
// mainThread.root as it was) when no point is eligible: occupied, blocked and, for
// black under Renju, forbidden points are skipped.
int preselectMove(int colour);

// Score of the position after colour's trial move, from colour's point of view.
int scoreTrialMove(int colour);

// Whether colour may play (x, y) on the built board: empty, not blocked and,
// for black under Renju, not forbidden.
bool mayPlay(int colour, int x, int y);
