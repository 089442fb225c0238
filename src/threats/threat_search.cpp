#include "threats/threat_search.h"

#include <algorithm>

#include "board/geometry.h"
#include "board/position.h"
#include "board/shape_queries.h"
#include "core/limits.h"
#include "core/search_control.h"
#include "rules/forbidden.h"
#include "rules/trial_move.h"
#include "threats/move_rows.h"
#include "threats/threat_table.h"
#include "threats/threat_thread.h"

namespace {

// Roles of a node: the attacker plays fours, the defender blocks five points.
constexpr int ATTACKER = 0;
constexpr int DEFENDER = 1;

// A win found at ply p is worth WIN_SCORE + THREAT_HORIZON - p.
constexpr int THREAT_HORIZON = 400;

// Pruning thresholds on the weight sums of a four point (see attackerNode).
constexpr int LONE_FOUR_WEIGHT = 262;     // below: the four builds on nothing of its own
constexpr int QUIET_OPPONENT_WEIGHT = 46; // below: the four does not disturb the opponent either
constexpr int WEAK_FOUR_WEIGHT = 279;     // below (with few threats near): not worth trying
constexpr int FEW_NEAR_THREATS = 2;

inline uint64_t pointKey(int x, int y, int colour) {
    return tables.zobristKeys[(x * MAX_SIDE + y) * 3 + colour - 1];
}

// Probes the table for the position reached by colour playing (x, y).
inline int probeChild(Position& pos, int role, int depthValue, int sideToMoveThere, int x, int y,
                      int colour) {
    const uint64_t key = pos.hashKey ^ pointKey(x, y, colour);
    return probeThreatTable(role, depthValue, sideToMoveThere - 1, static_cast<uint32_t>(key),
                            static_cast<uint32_t>(key >> 32));
}

inline int probeHere(Position& pos, int role, int depthValue, int side) {
    const uint64_t key = pos.hashKey;
    return probeThreatTable(role, depthValue, side - 1, static_cast<uint32_t>(key),
                            static_cast<uint32_t>(key >> 32));
}

inline bool blackUnderRenju(int colour) { return geometry.rule == RULE_RENJU && colour == BLACK; }


// Order of the blocks: the point worth most to both sides together first.
int blockKey(Position& pos, int x, int y) {
    const ShapeInfo& total = pos.shapeInfo[4][x][y];
    const int a = total.value[0];
    const int b = total.value[1];
    return -(std::max(a, b) + std::min(a, b) / 2);
}

// Directions in which colour has at least a wide two (class 3) at (x, y).
int directionsWithTwo(Position& pos, int x, int y, int colour) {
    int count = 0;
    for (int d = 0; d < 4; ++d)
        if (pos.shapeInfo[d][x][y].shape[colour - 1] >= SHAPE_TWO_WIDE) ++count;
    return count;
}

// Defender to move: every five point of the attacker must be blocked, and the
// node is lost only if every block loses.
int defenderNode(ThreatThread& t, MoveEntry* row, int remaining, int side, int ply, int h) {
    Position& pos = t.pos;
    const int opp = side ^ 3;
    int n = listFives(pos, row, opp);
    for (int i = 0; i < n;) {
        const int x = row[i].x;
        const int y = row[i].y;
        if (blackUnderRenju(side) && isForbidden(pos, x, y)) {
            row[i] = row[--n];  // black cannot block here; look at the moved entry next
            continue;
        }
        const int known = probeChild(pos, ATTACKER, h - 1, opp, x, y, side);
        if (known != NO_TABLE_SCORE && -known >= 0) {
            storeThreatTable(pos, -known, h, DEFENDER, side - 1);
            return -known;
        }
        row[i].key = blockKey(pos, x, y);
        ++i;
    }
    sortRowByKey(row, n);

    const int cutoffsBefore = t.rowCutoffs;
    int result = 0;
    for (int i = 0; i < n; ++i) {
        const int x = row[i].x;
        const int y = row[i].y;
        makeTrialMove(pos, x, y, side);
        result = -threatSearch(t, remaining - 1, opp, ATTACKER, ply + 1);
        unmakeTrialMove(pos, x, y, side);
        if (t.control.searchStopFlag) return 0;
        if (result >= 0) break;  // this block holds
    }
    // A holding block may only hold because the rows ran out below it.
    if (result < 0 || t.rowCutoffs == cutoffsBefore)
        storeThreatTable(pos, result, h, DEFENDER, side - 1);
    return result;
}

// Keys the four points of the attacker, marking the hopeless ones with the
// skip key. Returns a proven win when a child's table entry already shows one.
int keyFours(Position& pos, MoveEntry* row, int n, int side, int h) {
    const int opp = side ^ 3;
    for (int i = 0; i < n; ++i) {
        const int x = row[i].x;
        const int y = row[i].y;
        const ShapeInfo& total = pos.shapeInfo[4][x][y];
        const int own = total.shape[side - 1];
        const int theirs = total.shape[opp - 1];
        row[i].key = SKIP_KEY;
        // Cheapest tests first: weights, then the forbidden test, then the count.
        if (own < LONE_FOUR_WEIGHT && directionsWithTwo(pos, x, y, opp) < 2 &&
            theirs < QUIET_OPPONENT_WEIGHT)
            continue;
        if (blackUnderRenju(side) && isForbidden(pos, x, y)) continue;
        const int near = neighbourhoodCount(pos, x, y, side);
        if (near <= FEW_NEAR_THREATS && own < WEAK_FOUR_WEIGHT) continue;

        const int known = probeChild(pos, DEFENDER, h - 1, opp, x, y, side);
        if (known != NO_TABLE_SCORE && -known > 0) {
            storeThreatTable(pos, -known, h, ATTACKER, side - 1);
            return -known;
        }
        row[i].key = -(64 * near + (theirs >> 1) + own);
    }
    return 0;
}

// Attacker to move: try the promising fours, best first, until one wins.
int attackerNode(ThreatThread& t, MoveEntry* row, int remaining, int side, int ply, int h) {
    Position& pos = t.pos;
    const int opp = side ^ 3;
    const int n = listFours(pos, row, side);
    const int known = keyFours(pos, row, n, side, h);
    if (known != 0) return known;
    sortRowByKey(row, n);

    const int cutoffsBefore = t.rowCutoffs;
    for (int i = 0; i < n && row[i].key != SKIP_KEY; ++i) {
        const int x = row[i].x;
        const int y = row[i].y;
        makeTrialMove(pos, x, y, side);
        const int v = -threatSearch(t, remaining - 1, opp, DEFENDER, ply + 1);
        unmakeTrialMove(pos, x, y, side);
        if (t.control.searchStopFlag) return 0;
        if (v > 0) {
            storeThreatTable(pos, v, h, ATTACKER, side - 1);
            return v;
        }
    }
    if (t.rowCutoffs == cutoffsBefore) storeThreatTable(pos, 0, h, ATTACKER, side - 1);
    return 0;
}

}  // namespace

