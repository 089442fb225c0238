#include "threats/evaluate.h"

#include <cstdint>
#include <cstring>

#include "board/geometry.h"
#include "board/position.h"
#include "board/shape_queries.h"
#include "board/types.h"
#include "core/limits.h"
#include "rules/forbidden.h"
#include "threats/leaf_weights.h"

namespace {

struct EvaluationState {
    uint64_t counter = 0;                    // one value per call, never repeated within a game
    uint64_t seenMark[MAX_SIDE][MAX_SIDE];   // == counter: the point was listed in this call
    // Threat points of one colour: its fours, then its open threes. A point in
    // both kinds appears twice. Each kind has at most one entry per point.
    MoveEntry list[2 * MAX_POINTS];
};
EvaluationState eval;

constexpr int FREE_STYLE_FOUR_THREE = 9999994;

int listThreatPoints(int c) {
    int n = listFours(eval.list, c);
    return n + listOpenThrees(eval.list + n, c);
}

bool isFourPoint(int c, int x, int y) { return pos.setDirs[SET_FOUR][c - 1][x][y] != 0; }

int roomSum(int c, int x, int y) { return pos.shapeInfo[4][x][y].room[c - 1]; }

bool isMarked(const uint32_t* mask, int x, int y) { return (mask[x] >> y) & 1; }

// Black's weight sum at a point black may not play: a bare point is worth more
// to white than one where black already holds a split three or better.
int forbiddenPointBonus(const LeafWeights& w, int x, int y) {
    return pos.shapeInfo[4][x][y].shape[0] < 158 ? w.forbiddenBare : w.forbiddenStrong;
}

// Directions in which colour c holds five or open-four points.
uint32_t threatDirections(int c) {
    uint32_t dirs = 0;
    int n = listFives(eval.list, c);
    for (int i = 0; i < n; ++i) dirs |= pos.setDirs[SET_FIVE][c - 1][eval.list[i].x][eval.list[i].y];
    n = listOpenFours(eval.list, c);
    for (int i = 0; i < n; ++i) dirs |= pos.setDirs[SET_OPEN_FOUR][c - 1][eval.list[i].x][eval.list[i].y];
    return dirs;
}

bool spansDirections(uint32_t dirs) { return (dirs & (dirs - 1)) != 0; }

}  // namespace

void resetEvaluationState() {
    eval.counter = 0;
    std::memset(eval.seenMark, 0, sizeof eval.seenMark);
}

int evaluateLeaf(int /*remaining*/, int side) {
    const int opp = side ^ 3;
    const bool renju = geometry.rule == RULE_RENJU;
    const LeafWeights& w = leafWeights[renju ? 1 : 0];
    uint32_t forbiddenMask[MAX_SIDE] = {};
    int score = pos.totalValue[side - 1] - pos.totalValue[opp - 1];
    ++eval.counter;

    // Own threat points: clustered five and open-four points make them worth more.
    int n = listThreatPoints(side);
    if (renju && side == BLACK)
        for (int i = 0; i < n; ++i)
            if (isForbidden(eval.list[i].x, eval.list[i].y)) forbiddenMask[eval.list[i].x] |= 1u << eval.list[i].y;
    const bool oppQuiet = pos.setRows[SET_FIVE][opp - 1] == 0 && pos.setRows[SET_OPEN_FOUR][opp - 1] == 0 &&
                          pos.setRows[SET_FOUR][opp - 1] == 0;
    for (int i = 0; i < n; ++i) {
        const int x = eval.list[i].x, y = eval.list[i].y;
        if (oppQuiet) {
            // Listed twice: a four and an open three meet here.
            if (eval.seenMark[x][y] == eval.counter) {
                if (geometry.rule == RULE_FREESTYLE) return FREE_STYLE_FOUR_THREE;
            } else {
                eval.seenMark[x][y] = eval.counter;
            }
        }
        const int offset = isFourPoint(side, x, y) ? w.fourOffset : w.threeOffset;
        int k = neighbourhoodCount(x, y, side, forbiddenMask) - offset;
        if (renju && side == BLACK && isMarked(forbiddenMask, x, y)) continue;
        score += roomSum(side, x, y) * k * w.ownCluster / 32;
        if (renju && side == WHITE && isForbidden(x, y)) score += forbiddenPointBonus(w, x, y);
    }

    // The opponent's threat points, seen from the other side.
    int m = listThreatPoints(opp);
    if (m > 0) score += w.oppThreats;
    std::memset(forbiddenMask, 0, sizeof forbiddenMask);
    if (renju && side == WHITE) {
        int forbidden = 0;
        for (int i = 0; i < m; ++i) {
            if (isForbidden(eval.list[i].x, eval.list[i].y)) {
                forbiddenMask[eval.list[i].x] |= 1u << eval.list[i].y;
                ++forbidden;
            }
        }
        if (m > 0 && forbidden == m) score -= w.allForbidden;  // black can play none of them
    }
    for (int i = 0; i < m; ++i) {
        const int x = eval.list[i].x, y = eval.list[i].y;
        const int offset = isFourPoint(opp, x, y) ? w.fourOffset : w.threeOffset;
        int k = -neighbourhoodCount(x, y, opp, forbiddenMask) + offset;
        if (renju && side == WHITE && isMarked(forbiddenMask, x, y)) continue;
        score += roomSum(opp, x, y) * k * w.oppCluster / 32;
        if (renju && side == BLACK && isForbidden(x, y)) score -= forbiddenPointBonus(w, x, y);
    }

    // Room at the opponent's first winning point.
    int q = listFives(eval.list, opp);
    if (q == 0) q = listOpenFours(eval.list, opp);
    if (q > 0) score += roomSum(opp, eval.list[0].x, eval.list[0].y) * w.oppWinRoom / 32;

    if (spansDirections(threatDirections(opp))) score -= w.oppSpread;
    if (spansDirections(threatDirections(side))) score += w.ownSpread;
    return score + w.tempo;
}
