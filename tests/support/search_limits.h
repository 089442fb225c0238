#pragma once
// Test and benchmark helper: the searches' shared limits lifted (no node or
// time limit, no stop request) and the turn statistics zeroed, as a search of
// a position in isolation needs them.
#include "core/clock.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "core/signals.h"

namespace fixture {

inline void liftSearchLimits(SearchControl& sc, int rootDepth) {
    settings.maxNode = 2000000000;
    brainSignals.stopRequest = 0;
    resetTurnStatistics(sc);
    sc.searchStopFlag = 0;
    sc.turnBudget = 1 << 30;
    sc.turnStartTime = clockMs();
    sc.rootDepth = rootDepth;
}

}  // namespace fixture