int checkImmediateWin(Position& pos, int h, int side) {
    const int opp = side ^ 3;
    if (pos.setRows[SET_FIVE][side - 1]) return h + WIN_SCORE;
    if (pos.setRows[SET_FIVE][opp - 1]) return 0;  // side must block first
    if (!pos.setRows[SET_OPEN_FOUR][side - 1]) return 0;
    if (!blackUnderRenju(side)) return h + WIN_SCORE;
    // Black under Renju: only the first open-four point is judged, to keep this cheap.
    int x = 0;
    int y = 0;
    firstMember(pos, SET_OPEN_FOUR, side, x, y);
    return isForbidden(pos, x, y) ? 0 : h + WIN_SCORE;
}

void prefetchThreatSearch(int side, uint64_t key) { prefetchThreatTable(ATTACKER, side - 1, key); }

int threatSearch(ThreatThread& t, int remaining, int side, int role, int ply) {
    Position& pos = t.pos;
    const int h = THREAT_HORIZON - ply;
    t.control.lowestRemainingDepth = std::min(t.control.lowestRemainingDepth, remaining);
    if (countNodeAndCheckLimits(t.control)) return 0;

    const int immediate = checkImmediateWin(pos, h, side);
    if (immediate != 0) return immediate;

    const int known = probeHere(pos, role, h, side);
    if (known != NO_TABLE_SCORE) return known;

    // A chain of fours can outrun the per-ply rows: past the last row (or
    // before the first) the node cannot list its moves and counts as no win.
    const int rowIndex = t.control.rootDepth - remaining;
    if (rowIndex < 0 || rowIndex >= MAX_PLY) {
        ++t.rowCutoffs;
        return 0;
    }
    MoveEntry* row = t.moveRows[rowIndex];
    return role == DEFENDER ? defenderNode(t, row, remaining, side, ply, h)
                            : attackerNode(t, row, remaining, side, ply, h);
}

