#pragma once
// Static score of the current position for side (the side to move).
// remaining is the caller's remaining depth; the point lists live in a private
// buffer of the evaluation (room for both kinds of one colour, so no list can
// run past its end), and the threat move list is left untouched.
int evaluateLeaf(int remaining, int side);

// Zeroes the evaluation counter and the seen marks (start of a game).
void resetEvaluationState();
