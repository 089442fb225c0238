#include "search/alpha_beta.h"

#include <algorithm>

#include "board/geometry.h"
#include "board/position.h"
#include "board/shape_queries.h"
#include "board/zobrist.h"
#include "core/limits.h"
#include "core/search_control.h"
#include "rules/forbidden.h"
#include "search/move_gen.h"
#include "search/root_messages.h"
#include "search/root_report.h"
#include "search/search_params.h"
#include "search/search_state.h"
#include "search/search_thread.h"
#include "search/search_table.h"
#include "threats/evaluate.h"
#include "threats/move_rows.h"
#include "threats/threat_search.h"

namespace {

inline uint32_t keyLow(Position& pos) {
    return static_cast<uint32_t>(pos.hashKey);
}
inline uint32_t keyHigh(Position& pos) {
    return static_cast<uint32_t>(pos.hashKey >> 32);
}

// The three best moves of a node with their keeping scores, best first.
struct KeptMoves {
    int x[3] = {-1, -1, -1};
    int y[3] = {-1, -1, -1};
    int score[3] = {NO_SCORE, NO_SCORE, NO_SCORE};

    void put(int slot, int mx, int my, int q) {
        x[slot] = mx;
        y[slot] = my;
        score[slot] = q;
    }
    void offer(int mx, int my, int q) {
        if (q > score[0]) {
            put(2, x[1], y[1], score[1]);
            put(1, x[0], y[0], score[0]);
            put(0, mx, my, q);
        } else if (q > score[1]) {
            put(2, x[1], y[1], score[1]);
            put(1, mx, my, q);
        } else if (q > score[2]) {
            put(2, mx, my, q);
        }
    }
};

void storeNode(const SearchNode& node, int score, int boundType, const KeptMoves* kept) {
    Position& pos = node.thread->pos;
    if (kept == nullptr) {
        storeSearchTable(pos, node.effectiveDepth, score, boundType, node.side, -1, -1, -1, -1, -1,
                         -1);
        return;
    }
    storeSearchTable(pos, node.effectiveDepth, score, boundType, node.side, kept->x[0], kept->y[0],
                     kept->x[1], kept->y[1], kept->x[2], kept->y[2]);
}

// Side has an open four that wins: under Renju black's first open-four point must
// also be playable.
bool hasWinningOpenFour(Position& pos, int side) {
    if (pos.setRows[SET_OPEN_FOUR][side - 1] == 0) return false;
    if (geometry.rule != RULE_RENJU || side != BLACK) return true;
    int x, y;
    firstMember(pos, SET_OPEN_FOUR, side, x, y);
    return isForbidden(pos, x, y) == 0;
}

// A win on the board: at the root the winning point becomes the best move, so that
// the root never leaves a stale move behind when it returns at once.
int winAtOnce(SearchThread& t, int depth, int kind, int side) {
    Position& pos = t.pos;
    if (depth == t.control.rootDepth) {
        int x, y;
        if (firstMember(pos, kind, side, x, y)) {
            t.root.bestX = x;
            t.root.bestY = y;
        }
    }
    return WIN_SCORE + depth;
}

// The child's first probes (the search table, then the fours search's table)
// load while the move is made: the board update hides most of their latency.
void prefetchChildTables(const Position& pos, int x, int y, int side) {
    const uint64_t key = pos.hashKey ^ tables.zobristKeys[zobristIndex(x, y, side)];
    prefetchSearchTable(side ^ 3, key);
    prefetchThreatSearch(side ^ 3, key);
}

// Static value of a node that is too deep for a node of its own.
int deepLeafValue(SearchThread& t, int ply, int side) {
    const int row = std::clamp(ply, 0, LAST_NODE_PLY);
    return evaluateLeaf(t, t.control.rootDepth - row, side);
}

// Everything the move loop of one node carries from move to move.
struct NodeRun {
    SearchNode node;
    KeptMoves kept;
    int best = NO_SCORE;
    int boundType = 1;
    int nonLosingRootMoves = 0;
};

enum class LoopEnd { Continue, Pruned, Return };

// Phase 0: the table's moves, after an internal iterative deepening search when the
// table knows none. Returns false when the node must return `result` at once.
bool tableMoves(NodeRun& run, int& count, int& result) {
    Position& pos = run.node.thread->pos;
    SearchNode& node = run.node;
    int xs[3] = {-1, -1, -1}, ys[3] = {-1, -1, -1};
    probeSearchTable(1, node.alpha, node.beta, node.side, keyLow(pos), keyHigh(pos), xs, ys, 3);
    count = tableBatch(node, xs, ys);
    if (count > 0) return true;
    const int minDepth = node.zeroWindow ? IID_MIN_DEPTH_ZERO_WINDOW : IID_MIN_DEPTH_PV;
    if (node.effectiveDepth < minDepth) return true;
    const int v = alphaBeta(*node.thread, node.depth - iidReduction(node.effectiveDepth, node.zeroWindow),
                            node.alpha, node.beta, node.side, node.credit);
    if (node.thread->control.searchStopFlag) {
        result = 0;
        return false;
    }
    if (v >= node.beta && v > DECIDED && !node.isRoot) {
        storeNode(node, v, 3, nullptr);
        result = v;
        return false;
    }
    xs[0] = xs[1] = xs[2] = ys[0] = ys[1] = ys[2] = -1;
    probeSearchTable(1, node.alpha, node.beta, node.side, keyLow(pos), keyHigh(pos), xs, ys, 3);
    count = tableBatch(node, xs, ys);
    return true;
}

// The child search of one move, with principal-variation re-search at PV nodes.
int searchChild(const SearchNode& node, int n, int penalty, int extension) {
    const int d = node.depth - 1, opp = node.side ^ 3, credit = node.credit + extension;
    const int alpha = node.alpha, beta = node.beta;
    SearchThread& t = *node.thread;
    if (n == 0 || node.zeroWindow)
        return penalty - alphaBeta(t, d, penalty - beta, penalty - alpha, opp, credit);
    int score = penalty - alphaBeta(t, d, penalty - alpha - 1, penalty - alpha, opp, credit);
    if (score > alpha && score < beta && !t.control.searchStopFlag)
        score = penalty - alphaBeta(t, d, penalty - beta, penalty - alpha, opp, credit);
    return score;
}

// At PV nodes a quiet move that starts a winning chain of fours earns more credit.
int threatExtension(const SearchNode& node, int extension, int weightSumBefore) {
    const int lowest = -((THREAT_EXTENSION_HALF_DEPTHS * node.thread->control.rootDepth) / 2);
    if (node.zeroWindow || node.depth < lowest) return extension;
    if (weightSumBefore < THREAT_EXTENSION_MIN_SUM || weightSumBefore >= EXTEND_MIN_SUM) return extension;
    const int r = threatSearch(*node.thread, node.depth - 1, node.side, 0, 0);
    if (node.thread->control.searchStopFlag || r <= 0) return extension;
    return std::min(extension + 1 + (weightSumBefore >= THREAT_EXTENSION_BONUS_SUM ? 1 : 0), 4);
}

// Searches one batch. `before`: moves generated at the node before this batch.
LoopEnd searchBatch(NodeRun& run, int count, int phase, int before, int& result) {
    Position& pos = run.node.thread->pos;
    SearchNode& node = run.node;
    const int side = node.side;
    const RootBatch batch{node.row, count, phase};
    for (int k = 0; k < count; ++k) {
        if (node.row[k].key == SKIP_KEY) break;
        const int x = node.row[k].x, y = node.row[k].y;
        const int n = before + k;
        const MoveClass mc = classifyMove(node, x, y);
        if (node.isRoot) reportBeforeMove(node, batch, k, run.kept.x[0] == -1);
        const int weightSumBefore = pos.shapeInfo[4][x][y].shape[side - 1];
        prefetchChildTables(pos, x, y, side);
        makeMove(pos, x, y, side);
        const int extension = threatExtension(node, mc.extension, weightSumBefore);
        int score = 0;
        if (!node.thread->control.searchStopFlag) score = searchChild(node, n, mc.penalty, extension);
        unmakeMove(pos, x, y, side);
        if (node.isRoot) reportAfterMove(node, x, y);
        if (node.thread->control.searchStopFlag) {
            result = node.isRoot
                         ? stopRoot(node, n, run.kept.x[0], run.kept.y[0], run.best, node.alpha)
                         : 0;
            return LoopEnd::Return;
        }
        if (node.isRoot) {
            reportScore(node, x, y, score, run.best);
            if (score > -DECIDED) ++run.nonLosingRootMoves;
        }
        run.best = std::max(run.best, score);
        run.kept.offer(x, y, isDecided(score) ? score : std::max(node.alpha, score));
        if (score >= node.beta) {
            storeNode(node, score, 2, &run.kept);
            node.thread->control.branchSum += n + 1;
            result = node.isRoot ? std::min(node.beta, node.thread->control.rootDepth + 9999999) : score;
            return LoopEnd::Return;
        }
        if (score > node.alpha) {
            node.alpha = score;
            run.boundType = 3;
            extendPvRow(node.thread->state, node.ply, x, y);
            if (node.isRoot) reportNewAlpha(node);
        } else if (latePrune(node, n, phase, extension, run.best)) {
            return LoopEnd::Pruned;
        }
    }
    return LoopEnd::Continue;
}

// Generates, keys and searches the batches of the node in phase order.
bool searchMoves(NodeRun& run, bool forcedBlock, int& result) {
    Position& pos = run.node.thread->pos;
    SearchNode& node = run.node;
    int phase = forcedBlock ? PHASE_FORCED_BLOCK : PHASE_TABLE;
    while (phase <= PHASE_SCAN || phase == PHASE_FORCED_BLOCK) {
        int batchPhase = phase;
        int count = 0;
        if (forcedBlock) {
            int x, y;
            firstMember(pos, SET_FIVE, node.side ^ 3, x, y);
            node.row[0].x = static_cast<int16_t>(x);
            node.row[0].y = static_cast<int16_t>(y);
            count = 1;
        } else if (phase == PHASE_TABLE) {
            if (!tableMoves(run, count, result)) return false;
        } else {
            count = generateBatch(node, batchPhase);
        }
        if (count > 0) {
            const int before = node.generated;
            keyBatch(node, count);
            // The table batch keeps its slot order, so a refused slot must not hide the next.
            if (batchPhase == PHASE_TABLE) count = compactBatch(node.row, count);
            else sortBatch(node.row, count);
            const LoopEnd end = searchBatch(run, count, batchPhase, before, result);
            if (end == LoopEnd::Return) return false;
            if (end == LoopEnd::Pruned) break;
        }
        phase = batchPhase + 1;
        if (phase > PHASE_SCAN) break;
    }
    return true;
}

int endOfNode(NodeRun& run) {
    Position& pos = run.node.thread->pos;
    const SearchNode& node = run.node;
    if (node.isRoot) finishRoot(node, run.kept.x[0], run.kept.y[0], run.nonLosingRootMoves, run.best);
    storeNode(node, run.best != NO_SCORE ? run.best : node.alpha, run.boundType, &run.kept);
    node.thread->control.branchSum += node.generated;
    const int rootTop = node.thread->control.rootDepth + 9999999;
    if (node.generated > 0 && run.best != NO_SCORE) return node.isRoot ? clampRootScore(node, run.best) : run.best;
    int result;
    if (node.generated > 0) result = node.alpha;
    else if (pos.moveCount >= geometry.sizeX * geometry.sizeY) result = 0;  // full board: a draw
    else result = std::max(node.alpha, -9999998 - node.depth);
    return node.isRoot ? std::min(result, rootTop) : result;
}

}  // namespace