int threeDefencePoints(Position& pos, MoveEntry* entries, int colour, int x, int y) {
    int d = 0;
    while (d < 4 && pos.shapeInfo[d][x][y].shape[colour - 1] != SHAPE_FOUR_OPEN) ++d;
    if (d == 4) return 0;  // not an open-four point after all
    int dx = DIR_DX[d];
    int dy = DIR_DY[d];
    auto holds = [&pos, colour](int px, int py) {
        return onBoard(px, py) && pos.board[px][py] == colour;
    };

    if (holds(x + dx, y + dy) && holds(x - dx, y - dy)) {
        // (x, y) is the gap of a broken three: the defences are the first
        // empty points beyond the stones on either side.
        for (int k = 0; k < 2; ++k) {
            const int sx = k == 0 ? dx : -dx;
            const int sy = k == 0 ? dy : -dy;
            int px = x + sx;
            int py = y + sy;
            while (onBoard(px, py) && pos.board[px][py] != EMPTY) {
                px += sx;
                py += sy;
            }
            if (!onBoard(px, py)) return 0;
            entries[k].x = static_cast<int16_t>(px);
            entries[k].y = static_cast<int16_t>(py);
        }
        return 2;
    }

    if (holds(x - dx, y - dy)) {  // make the three's stones lie in the + direction
        dx = -dx;
        dy = -dy;
    }
    const int fx = x + 4 * dx;
    const int fy = y + 4 * dy;
    const int bx = x - dx;
    const int by = y - dy;
    if (!onBoard(fx, fy) || !onBoard(bx, by)) return 0;
    // The far end is usually an open-four point too, and then the caller lists it anyway;
    // not so when black may not play it under Renju.
    if (pos.shapeInfo[d][fx][fy].shape[colour - 1] == SHAPE_FOUR_OPEN &&
        !(blackUnderRenju(colour) && isForbidden(pos, fx, fy)))
        return 0;
    entries[0].x = static_cast<int16_t>(fx);
    entries[0].y = static_cast<int16_t>(fy);
    entries[1].x = static_cast<int16_t>(bx);
    entries[1].y = static_cast<int16_t>(by);
    return 2;
}

uint64_t lineWindowMask(Position& pos, int x, int a, int b, int64_t mask) {
    uint64_t window;
    if (a >= b) {
        const int shift = a - b;
        window = shift >= 64 ? 0 : static_cast<uint64_t>(mask) << shift;
    } else {
        const int shift = std::min(b - a, 63);  // arithmetic: the sign fills in
        window = static_cast<uint64_t>(mask >> shift);
    }
    const int top = 2 * geometry.sizeY + 8;  // first bit past the line's last point
    const uint64_t pointBits = ((top >= 64 ? ~0ULL : (1ULL << top) - 1)) & ~0xFFULL;
    return window & pos.lineBits0[x] & pointBits;
}
