// makeMove / unmakeMove: the cell, the four line words, and incrementally every
// record that depends on them: per-direction classes and rooms of the points
// within lineRadius on the four lines, their totals, the board-wide sums, the
// candidate sets and the hash key.
//
// Everything is instantiated twice: KeepStrong = false is the trial-move form,
// which leaves the strong-point set (kind 4) alone.
#include <algorithm>

#include "board/geometry.h"
#include "board/position.h"
#include "board/zobrist.h"

namespace {

// Candidate-set kind of a direction class: 12 five, 11 open four, 9 and 10
// four, 7 and 8 open three; -1 for the rest (an overline belongs to no set).
constexpr int8_t KIND_OF_CLASS[16] = {-1, -1, -1, -1, -1, -1, -1, 3, 3, 2, 2, 1, 0, -1, -1, -1};

constexpr int STRONG_WEIGHT = 316;
constexpr int ROOMY_SUM = 25;
constexpr int ROOMY_WEIGHT = 6;

inline void clearMember(Position& pos, int kind, int i, int qx, int qy) {
    uint32_t& cols = pos.setCols[kind][i][qx];
    cols &= ~(1u << qy);
    if (cols == 0) pos.setRows[kind][i] &= ~(1u << qx);
}

inline void setMember(Position& pos, int kind, int i, int qx, int qy) {
    pos.setCols[kind][i][qx] |= 1u << qy;
    pos.setRows[kind][i] |= 1u << qx;
}

// Replaces colour index i's class of direction d at point q (and its room in
// that direction) and carries the change into the totals record, the board-wide
// sums and the candidate sets. This is the net effect of taking the point's
// contribution out while the old class stands and putting it back after the
// change; set bits that would be cleared and set again are left alone.
template <bool KeepStrong>
[[gnu::always_inline]] inline void changeClass(Position& pos, int qx, int qy, int i, int d,
                                               int newClass, int newRoom) {
    ShapeInfo& rec = pos.shapeInfo[d][qx][qy];
    ShapeInfo& tot = pos.shapeInfo[4][qx][qy];
    const int oldClass = rec.shape[i];
    const int oldWeight = tot.shape[i];
    const int oldRoom = tot.room[i];
    const int weight = oldWeight + shapeWeight[newClass] - shapeWeight[oldClass];
    const int room = oldRoom + newRoom - rec.room[i];
    rec.shape[i] = static_cast<int16_t>(newClass);
    rec.room[i] = static_cast<int16_t>(newRoom);
    tot.shape[i] = static_cast<int16_t>(weight);
    tot.room[i] = static_cast<int16_t>(room);

    const int shift = 12 - 4 * d;
    uint16_t& key = pos.classKey[qx][qy][i];
    key = static_cast<uint16_t>((key & ~(0xF << shift)) | (newClass << shift));
    const int16_t combo = static_cast<int16_t>(weight + tables.comboTable[i][key]);
    const int16_t value = static_cast<int16_t>(room * combo / 32);
    tot.combo[i] = combo;
    pos.totalValue[i] += value - tot.value[i];
    tot.value[i] = value;

    // totalRoom counts the room sums of points with room to spare and some shape.
    if (oldRoom >= ROOMY_SUM && oldWeight >= ROOMY_WEIGHT) pos.totalRoom[i] -= oldRoom;
    if (room >= ROOMY_SUM && weight >= ROOMY_WEIGHT) pos.totalRoom[i] += room;

    const int oldKind = KIND_OF_CLASS[oldClass];
    const int newKind = KIND_OF_CLASS[newClass];
    if (oldKind != newKind) {
        if (oldKind >= 0) {
            uint8_t& dirs = pos.setDirs[oldKind][i][qx][qy];
            dirs = static_cast<uint8_t>(dirs & ~(1u << d));
            if (dirs == 0) clearMember(pos, oldKind, i, qx, qy);
        }
        if (newKind >= 0) {
            pos.setDirs[newKind][i][qx][qy] = static_cast<uint8_t>(pos.setDirs[newKind][i][qx][qy] | (1u << d));
            setMember(pos, newKind, i, qx, qy);
        }
    }
    if constexpr (KeepStrong) {
        const bool wasStrong = oldWeight >= STRONG_WEIGHT, isStrong = weight >= STRONG_WEIGHT;
        if (wasStrong && !isStrong) clearMember(pos, SET_STRONG, i, qx, qy);
        if (isStrong && !wasStrong) setMember(pos, SET_STRONG, i, qx, qy);
    }
}

inline bool own(Position& pos, int x, int y, int c) {
    return onBoard(x, y) && pos.board[x][y] == c;
}

// An end of a Caro five is closed by an opponent stone or a blocked point on the
// board; the edge (and the filler outside a rectangular board) leaves it open.
inline bool closesCaroFive(Position& pos, int x, int y, int c) {
    return onBoard(x, y) && (pos.board[x][y] == (c ^ 3) || pos.board[x][y] == BLOCKED);
}

// What stands one point past a free end of the open four at q decides whether
// it is one: a stone of c makes that completion six or more; under Caro a
// closing point lets the opponent block the other end and leave a five closed
// at both ends, so one reply answers it.
inline bool spoilsOpenFour(Position& pos, int x, int y, int c) {
    return own(pos, x, y, c) || (geometry.rule == RULE_CARO && closesCaroFive(pos, x, y, c));
}

// False when the open four at q is no open four: the run of c through q is
// followed, past one of its free ends, by a point that spoils it.
bool openFourIsReal(Position& pos, int qx, int qy, int d, int c) {
    const int vx = DIR_DX[d], vy = DIR_DY[d];
    int ex = qx + vx, ey = qy + vy;
    while (own(pos, ex, ey, c)) ex += vx, ey += vy;
    if (spoilsOpenFour(pos, ex + vx, ey + vy, c)) return false;
    ex = qx - vx, ey = qy - vy;
    while (own(pos, ex, ey, c)) ex -= vx, ey -= vy;
    return !spoilsOpenFour(pos, ex - vx, ey - vy, c);
}

// Stones of c next to q walking by (vx, vy).
int runFrom(Position& pos, int qx, int qy, int vx, int vy, int c) {
    int n = 0;
    for (qx += vx, qy += vy; own(pos, qx, qy, c); qx += vx, qy += vy) ++n;
    return n;
}

// The five the pattern sees at q under Caro, judged on the whole line: six or
// more is a long line, both ends closed leaves no shape in this direction (every
// other window through q holds the closing point).
int caroFiveClass(Position& pos, int qx, int qy, int d, int c) {
    const int vx = DIR_DX[d], vy = DIR_DY[d];
    const int ahead = runFrom(pos, qx, qy, vx, vy, c);
    const int behind = runFrom(pos, qx, qy, -vx, -vy, c);
    if (ahead + behind + 1 > 5) return SHAPE_OVERLINE;
    const bool closedAhead = closesCaroFive(pos, qx + (ahead + 1) * vx, qy + (ahead + 1) * vy, c);
    const bool closedBehind =
        closesCaroFive(pos, qx - (behind + 1) * vx, qy - (behind + 1) * vy, c);
    return closedAhead && closedBehind ? SHAPE_NONE : SHAPE_FIVE;
}

// The nine-point pattern cannot see a stone five steps away; where exactly five
// wins such a stone turns a five into a long line (class 13) and an open four
// into a plain four (class 9). Under Caro it may also close a five's far end,
// and a blocked point at an end closes it where a wall would not.
template <bool KeepStrong>
void applyLongLineRule(Position& pos, int qx, int qy, int d, int c) {
    const int i = c - 1;
    const int vx = DIR_DX[d], vy = DIR_DY[d];
    const ShapeInfo& rec = pos.shapeInfo[d][qx][qy];
    if (rec.shape[i] == SHAPE_FIVE && geometry.rule == RULE_CARO) {
        const int k = caroFiveClass(pos, qx, qy, d, c);
        if (k != SHAPE_FIVE) changeClass<KeepStrong>(pos, qx, qy, i, d, k, rec.room[i]);
    } else if (rec.shape[i] == SHAPE_FIVE) {
        bool longLine = (!own(pos, qx - vx, qy - vy, c) && own(pos, qx + 5 * vx, qy + 5 * vy, c)) ||
                        (!own(pos, qx + vx, qy + vy, c) && own(pos, qx - 5 * vx, qy - 5 * vy, c));
        if (longLine) changeClass<KeepStrong>(pos, qx, qy, i, d, SHAPE_OVERLINE, rec.room[i]);
    } else if (!openFourIsReal(pos, qx, qy, d, c)) {
        changeClass<KeepStrong>(pos, qx, qy, i, d, SHAPE_FOUR, rec.room[i]);
    }
}

// Narrows [kmin, kmax] to the steps k for which base + k * step stays in 0 .. size-1.
constexpr void clampSteps(int base, int step, int size, int& kmin, int& kmax) {
    if (step == 0) {
        if (base < 0 || base >= size) kmax = kmin - 1;
    } else if (step > 0) {
        kmin = std::max(kmin, -base);
        kmax = std::min(kmax, size - 1 - base);
    } else {
        kmin = std::max(kmin, base - size + 1);
        kmax = std::min(kmax, base);
    }
}

template <int D>
inline uint64_t& lineWord(Position& pos, int x, int y) {
    if constexpr (D == 0) return pos.lineBits0[x];
    else if constexpr (D == 1) return pos.lineBits1[y];
    else if constexpr (D == 2) return pos.lineBits2[x + y];
    else return pos.lineBits3[x - y + geometry.boardSize - 1];
}

template <int D>
inline int linePosition(int x, int y) {
    if constexpr (D == 0) return y;
    else if constexpr (D == 1) return x;
    else if constexpr (D == 2) return geometry.diagPos2[x][y];
    else return geometry.diagPos3[x][y];
}

// Refreshes from the pattern table the direction-D records of the on-board
// points within lineRadius of (x, y) along the line. A colour's room is copied
// only together with a change of its class.
template <int D, bool KeepStrong>
void updateDir(Position& pos, int x, int y) {
    constexpr int dx = DIR_DX[D], dy = DIR_DY[D];
    const int radius = geometry.lineRadius;
    const bool exactBlack = overlineLosesFor(geometry.rule, BLACK);
    const bool exactWhite = overlineLosesFor(geometry.rule, WHITE);
    int kmin = -radius, kmax = radius;
    clampSteps(x, dx, geometry.sizeX, kmin, kmax);
    clampSteps(y, dy, geometry.sizeY, kmin, kmax);
    const uint64_t word = lineWord<D>(pos, x, y);
    const int p0 = linePosition<D>(x, y);
    for (int k = kmin; k <= kmax; ++k) {
        const int qx = x + k * dx, qy = y + k * dy;
        const ShapeInfo& table = tables.patternTable[(word >> (2 * (p0 + k))) & 0x3FFFF];
        const ShapeInfo& rec = pos.shapeInfo[D][qx][qy];
        if (table.shape[0] != rec.shape[0])
            changeClass<KeepStrong>(pos, qx, qy, 0, D, table.shape[0], table.room[0]);
        if (exactBlack && (rec.shape[0] == SHAPE_FOUR_OPEN || rec.shape[0] == SHAPE_FIVE))
            applyLongLineRule<KeepStrong>(pos, qx, qy, D, 1);
        if (table.shape[1] != rec.shape[1])
            changeClass<KeepStrong>(pos, qx, qy, 1, D, table.shape[1], table.room[1]);
        if (exactWhite && (rec.shape[1] == SHAPE_FOUR_OPEN || rec.shape[1] == SHAPE_FIVE))
            applyLongLineRule<KeepStrong>(pos, qx, qy, D, 2);
    }
}

template <bool KeepStrong>
void place(Position& pos, int x, int y, int c) {
    const uint64_t code = static_cast<uint64_t>(c);
    pos.board[x][y] = c;
    pos.lineBits0[x] |= code << (2 * y + 8);
    updateDir<0, KeepStrong>(pos, x, y);
    pos.lineBits1[y] |= code << (2 * x + 8);
    updateDir<1, KeepStrong>(pos, x, y);
    lineWord<2>(pos, x, y) |= code << (2 * linePosition<2>(x, y) + 8);
    updateDir<2, KeepStrong>(pos, x, y);
    lineWord<3>(pos, x, y) |= code << (2 * linePosition<3>(x, y) + 8);
    updateDir<3, KeepStrong>(pos, x, y);
    pos.hashKey ^= tables.zobristKeys[zobristIndex(x, y, c)];
    if (c != BLOCKED) {
        pos.moveList[pos.moveCount][0] = x;
        pos.moveList[pos.moveCount][1] = y;
        ++pos.moveCount;
    }
}

template <bool KeepStrong>
void lift(Position& pos, int x, int y, int c) {
    pos.board[x][y] = EMPTY;
    pos.lineBits0[x] &= ~(uint64_t{3} << (2 * y + 8));
    updateDir<0, KeepStrong>(pos, x, y);
    pos.lineBits1[y] &= ~(uint64_t{3} << (2 * x + 8));
    updateDir<1, KeepStrong>(pos, x, y);
    lineWord<2>(pos, x, y) &= ~(uint64_t{3} << (2 * linePosition<2>(x, y) + 8));
    updateDir<2, KeepStrong>(pos, x, y);
    lineWord<3>(pos, x, y) &= ~(uint64_t{3} << (2 * linePosition<3>(x, y) + 8));
    updateDir<3, KeepStrong>(pos, x, y);
    pos.hashKey ^= tables.zobristKeys[zobristIndex(x, y, c)];
    if (c != BLOCKED) --pos.moveCount;
}

}  // namespace

void makeMove(Position& pos, int x, int y, int c) {
    place<true>(pos, x, y, c);
}
void unmakeMove(Position& pos, int x, int y, int c) {
    lift<true>(pos, x, y, c);
}
void makeMoveKeepingNoStrongSet(Position& pos, int x, int y, int c) {
    place<false>(pos, x, y, c);
}
void unmakeMoveKeepingNoStrongSet(Position& pos, int x, int y, int c) {
    lift<false>(pos, x, y, c);
}