int alphaBeta(SearchThread& t, int depth, int alpha, int beta, int side, int credit) {
    Position& pos = t.pos;
    SearchControl& sc = t.control;
    if (countNodeAndCheckLimits(sc)) return 0;
    const int ply = sc.rootDepth - depth;
    if (ply >= 0 && ply < MAX_PLY) clearPvRow(t.state, ply);
    if (pos.setRows[SET_FIVE][side - 1] != 0) return winAtOnce(t, depth, SET_FIVE, side);
    const bool tooDeep = ply < 0 || ply >= LAST_NODE_PLY;
    const bool forcedBlock = pos.setRows[SET_FIVE][(side ^ 3) - 1] != 0;
    if (tooDeep && forcedBlock) return deepLeafValue(t, ply, side);
    if (!forcedBlock && hasWinningOpenFour(pos, side))
        return winAtOnce(t, depth, SET_OPEN_FOUR, side);
    if (tooDeep) return deepLeafValue(t, ply, side);

    NodeRun run;
    SearchNode& node = run.node;
    initSearchNode(node, t, depth, alpha, beta, side, credit, sc.rootDepth, t.moveRows[ply]);
    if (!forcedBlock) {
        if (!node.isRoot) {
            if (node.zeroWindow) {
                int tx[3] = {-1, -1, -1}, ty[3] = {-1, -1, -1};
                const int v = probeSearchTable(node.effectiveDepth, alpha, beta, side, keyLow(pos),
                                               keyHigh(pos), tx, ty, 1);
                if (v != NO_TABLE_SCORE) return v;
                if (tx[0] != -1) {
                    run.kept.x[0] = tx[0];
                    run.kept.y[0] = ty[0];
                }
            }
            const int r = threatSearch(t, depth, side, 0, 0);
            if (sc.searchStopFlag) return 0;
            if (r > 0) {
                const int score = depth + r - 400;
                storeNode(node, score, 3, nullptr);
                return score;
            }
        }
        const int leafTestValue = depth + ((credit >> 1) & ~1);
        if (leafTestValue <= 0) {
            const int v = evaluateLeaf(t, depth, side);
            storeNode(node, v, 3, nullptr);
            return v;
        }
        ++sc.expandedNodeCounter;
    }
    // Forced blocks raise the counter too: their move is filtered by the stamps of
    // this ply, which must not hold a taken mark left by an earlier node.
    node.stamp = ++t.state.plyNodeCounter[ply];

    int result = 0;
    if (!searchMoves(run, forcedBlock, result)) return result;
    return endOfNode(run);
}
