#pragma once
// Static score of the current position for side (the side to move).
// Uses row (root depth - remaining) of the threat move list as scratch.
int evaluateLeaf(int remaining, int side);

// Zeroes the evaluation counter and the seen marks (start of a game).
void resetEvaluationState();
