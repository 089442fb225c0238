#pragma once
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
