#include "threats/evaluate.h"

#include <cstdint>
#include <cstring>

#include "board/combo_weights.h"
#include "board/geometry.h"
#include "board/position.h"
#include "board/shape_queries.h"
#include "board/types.h"
#include "core/limits.h"
#include "rules/forbidden.h"
#include "threats/leaf_weights.h"
#include "threats/threat_thread.h"

namespace {

constexpr int FREE_STYLE_FOUR_THREE = 9999994;

int listThreatPoints(ThreatThread& t, int c) {
    Position& pos = t.pos;
    int n = listFours(pos, t.eval.list, c);
    return n + listOpenThrees(pos, t.eval.list + n, c);
}

bool isFourPoint(Position& pos, int c, int x, int y) {
    return pos.setDirs[SET_FOUR][c - 1][x][y] != 0;
}

int roomSum(Position& pos, int c, int x, int y) {
    return pos.shapeInfo[4][x][y].room[c - 1];
}

bool isMarked(const uint32_t* mask, int x, int y) { return (mask[x] >> y) & 1; }

// Black's weight sum at a point black may not play: a bare point is worth more
// to white than one where black already holds a split three or better.
int forbiddenPointBonus(Position& pos, const LeafWeights& w, int x, int y) {
    return pos.shapeInfo[4][x][y].shape[0] < 158 ? w.forbiddenBare : w.forbiddenStrong;
}

// Directions in which colour c holds five or open-four points.
uint32_t threatDirections(ThreatThread& t, int c) {
    Position& pos = t.pos;
    uint32_t dirs = 0;
    int n = listFives(pos, t.eval.list, c);
    for (int i = 0; i < n; ++i) dirs |= pos.setDirs[SET_FIVE][c - 1][t.eval.list[i].x][t.eval.list[i].y];
    n = listOpenFours(pos, t.eval.list, c);
    for (int i = 0; i < n; ++i) dirs |= pos.setDirs[SET_OPEN_FOUR][c - 1][t.eval.list[i].x][t.eval.list[i].y];
    return dirs;
}

bool spansDirections(uint32_t dirs) { return (dirs & (dirs - 1)) != 0; }

}  // namespace

void resetEvaluationState(ThreatThread& t) {
    t.eval.counter = 0;
    std::memset(t.eval.seenMark, 0, sizeof t.eval.seenMark);
}

int evaluateLeaf(ThreatThread& t, int /*remaining*/, int side) {
    Position& pos = t.pos;
    const int opp = side ^ 3;
    const bool renju = geometry.rule == RULE_RENJU;
    const LeafWeights& w = leafWeights[comboWeightSet(renju)];
    uint32_t forbiddenMask[MAX_SIDE] = {};
    int score = pos.totalValue[side - 1] - pos.totalValue[opp - 1];
    ++t.eval.counter;

    // Own threat points: clustered five and open-four points make them worth more.
    int n = listThreatPoints(t, side);
    if (renju && side == BLACK)
        for (int i = 0; i < n; ++i)
            if (isForbidden(pos, t.eval.list[i].x, t.eval.list[i].y))
                forbiddenMask[t.eval.list[i].x] |= 1u << t.eval.list[i].y;
    const bool oppQuiet = pos.setRows[SET_FIVE][opp - 1] == 0 && pos.setRows[SET_OPEN_FOUR][opp - 1] == 0 &&
                          pos.setRows[SET_FOUR][opp - 1] == 0;
    for (int i = 0; i < n; ++i) {
        const int x = t.eval.list[i].x, y = t.eval.list[i].y;
        if (oppQuiet) {
            // Listed twice: a four and an open three meet here.
            if (t.eval.seenMark[x][y] == t.eval.counter) {
                if (geometry.rule == RULE_FREESTYLE) return FREE_STYLE_FOUR_THREE;
            } else {
                t.eval.seenMark[x][y] = t.eval.counter;
            }
        }
        const int offset = isFourPoint(pos, side, x, y) ? w.fourOffset : w.threeOffset;
        int k = neighbourhoodCount(pos, x, y, side, forbiddenMask) - offset;
        if (renju && side == BLACK && isMarked(forbiddenMask, x, y)) continue;
        score += roomSum(pos, side, x, y) * k * w.ownCluster / 32;
        if (renju && side == WHITE && isForbidden(pos, x, y)) score += forbiddenPointBonus(pos, w, x, y);
    }

    // The opponent's threat points, seen from the other side.
    int m = listThreatPoints(t, opp);
    if (m > 0) score += w.oppThreats;
    std::memset(forbiddenMask, 0, sizeof forbiddenMask);
    if (renju && side == WHITE) {
        int forbidden = 0;
        for (int i = 0; i < m; ++i) {
            if (isForbidden(pos, t.eval.list[i].x, t.eval.list[i].y)) {
                forbiddenMask[t.eval.list[i].x] |= 1u << t.eval.list[i].y;
                ++forbidden;
            }
        }
        if (m > 0 && forbidden == m) score -= w.allForbidden;  // black can play none of them
    }
    for (int i = 0; i < m; ++i) {
        const int x = t.eval.list[i].x, y = t.eval.list[i].y;
        const int offset = isFourPoint(pos, opp, x, y) ? w.fourOffset : w.threeOffset;
        int k = -neighbourhoodCount(pos, x, y, opp, forbiddenMask) + offset;
        if (renju && side == WHITE && isMarked(forbiddenMask, x, y)) continue;
        score += roomSum(pos, opp, x, y) * k * w.oppCluster / 32;
        if (renju && side == BLACK && isForbidden(pos, x, y)) score -= forbiddenPointBonus(pos, w, x, y);
    }

    // Room at the opponent's first winning point.
    int q = listFives(pos, t.eval.list, opp);
    if (q == 0) q = listOpenFours(pos, t.eval.list, opp);
    if (q > 0) score += roomSum(pos, opp, t.eval.list[0].x, t.eval.list[0].y) * w.oppWinRoom / 32;

    if (spansDirections(threatDirections(t, opp))) score -= w.oppSpread;
    if (spansDirections(threatDirections(t, side))) score += w.ownSpread;
    return score + w.tempo;
}
