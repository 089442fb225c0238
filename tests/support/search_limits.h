#pragma once
// Test and benchmark helper: the searches' shared limits lifted (no node or
// time limit, no stop request) and the turn statistics zeroed, as a search of
// a position in isolation needs them.
#include "core/clock.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "core/signals.h"

namespace fixture {

inline void liftSearchLimits(int rootDepth) {
    settings.maxNode = 2000000000;
    brainSignals.stopRequest = 0;
    resetTurnStatistics();
    searchControl.searchStopFlag = 0;
    searchControl.turnBudget = 1 << 30;
    searchControl.turnStartTime = clockMs();
    searchControl.rootDepth = rootDepth;
}

}  // namespace fixture
