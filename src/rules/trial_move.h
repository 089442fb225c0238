#pragma once
// Trial moves: full moves without the strong-point set upkeep, placed and removed
// by the forbidden test and the threat search.
#include "board/position.h"

inline void makeTrialMove(Position& pos, int x, int y, int c) {
    makeMoveKeepingNoStrongSet(pos, x, y, c);
}
inline void unmakeTrialMove(Position& pos, int x, int y, int c) {
    unmakeMoveKeepingNoStrongSet(pos, x, y, c);
}
