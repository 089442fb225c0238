#include "threats/vct_search.h"

#include <algorithm>

#include "board/geometry.h"
#include "board/position.h"
#include "board/shape_queries.h"
#include "core/limits.h"
#include "core/search_control.h"
#include "rules/forbidden.h"
#include "rules/trial_move.h"
#include "threats/move_rows.h"
#include "threats/threat_search.h"
#include "threats/threat_table.h"
#include "threats/threat_thread.h"

namespace {

// Results live in the threat table's arrays (attacker nodes with role 0,
// defender nodes with role 1), under the position key XOR a salt for the
// attacker moves still allowed. The salt keeps them apart from the fours-only
// results, which are stored under the plain key and mean something else, and
// makes a "no win in d moves" answer only the question it was found for.
constexpr int ATTACKER = 0;
constexpr int DEFENDER = 1;
constexpr int HORIZON = 400;  // a win at ply p is worth WIN_SCORE + HORIZON - p

// Threes tried per attacker node, best first; fours are always all tried. The
// cap only loses proofs, never makes a wrong one: the defender's side is complete.
constexpr int MAX_THREES_TRIED = 10;

// An 11-point window around an open-four point holds every stone that can change
// its class in that line (nine points, plus the ends of a five under Caro).
constexpr int WINDOW_REACH = 5;

uint64_t saltedKey(Position& pos, int depth) {
    return pos.hashKey ^ (static_cast<uint64_t>(depth + 1) * 0x9E3779B97F4A7C15ULL);
}

int probe(Position& pos, int role, int h, int side, int depth) {
    const uint64_t key = saltedKey(pos, depth);
    return probeThreatTable(role, h, side - 1, static_cast<uint32_t>(key), static_cast<uint32_t>(key >> 32));
}

void store(Position& pos, int score, int h, int role, int side, int depth) {
    storeThreatTableKey(score, h, role, side - 1, saltedKey(pos, depth));
}

bool stopped(ThreatThread& t) { return t.control.searchStopFlag != 0 || t.vct.ranOut; }

// Counts the node against the turn's limits and the call's own budget.
bool countNode(ThreatThread& t) {
    if (countNodeAndCheckLimits(t.control)) return true;
    if (++t.vct.nodes > t.vct.budget) t.vct.ranOut = true;
    return t.vct.ranOut;
}

bool blackUnderRenju(int colour) { return geometry.rule == RULE_RENJU && colour == BLACK; }

bool playable(Position& pos, int x, int y, int colour) {
    return !blackUnderRenju(colour) || isForbidden(pos, x, y) == 0;
}

bool inKind(Position& pos, int kind, int colour, int x, int y) {
    return (pos.setCols[kind][colour - 1][x] >> y) & 1u;
}

// The first member of a kind that colour may play; false when there is none.
// Under Renju a black open four on a forbidden point threatens nothing.
bool firstPlayable(Position& pos, int kind, int colour, int& px, int& py) {
    uint32_t rows = pos.setRows[kind][colour - 1];
    while (rows != 0) {
        const uint32_t lowRow = rows & (0u - rows);
        const int x = bitIndex(lowRow);
        uint32_t cols = pos.setCols[kind][colour - 1][x];
        while (cols != 0) {
            const uint32_t low = cols & (0u - cols);
            const int y = bitIndex(low);
            if (playable(pos, x, y, colour)) {
                px = x;
                py = y;
                return true;
            }
            cols -= low;
        }
        rows -= lowRow;
    }
    return false;
}

// Worth of a point to both sides: the threats that also build or spoil most first.
int pointKey(Position& pos, int x, int y, int colour) {
    const ShapeInfo& total = pos.shapeInfo[4][x][y];
    return -(total.shape[colour - 1] + total.shape[(colour ^ 3) - 1] / 2);
}

// The move row of a ply, or nullptr past the last row; running out of rows
// counts as a cut-off, so that the "no win" found is not stored.
MoveEntry* rowAt(ThreatThread& t, int ply) {
    const int r = t.vct.firstRow + ply;
    if (r < MAX_PLY) return t.moveRows[r];
    ++t.vct.cutoffs;
    return nullptr;
}

int attackerNode(ThreatThread& t, int side, int depth, int ply);

// Side must block: it plays the single five point of the other side, then the
// other side is to move in role `next`. Scores from the blocking side.
int forcedBlock(ThreatThread& t, int side, int depth, int ply, int next);

// Defender to move against the attacker's standing threat. Scores from the
// defender's side: negative when every answer loses, 0 or more when one holds.
int defenderNode(ThreatThread& t, int side, int depth, int ply) {
    Position& pos = t.pos;
    const int h = HORIZON - ply;
    const int att = side ^ 3;
    if (countNode(t)) return 0;
    if (hasKind(pos, SET_FIVE, side)) return WIN_SCORE + h;  // the attacker left a five open
    if (hasKind(pos, SET_FIVE, att)) return forcedBlock(t, side, depth, ply, ATTACKER);

    int px = 0, py = 0;
    if (!firstPlayable(pos, SET_OPEN_FOUR, att, px, py))
        return 0;  // no threat stands: the chain broke
    int ox = 0, oy = 0;
    if (firstPlayable(pos, SET_OPEN_FOUR, side, ox, oy)) return 0;  // our own open four comes first

    const int known = probe(pos, DEFENDER, h, side, depth);
    if (known != NO_TABLE_SCORE) return known;
    MoveEntry* row = rowAt(t, ply);
    if (row == nullptr) return 0;

    // Every answer: the points in reach of the open-four point's lines that
    // take the open four away, and every four of our own (the attacker must
    // block it first, and the block may spoil the attack).
    ++t.vct.markStamp;
    int n = 0;
    for (int d = 0; d < 4; ++d) {
        if (pos.shapeInfo[d][px][py].shape[att - 1] != SHAPE_FOUR_OPEN) continue;
        for (int k = -WINDOW_REACH; k <= WINDOW_REACH; ++k) {
            const int x = px + k * DIR_DX[d];
            const int y = py + k * DIR_DY[d];
            if (!onBoard(x, y) || pos.board[x][y] != EMPTY || t.vct.mark[x][y] == t.vct.markStamp) continue;
            t.vct.mark[x][y] = t.vct.markStamp;
            row[n].x = static_cast<int16_t>(x);
            row[n].y = static_cast<int16_t>(y);
            ++n;
        }
    }
    const int lineCount = n;
    MoveEntry* fours = row + n;
    const int fourCount = listFours(pos, fours, side);
    for (int i = 0; i < fourCount; ++i) {
        if (t.vct.mark[fours[i].x][fours[i].y] == t.vct.markStamp) continue;
        t.vct.mark[fours[i].x][fours[i].y] = t.vct.markStamp;
        row[n++] = fours[i];
    }

    // Keep only real answers: a line point that leaves an open four standing
    // (and makes no four of ours) answers nothing.
    int kept = 0;
    for (int i = 0; i < n; ++i) {
        const int x = row[i].x;
        const int y = row[i].y;
        if (!playable(pos, x, y, side)) continue;
        if (i < lineCount && !inKind(pos, SET_FOUR, side, x, y)) {
            makeTrialMove(pos, x, y, side);
            int qx = 0, qy = 0;
            const bool stillThreat = firstPlayable(pos, SET_OPEN_FOUR, att, qx, qy);
            unmakeTrialMove(pos, x, y, side);
            if (stillThreat) continue;
        }
        row[kept].x = static_cast<int16_t>(x);
        row[kept].y = static_cast<int16_t>(y);
        row[kept].key = pointKey(pos, x, y, side);
        ++kept;
    }
    if (kept == 0) {
        const int lost = -(WIN_SCORE + h - 1);
        store(pos, lost, h, DEFENDER, side, depth);
        return lost;
    }
    sortRowByKey(row, kept);

    const int cutoffsBefore = t.vct.cutoffs;
    int best = -(WIN_SCORE + HORIZON + 1);
    for (int i = 0; i < kept; ++i) {
        const int x = row[i].x;
        const int y = row[i].y;
        makeTrialMove(pos, x, y, side);
        const int v = -attackerNode(t, att, depth, ply + 1);
        unmakeTrialMove(pos, x, y, side);
        if (stopped(t)) return 0;
        best = std::max(best, v);
        if (v >= 0) break;  // this answer holds
    }
    if (best < 0 || t.vct.cutoffs == cutoffsBefore) store(pos, best, h, DEFENDER, side, depth);
    return best;
}

int forcedBlock(ThreatThread& t, int side, int depth, int ply, int next) {
    Position& pos = t.pos;
    const int h = HORIZON - ply;
    const int other = side ^ 3;
    MoveEntry* row = rowAt(t, ply);
    if (row == nullptr) return 0;
    const int fives = listFives(pos, row, other);
    const int lost = -(WIN_SCORE + h - 1);
    if (fives > 1) return lost;
    const int x = row[0].x;
    const int y = row[0].y;
    if (!playable(pos, x, y, side)) return lost;
    makeTrialMove(pos, x, y, side);
    const int v = next == ATTACKER ? -attackerNode(t, other, depth, ply + 1) : -defenderNode(t, other, depth, ply + 1);
    unmakeTrialMove(pos, x, y, side);
    return stopped(t) ? 0 : v;
}

// Lists the attacker's threats: every four, and (unless the defender's open
// four would outrun it) every point that makes a three. Returns the count.
int listThreats(Position& pos, MoveEntry* row, int side) {
    const int opp = side ^ 3;
    int n = listFours(pos, row, side);
    int ox = 0, oy = 0;
    if (!firstPlayable(pos, SET_OPEN_FOUR, opp, ox, oy)) {
        MoveEntry* threes = row + n;
        const int threeCount = listOpenThrees(pos, threes, side);
        for (int i = 0; i < threeCount; ++i)
            if (!inKind(pos, SET_FOUR, side, threes[i].x, threes[i].y)) row[n++] = threes[i];
    }
    for (int i = 0; i < n; ++i) row[i].key = pointKey(pos, row[i].x, row[i].y, side);
    sortRowByKey(row, n);
    return n;
}

// Attacker to move: win at once, or find a threat that every answer loses to.
int attackerNode(ThreatThread& t, int side, int depth, int ply) {
    Position& pos = t.pos;
    const int h = HORIZON - ply;
    const int opp = side ^ 3;
    if (countNode(t)) return 0;
    if (hasKind(pos, SET_FIVE, side)) return WIN_SCORE + h;
    if (hasKind(pos, SET_FIVE, opp)) {
        const int v = forcedBlock(t, side, depth, ply, DEFENDER);
        if (v <= 0) return 0;
        if (ply == 0)
            firstMember(pos, SET_FIVE, opp, t.vct.winX, t.vct.winY);  // the block starts the win
        return v;
    }
    const int immediate = checkImmediateWin(pos, h, side);
    if (immediate != 0) return immediate;
    if (depth <= 0) return 0;

    // The entry node must name its winning move, which the table does not keep.
    if (ply > 0) {
        const int known = probe(pos, ATTACKER, h, side, depth);
        if (known != NO_TABLE_SCORE) return known;
    }
    MoveEntry* row = rowAt(t, ply);
    if (row == nullptr) return 0;
    const int n = listThreats(pos, row, side);

    const int cutoffsBefore = t.vct.cutoffs;
    int threes = 0;
    for (int i = 0; i < n; ++i) {
        const int x = row[i].x;
        const int y = row[i].y;
        const bool isFour = inKind(pos, SET_FOUR, side, x, y);
        if (!isFour && ++threes > MAX_THREES_TRIED) continue;
        if (!playable(pos, x, y, side)) continue;
        makeTrialMove(pos, x, y, side);
        const int v = -defenderNode(t, opp, depth - 1, ply + 1);
        unmakeTrialMove(pos, x, y, side);
        if (stopped(t)) return 0;
        if (v > 0) {
            if (ply == 0) {
                t.vct.winX = x;
                t.vct.winY = y;
            }
            store(pos, v, h, ATTACKER, side, depth);
            return v;
        }
    }
    if (t.vct.cutoffs == cutoffsBefore) store(pos, 0, h, ATTACKER, side, depth);
    return 0;
}

}  // namespace

