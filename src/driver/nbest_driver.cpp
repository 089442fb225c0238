#include "driver/nbest_driver.h"

#include <algorithm>

#include "board/geometry.h"
#include "core/clock.h"
#include "core/game_state.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "core/signals.h"
#include "driver/game_setup.h"
#include "driver/nbest_report.h"
#include "driver/preselection.h"
#include "driver/table_preparation.h"
#include "driver/turn_limits.h"
#include "driver/turn_state.h"
#include "search/root_ranking.h"
#include "search/search_thread.h"

static_assert(MAX_NBEST <= MAX_RANKED_MOVES);

namespace {

// The last completed iteration's ranking and the one in progress: written by
// the brain thread only, and too large for its stack.
RootRanking rankings[2];

// Points the side to move may play.
int playablePoints(int colour) {
    int n = 0;
    for (int x = 0; x < geometry.sizeX; ++x)
        for (int y = 0; y < geometry.sizeY; ++y) n += mayPlay(colour, x, y);
    return n;
}

// The gate before iteration d: a stop request, the budget (less the stopping
// margin) and the depth and node limits end the analysis; max_node -1 lifts
// the budget as for a turn.
bool mayStartIteration(int d) {
    const SearchControl& sc = mainThread.control;
    if (brainSignals.stopRequest.load() > 0 || nodeQuotaSpent()) return false;
    if (d > iterationDepthLimit() || game.recordLength + d > geometry.sizeX * geometry.sizeY) return false;
    // The first iteration always runs, as for a turn: the budget may be spent
    // already on waiting for the tables.
    if (d == 1 || settings.maxNode.load() == -1) return true;
    return clockMs() - sc.turnStartTime < sc.turnBudget - searchStopMargin(sc.turnBudget);
}

bool allProven(const RootRanking& r) {
    for (int i = 0; i < r.count; ++i)
        if (r.moves[i].value > -DECIDED && r.moves[i].value < DECIDED) return false;
    return true;
}

// Deepens until a gate ends it; returns the last completed ranking.
const RootRanking& deepen(int colour, int wanted) {
    rankings[0].count = 0;
    rankings[0].depth = 0;
    int done = 0;  // index of the last completed ranking
    for (int d = 1; wanted > 0 && mayStartIteration(d); ++d) {
        RootRanking& next = rankings[1 - done];
        if (!rankRootMoves(mainThread, d, colour, wanted, next)) {
            // A cut-short first iteration still names what it ranked.
            if (rankings[done].count == 0) done = 1 - done;
            break;
        }
        done = 1 - done;
        writeRankLines(next, colour);
        writeRankInfo(d);
        if (next.count == 0 || allProven(next)) break;
    }
    return rankings[done];
}

}  // namespace

void nbestDriver(int wanted) {
    // The root writes no MESSAGE REALTIME lines: each rank searches the root again.
    const int savedDetail = settings.showDetail.exchange(0);
    const int colour = sideToMove();
    SearchControl& sc = mainThread.control;
    resetTurnStatistics(sc);
    sc.turnBudget = computeTurnBudget();
    sc.turnStartTime = takeTurnStartTime();
    sc.searchStopFlag = 0;
    applyRule();
    tablesForTurn();
    wanted = std::min(std::clamp(wanted, 1, MAX_NBEST), playablePoints(colour));
    const RootRanking& last = deepen(colour, wanted);
    writeRankLines(last, colour);
    writeRankDone(last.depth);
    // No kept win for the next turn to play on from: that turn searches afresh.
    turnState.lastTurnValue = 0;
    sc.rootDepth = last.depth;
    settings.showDetail.store(savedDetail);
}
