#include "search/root_ranking.h"

#include <algorithm>
#include <utility>

#include "board/geometry.h"
#include "board/position.h"
#include "search/alpha_beta.h"
#include "search/search_state.h"
#include "search/search_thread.h"

namespace {

// The ranked move with the root's principal variation; a root decided before
// any move was searched (a five to complete) has no line beyond the move.
void takeRankedLine(const SearchThread& t, RankedMove& m) {
    const PvLine& pv = rootPrincipalVariation(t);
    const bool fits = pv.length > 0 && pv.moves[0][0] == m.x && pv.moves[0][1] == m.y;
    m.lineLength = fits ? std::min(pv.length, MAX_PLY) : 1;
    if (!fits) {
        m.line[0][0] = static_cast<int16_t>(m.x);
        m.line[0][1] = static_cast<int16_t>(m.y);
        return;
    }
    for (int i = 0; i < m.lineLength; ++i) {
        m.line[i][0] = pv.moves[i][0];
        m.line[i][1] = pv.moves[i][1];
    }
}

// A move the root named that is new to this ranking.
bool newRankedMove(const SearchThread& t, int x, int y) {
    return onBoard(x, y) && t.pos.board[x][y] == EMPTY && !isRootRefuted(t.state, x, y);
}

// Best value first, search order among equals. A later rank can outscore an
// earlier one: the earlier search may have pruned it late in a longer list.
void sortByValue(RootRanking& r) {
    for (int i = 1; i < r.count; ++i)
        for (int j = i; j > 0 && r.moves[j].value > r.moves[j - 1].value; --j)
            std::swap(r.moves[j], r.moves[j - 1]);
}

}  // namespace

bool rankRootMoves(SearchThread& t, int depth, int side, int wanted, RootRanking& out) {
    out.count = 0;
    out.depth = depth;
    wanted = std::min(wanted, MAX_RANKED_MOVES);
    t.control.rootDepth = depth;
    clearRootRefuted(t.state);
    bool finished = true;
    while (out.count < wanted) {
        t.root.bestX = t.root.bestY = -1;
        const int value = alphaBeta(t, depth, -ROOT_WINDOW, ROOT_WINDOW, side, 0);
        if (t.control.searchStopFlag != 0) {
            finished = false;
            break;
        }
        const int x = t.root.bestX, y = t.root.bestY;
        if (!newRankedMove(t, x, y)) break;
        RankedMove& m = out.moves[out.count++];
        m.x = x;
        m.y = y;
        m.value = value;
        takeRankedLine(t, m);
        markRootRefuted(t.state, x, y);
    }
    clearRootRefuted(t.state);
    sortByValue(out);
    return finished;
}