int vctSearch(ThreatThread& t, int side, const VctBounds& bounds) {
    Position& pos = t.pos;
    t.vct.nodes = 0;
    t.vct.budget = bounds.nodes;
    t.vct.firstRow = bounds.firstRow;
    t.vct.ranOut = false;
    t.vct.winX = t.vct.winY = -1;
    if (bounds.firstRow < 0 || bounds.firstRow >= MAX_PLY) return 0;
    const int v = attackerNode(t, side, bounds.depth, 0);
    if (stopped(t)) return 0;
    // A win at once (a five, or an open four that no five of the opponent
    // outruns) names no threat move: it is the five or the open-four point.
    if (v > 0 && t.vct.winX < 0 && !firstMember(pos, SET_FIVE, side, t.vct.winX, t.vct.winY))
        firstPlayable(pos, SET_OPEN_FOUR, side, t.vct.winX, t.vct.winY);
    return v;
}

bool vctWinningMove(const ThreatThread& t, int& x, int& y) {
    if (t.vct.winX < 0) return false;
    x = t.vct.winX;
    y = t.vct.winY;
    return true;
}

int64_t vctNodesSpent(const ThreatThread& t) { return t.vct.nodes; }
bool vctRanOut(const ThreatThread& t) { return t.vct.ranOut; }
