#include "search/move_gen.h"

#include <algorithm>

#include "board/geometry.h"
#include "board/order_scores_fitted.h"
#include "board/position.h"
#include "board/shape_queries.h"
#include "core/game_state.h"
#include "core/limits.h"
#include "core/settings.h"
#include "rules/forbidden.h"
#include "search/search_params.h"
#include "search/search_thread.h"
#include "threats/evaluate.h"
#include "threats/threat_search.h"

namespace {

inline int weightSum(Position& pos, int x, int y, int c) {
    return pos.shapeInfo[4][x][y].shape[c - 1];
}

// The learned order: the point's worth to the mover by its own classes plus,
// by the opponent's classes there, what taking it from the opponent is worth.
inline int learnedKey(const Position& pos, int x, int y, int side) {
    const int opp = side ^ 3;
    return -(tables.orderTable[side - 1][pos.classKey[x][y][side - 1]].own +
             tables.orderTable[opp - 1][pos.classKey[x][y][opp - 1]].opp);
}

inline bool isEligible(const SearchNode& node, int x, int y) {
    Position& pos = node.thread->pos;
    return pos.board[x][y] == EMPTY && !isTaken(node, x, y) && !isExcludedAtRoot(node, x, y);
}

// Directions in which colour c has shape class 3 (wide two) or more at (x, y).
inline int shapedDirections(Position& pos, int x, int y, int c) {
    int n = 0;
    for (int d = 0; d < 4; ++d) n += pos.shapeInfo[d][x][y].shape[c - 1] >= SHAPE_TWO_WIDE;
    return n;
}

inline int highestClass(Position& pos, int x, int y, int c) {
    int best = 0;
    for (int d = 0; d < 4; ++d) best = std::max<int>(best, pos.shapeInfo[d][x][y].shape[c - 1]);
    return best;
}

// A scan batch collects points from several passes; a point already in the batch
// is not written again, so the batch never outgrows its row.
struct ScanBatch {
    MoveEntry* row;
    int count = 0;
    bool listed[MAX_SIDE][MAX_SIDE] = {};

    void add(int x, int y) {
        if (listed[x][y]) return;
        listed[x][y] = true;
        row[count].x = static_cast<int16_t>(x);
        row[count].y = static_cast<int16_t>(y);
        ++count;
    }
};

// Second pass: points near strong own (8+) or opponent (9+) weight sums.
void addStrongPass(const SearchNode& node, ScanBatch& batch) {
    Position& pos = node.thread->pos;
    const int caution = settings.cautionFactor.load(std::memory_order_relaxed);
    const int opp = node.side ^ 3;
    for (int x = 0; x < geometry.sizeX; ++x)
        for (int y = 0; y < geometry.sizeY; ++y) {
            if (!isEligible(node, x, y)) continue;
            if (weightSum(pos, x, y, node.side) < SCAN_STRONG_OWN &&
                weightSum(pos, x, y, opp) < SCAN_STRONG_OPP)
                continue;
            if ((node.isRoot && caution != 0) || squareHasStone(pos, x, y)) batch.add(x, y);
        }
}

// Third pass: every point with a stone close by.
void addNeighbourPass(const SearchNode& node, ScanBatch& batch) {
    Position& pos = node.thread->pos;
    const int caution = settings.cautionFactor.load(std::memory_order_relaxed);
    const bool wide = node.isRoot && node.generated <= SCAN_PLY1_MOVES && caution != 0;
    for (int x = 0; x < geometry.sizeX; ++x)
        for (int y = 0; y < geometry.sizeY; ++y) {
            if (!isEligible(node, x, y)) continue;
            if (wide ? widePatternHasStone(pos, x, y) : squareHasStone(pos, x, y)) batch.add(x, y);
        }
}

int scanBatch(SearchNode& node) {
    Position& pos = node.thread->pos;
    const int caution = settings.cautionFactor.load(std::memory_order_relaxed);
    const int opp = node.side ^ 3;
    ScanBatch batch;
    batch.row = node.row;
    bool strongExist = false;
    for (int x = 0; x < geometry.sizeX; ++x)
        for (int y = 0; y < geometry.sizeY; ++y) {
            if (!isEligible(node, x, y)) continue;
            if (weightSum(pos, x, y, node.side) >= SCAN_STRONG_OWN ||
                weightSum(pos, x, y, opp) >= SCAN_STRONG_OPP)
                strongExist = true;
            if (shapedDirections(pos, x, y, 1) >= 2 || shapedDirections(pos, x, y, 2) >= 2)
                batch.add(x, y);
        }
    const bool quietCut = node.ply >= 2 && node.zeroWindow && caution < 3;
    if (quietCut && batch.count > 0 && node.alpha > -DECIDED) return batch.count;
    if (quietCut && node.generated > 0 && node.effectiveDepth <= SCAN_QUIET_CUT_DEPTH)
        return batch.count;

    if (strongExist) addStrongPass(node, batch);
    if (batch.count > 0) {
        const int total = node.generated + batch.count;
        if (caution == 0 || node.ply >= 2 ||
            (node.ply == 1 && total > SCAN_PLY1_ZERO_WINDOW_MOVES && node.zeroWindow) ||
            (node.ply == 1 && total > SCAN_PLY1_MOVES))
            return batch.count;
    }
    addNeighbourPass(node, batch);
    if (node.isRoot && node.generated == 0 && batch.count == 0) {
        for (int x = 0; x < geometry.sizeX; ++x)
            for (int y = 0; y < geometry.sizeY; ++y)
                if (isEligible(node, x, y)) batch.add(x, y);
    }
    return batch.count;
}

// Phase 2: the opponent threatens an open four. The batch holds its open-four points,
// the further defences against the three behind the first of them, and our own fours.
int defenceBatch(SearchNode& node, int& phase) {
    Position& pos = node.thread->pos;
    const int opp = node.side ^ 3;
    MoveEntry* row = node.row;
    const int openFours = listOpenFours(pos, row, opp);
    if (openFours == 0) return 0;
    int k = 0;
    bool allForbidden = false;
    if (geometry.rule == RULE_RENJU && node.side == WHITE) {
        while (k < openFours && isForbidden(pos, row[k].x, row[k].y)) ++k;
        if (k == openFours) {
            k = 0;
            allForbidden = true;
        }
    }
    int count = openFours;
    count += threeDefencePoints(pos, row + count, opp, row[k].x, row[k].y);
    count += listFours(pos, row + count, node.side);
    phase = allForbidden ? 2 : PHASE_DEFENCE_LAST;
    return count;
}

}  // namespace

