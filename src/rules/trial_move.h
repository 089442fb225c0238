#pragma once
// Trial moves: full moves without the strong-point set upkeep, placed and removed
// by the forbidden test and the threat search.
#include "board/position.h"

inline void makeTrialMove(int x, int y, int c) { makeMoveKeepingNoStrongSet(x, y, c); }
inline void unmakeTrialMove(int x, int y, int c) { unmakeMoveKeepingNoStrongSet(x, y, c); }
