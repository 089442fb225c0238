#include "driver/root_threats.h"

#include <algorithm>

#include "core/game_state.h"
#include "core/search_control.h"
#include "driver/turn_state.h"
#include "search/root_report.h"
#include "search/search_thread.h"
#include "threats/vct_search.h"

namespace {

// Attacker moves of a root proof: enough for the wins that decide games,
// few enough that a refutation comes back within the node share.
constexpr int ROOT_VCT_DEPTH = 7;

// Nodes per millisecond of turn budget a proof may spend, and the bounds of
// that share: a short turn still gets a useful proof, a long one leaves most
// of its time to the deep search.
constexpr int64_t NODES_PER_BUDGET_MS = 100;
constexpr int64_t LEAST_NODES = 20000;
constexpr int64_t MOST_NODES = 1000000;

}  // namespace

int64_t rootProofShare() {
    return std::clamp(static_cast<int64_t>(mainThread.control.turnBudget) * NODES_PER_BUDGET_MS, LEAST_NODES,
                      MOST_NODES);
}

int shortestProof(int colour, int maxDepth, int64_t& left, int& depth) {
    // Short wins come first and cheaply; the table carries the refutations of
    // one depth into the next.
    for (depth = 1; depth <= maxDepth && left > 0; ++depth) {
        const int v = vctSearch(mainThread, colour, VctBounds{depth, left, 0});
        left -= vctNodesSpent(mainThread);
        if (vctRanOut(mainThread) || mainThread.control.searchStopFlag) break;
        if (v > 0) return v;
    }
    depth = 0;
    return 0;
}

int proveRootWin(int colour) {
    if (!VODARO_ROOT_VCT) return 0;
    int64_t left = rootProofShare();
    int depth = 0;
    const int v = shortestProof(colour, ROOT_VCT_DEPTH, left, depth);
    int x = -1, y = -1;
    // A proof that starts on a blocked point is no use: the search finds another move.
    if (v <= 0 || !vctWinningMove(mainThread, x, y) || barredPoint(x, y)) return 0;
    mainThread.root.bestX = x;
    mainThread.root.bestY = y;
    turnState.bestLine[0][0] = static_cast<int16_t>(x);
    turnState.bestLine[0][1] = static_cast<int16_t>(y);
    turnState.bestLineLength = 1;
    return v;
}