double penaltyFactorFor(Position& pos, int staticValue, int side) {
    double f = penaltyScale(staticValue);
    if (staticValue >= PENALTY_ROOM_FREE_VALUE) return f;
    if (pos.totalRoom[side - 1] <= pos.totalRoom[(side ^ 3) - 1]) f += 0.1;
    return f;
}

namespace {

double penaltyFactor(SearchNode& node) {
    Position& pos = node.thread->pos;
    if (node.staticValue == NO_SCORE) {
        node.staticValue = evaluateLeaf(*node.thread, node.depth - 1, node.side);
        node.penaltyFactor = penaltyFactorFor(pos, node.staticValue, node.side);
    }
    return node.penaltyFactor;
}

}  // namespace

void initSearchNode(SearchNode& node, SearchThread& t, int depth, int alpha, int beta, int side,
                    int credit, int rootDepth, MoveEntry* row) {
    node.depth = depth;
    node.alpha = alpha;
    node.beta = beta;
    node.side = side;
    node.credit = credit;
    node.ply = rootDepth - depth;
    node.effectiveDepth = depth + (credit >> 1);
    node.isRoot = depth == rootDepth;
    node.zeroWindow = beta == alpha + 1;
    node.stamp = 0;
    // A node beyond the rows (ply out of range) is a leaf and never reads its stamps.
    node.stamps = node.ply >= 0 && node.ply < MAX_PLY ? t.state.visitStamp[node.ply] : nullptr;
    node.thread = &t;
    node.row = row;
    node.generated = 0;
    node.staticValue = NO_SCORE;
    node.penaltyFactor = 1000.0;
}

bool isTaken(const SearchNode& node, int x, int y) {
    return node.stamps[x][y] == node.stamp;
}

bool isExcludedAtRoot(const SearchNode& node, int x, int y) {
    return node.isRoot && (game.blockTable[x][y].load(std::memory_order_relaxed) != 0 ||
                           isRootRefuted(node.thread->state, x, y));
}

int tableBatch(SearchNode& node, const int* xs, const int* ys) {
    Position& pos = node.thread->pos;
    int count = 0;
    for (int i = 0; i < 3; ++i) {
        const int x = xs[i], y = ys[i];
        if (x == -1 || !onBoard(x, y) || pos.board[x][y] != EMPTY) continue;
        node.row[count].x = static_cast<int16_t>(x);
        node.row[count].y = static_cast<int16_t>(y);
        ++count;
    }
    return count;
}

int generateBatch(SearchNode& node, int& phase) {
    Position& pos = node.thread->pos;
    const int opp = node.side ^ 3;
    switch (phase) {
        case 1:
            return listStrongPoints(pos, node.row, node.side);
        case 2: return defenceBatch(node, phase);
        case 3:
            return listStrongPoints(pos, node.row, opp);
        case 4:
            return listFourOrThreePoints(pos, node.row, node.side);
        case 5:
            return listFourOrThreePoints(pos, node.row, opp);
        case PHASE_SCAN: return scanBatch(node);
        default: return 0;
    }
}

