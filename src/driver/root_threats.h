#pragma once
#include <cstdint>
// Continuous-threat proofs at the root of a turn: a win the threat search can
// prove is played at once, without the deep search.

// Whether the proofs run at all: the build's VODARO_ROOT_VCT option (off until
// games show a gain).
#ifndef VODARO_ROOT_VCT
#define VODARO_ROOT_VCT 0
#endif

// Tries to prove a win for colour by fours and threes. On success writes the
// first move of the win into mainThread.root and the turn's best line, and returns
// the win's score (decided, 10000000 + 400 - plies to the five); else 0.
int proveRootWin(int colour);

// Nodes a root proof may spend: a share of the turn budget, bounded both ways.
// It depends on the budget only, so that searches without time limits stay
// reproducible.
int64_t rootProofShare();

// Deepens colour's proof one attacker move at a time up to maxDepth within
// `left` nodes (reduced by what it spends). Returns the first proven win's
// score and sets `depth` to its attacker moves; 0 (depth 0) when no win is
// proven or the proof is cut short.
int shortestProof(int colour, int maxDepth, int64_t& left, int& depth);