void keyBatch(SearchNode& node, int count) {
    Position& pos = node.thread->pos;
    const int opp = node.side ^ 3;
    const bool renjuBlack = geometry.rule == RULE_RENJU && node.side == BLACK;
    const bool learned =
        HAVE_FITTED_ORDER_SCORES && settings.learnedOrder.load(std::memory_order_relaxed) != 0;
    for (int i = 0; i < count; ++i) {
        MoveEntry& e = node.row[i];
        const int x = e.x, y = e.y;
        if (!onBoard(x, y) || pos.board[x][y] != EMPTY || isTaken(node, x, y) ||
            (renjuBlack && isForbidden(pos, x, y)) || isExcludedAtRoot(node, x, y)) {
            e.key = SKIP_KEY;
            continue;
        }
        node.stamps[x][y] = node.stamp;
        ++node.generated;
        e.key = learned ? learnedKey(pos, x, y, node.side)
                        : -(weightSum(pos, x, y, node.side) + (weightSum(pos, x, y, opp) >> 1));
    }
}

int compactBatch(MoveEntry* row, int count) {
    int kept = 0;
    for (int i = 0; i < count; ++i)
        if (row[i].key != SKIP_KEY) row[kept++] = row[i];
    return kept;
}

void sortBatch(MoveEntry* row, int count) {
    std::sort(row, row + count, [](const MoveEntry& a, const MoveEntry& b) { return a.key < b.key; });
}

int edgeWeight(int x, int y) {
    static constexpr int WEIGHTS[6] = {40, 40, 32, 26, 20, 15};
    const int i = std::min(x, geometry.sizeX - 1 - x);
    const int j = std::min(y, geometry.sizeY - 1 - y);
    return WEIGHTS[std::min(std::min(i, j), 5)];
}

MoveClass classifyMove(SearchNode& node, int x, int y) {
    Position& pos = node.thread->pos;
    const int side = node.side;
    const int u = weightSum(pos, x, y, side);
    if (u < EXTEND_MIN_SUM) return {0, 0};
    const int shaped = shapedDirections(pos, x, y, side);
    const int near = neighbourhoodCount(pos, x, y, side);
    int e = extensionClass(u, shaped, near);

    int base = 0;
    const int top = highestClass(pos, x, y, side);
    if (top >= SHAPE_FOUR) base = e == 1 ? PENALTY_FOUR_CLASS1 : (e == 2 ? PENALTY_FOUR_CLASS2 : 0);
    else if (top >= SHAPE_THREE_SPLIT)
        base = e == 1 ? PENALTY_THREE_CLASS1 : (e == 2 ? PENALTY_THREE_CLASS2 : 0);
    if (!node.zeroWindow) e = std::min(e + 1, 4);

    const int edge = edgeWeight(x, y);
    int v = base * edge / 40;
    if (v != 0 && edge >= PENALTY_MIN_EDGE) {
        v = roomScaledPenalty(v, pos.shapeInfo[4][x][y].room[side - 1]);
        v = static_cast<int>(v * penaltyFactor(node));
    }
    return {e, v};
}

bool latePrune(const SearchNode& node, int n, int phase, int extension, int best) {
    if (settings.cautionFactor.load(std::memory_order_relaxed) >= 2 || node.ply < LATE_PRUNE_MIN_PLY ||
        best <= -DECIDED || !node.zeroWindow || extension > 1 || phase < 4)
        return false;
    const int depth = std::max(node.effectiveDepth, 1);
    if (depth > 4) return false;
    const int moves = LATE_PRUNE_MOVES[depth][std::min(phase, PHASE_SCAN) - 4];
    return moves != 0 && n >= moves;
}

namespace {

// One row's window test: any stone or blocked point at columns first..first+count-1
// of row x (pointMask: two bits per point, bit 0 = column first).
inline bool rowWindowHasStone(Position& pos, int x, int first, int64_t pointMask) {
    if (x < 0 || x >= geometry.sizeX) return false;
    // Column c sits at bits 2c + 8 of the line word; the mask starts at column `first`.
    const int shift = 2 * first + 8;
    return shift >= 0 ? lineWindowMask(pos, x, shift, 0, pointMask) != 0
                      : lineWindowMask(pos, x, 0, -shift, pointMask) != 0;
}

constexpr int64_t FIVE_POINTS = 0x3FF;
constexpr int64_t SEVEN_POINTS = 0x3FFF;
constexpr int64_t THREE_APART = 0x30C3;  // columns 0, 3 and 6

}  // namespace

bool squareHasStone(Position& pos, int x, int y) {
    for (int r = x - 2; r <= x + 2; ++r)
        if (rowWindowHasStone(pos, r, y - 2, FIVE_POINTS)) return true;
    return false;
}

bool widePatternHasStone(Position& pos, int x, int y) {
    if (rowWindowHasStone(pos, x, y - 3, SEVEN_POINTS)) return true;
    for (int r = x - 2; r <= x + 2; ++r)
        if (r != x && rowWindowHasStone(pos, r, y - 2, FIVE_POINTS)) return true;
    return rowWindowHasStone(pos, x - 3, y - 3, THREE_APART) ||
           rowWindowHasStone(pos, x + 3, y - 3, THREE_APART);
}
