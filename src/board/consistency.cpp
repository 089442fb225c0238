// A from-scratch recount of the position, for tests and debug builds: slow,
// never called from makeMove.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "board/geometry.h"
#include "board/position.h"
#include "board/zobrist.h"

namespace {

struct Report {
    char* why;
    int whyLen;
    bool fail(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        if (why != nullptr && whyLen > 0) {
            va_list args;
            va_start(args, format);
            std::vsnprintf(why, static_cast<size_t>(whyLen), format, args);
            va_end(args);
        }
        return false;
    }
};

int n() { return geometry.boardSize; }

bool inSquare(int x, int y) { return x >= 0 && y >= 0 && x < n() && y < n(); }

// Line k of direction d: its length on the square and the point at position p.
int lineLength(int d, int k) {
    if (d < 2) return n();
    if (d == 2) return std::min(k, 2 * n() - 2 - k) + 1;
    return n() - std::abs(k - (n() - 1));
}

void linePoint(int d, int k, int p, int& x, int& y) {
    switch (d) {
        case 0: x = k, y = p; break;
        case 1: x = p, y = k; break;
        case 2: y = std::max(0, k - (n() - 1)) + p, x = k - y; break;
        default: x = std::max(0, k - (n() - 1)) + p, y = x - (k - (n() - 1)); break;
    }
}

uint64_t* lineWords(Position& pos, int d) {
    switch (d) {
        case 0: return pos.lineBits0;
        case 1: return pos.lineBits1;
        case 2: return pos.lineBits2;
        default: return pos.lineBits3;
    }
}

bool checkLineWords(Position& pos, Report& r) {
    for (int d = 0; d < 4; ++d) {
        const int lines = d < 2 ? MAX_SIDE : 2 * MAX_SIDE;
        const int used = d < 2 ? n() : 2 * n() - 1;
        for (int k = 0; k < lines; ++k) {
            uint64_t expected = 0;
            if (k < used) {
                const int len = lineLength(d, k);
                expected = uint64_t{0xC0} | (uint64_t{3} << (2 * len + 8));
                for (int p = 0; p < len; ++p) {
                    int x, y;
                    linePoint(d, k, p, x, y);
                    expected |= static_cast<uint64_t>(pos.board[x][y]) << (2 * p + 8);
                }
            }
            if (lineWords(pos, d)[k] != expected)
                return r.fail("line word %d of direction %d is %llx, the board gives %llx", k, d,
                              static_cast<unsigned long long>(lineWords(pos, d)[k]),
                              static_cast<unsigned long long>(expected));
        }
    }
    return true;
}

bool checkStones(Position& pos, Report& r) {
    uint64_t key = 0;
    int stones = 0;
    for (int x = 0; x < MAX_SIDE; ++x)
        for (int y = 0; y < MAX_SIDE; ++y) {
            int code = pos.board[x][y];
            if (code < 0 || code > 3 || (code != 0 && !inSquare(x, y)))
                return r.fail("cell (%d, %d) holds %d", x, y, code);
            if (code != 0) key ^= tables.zobristKeys[zobristIndex(x, y, code)];
            if (code == 1 || code == 2) ++stones;
            if (code != 3 && inSquare(x, y) && !onBoard(x, y))
                return r.fail("filler point (%d, %d) is not blocked", x, y);
        }
    if (key != pos.hashKey) return r.fail("hashKey differs from the keys of the stones");
    if (stones != pos.moveCount) return r.fail("moveCount %d but %d stones", pos.moveCount, stones);
    bool listed[MAX_SIDE][MAX_SIDE] = {};
    for (int m = 0; m < pos.moveCount; ++m) {
        int x = pos.moveList[m][0], y = pos.moveList[m][1];
        if (!onBoard(x, y) || (pos.board[x][y] != 1 && pos.board[x][y] != 2) || listed[x][y])
            return r.fail("move list entry %d (%d, %d) is not a distinct stone", m, x, y);
        listed[x][y] = true;
    }
    return true;
}

bool own(Position& pos, int x, int y, int c) {
    return onBoard(x, y) && pos.board[x][y] == c;
}

// Length of the run of c starting at (x, y) and walking by (vx, vy).
int runLength(Position& pos, int x, int y, int vx, int vy, int c) {
    int len = 0;
    while (own(pos, x + len * vx, y + len * vy, c)) ++len;
    return len;
}

// The class the table gives, corrected for long lines the nine points miss.
int expectedClass(Position& pos, int x, int y, int d, int c, int tableClass) {
    if (!overlineLosesFor(geometry.rule, c)) return tableClass;
    const int vx = DIR_DX[d], vy = DIR_DY[d];
    if (tableClass == SHAPE_FIVE && geometry.rule == RULE_CARO) {
        // Recounted from the whole line: the run through (x, y) and its two ends.
        int ahead = runLength(pos, x + vx, y + vy, vx, vy, c);
        int behind = runLength(pos, x - vx, y - vy, -vx, -vy, c);
        if (ahead + behind >= 5) return SHAPE_OVERLINE;
        auto closed = [&](int k) {
            int ex = x + k * vx, ey = y + k * vy;
            return onBoard(ex, ey) && pos.board[ex][ey] != EMPTY && pos.board[ex][ey] != c;
        };
        return closed(ahead + 1) && closed(-behind - 1) ? SHAPE_NONE : SHAPE_FIVE;
    }
    if (tableClass == SHAPE_FIVE) {
        // The five through (x, y) plus the stone just past its far end.
        int ahead = runLength(pos, x + vx, y + vy, vx, vy, c);
        int behind = runLength(pos, x - vx, y - vy, -vx, -vy, c);
        bool longAhead = behind == 0 && own(pos, x + 5 * vx, y + 5 * vy, c);
        bool longBehind = ahead == 0 && own(pos, x - 5 * vx, y - 5 * vy, c);
        return longAhead || longBehind ? SHAPE_OVERLINE : SHAPE_FIVE;
    }
    if (tableClass == SHAPE_FOUR_OPEN) {
        int ahead = runLength(pos, x + vx, y + vy, vx, vy, c);
        int behind = runLength(pos, x - vx, y - vy, -vx, -vy, c);
        bool sixAhead = own(pos, x + (ahead + 2) * vx, y + (ahead + 2) * vy, c);
        bool sixBehind = own(pos, x - (behind + 2) * vx, y - (behind + 2) * vy, c);
        if (sixAhead || sixBehind) return SHAPE_FOUR;
        if (geometry.rule != RULE_CARO) return SHAPE_FOUR_OPEN;
        // Caro: past either free end, a point that would close the five left
        // after the opponent takes the other end.
        auto closing = [&](int k) {
            int px = x + k * vx, py = y + k * vy;
            return onBoard(px, py) && pos.board[px][py] != EMPTY && pos.board[px][py] != c;
        };
        return closing(ahead + 2) || closing(-behind - 2) ? SHAPE_FOUR : SHAPE_FOUR_OPEN;
    }
    return tableClass;
}

int initialClass(int x, int y, int d) {
    const int last = n() - 1;
    if (d == 0) return y == 0 || y == last ? 0 : 1;
    if (d == 1) return x == 0 || x == last ? 0 : 1;
    if (x == 0 || y == 0 || x == last || y == last) return 0;
    int room = 0;
    const int vx = DIR_DX[d], vy = DIR_DY[d];
    for (int k = 1; k <= 4 && inSquare(x + k * vx, y + k * vy); ++k) ++room;
    for (int k = 1; k <= 4 && inSquare(x - k * vx, y - k * vy); ++k) ++room;
    return room < 5 ? 0 : 1;
}

int patternCode(Position& pos, int x, int y, int d) {
    int k, p;
    switch (d) {
        case 0: k = x, p = y; break;
        case 1: k = y, p = x; break;
        case 2: k = x + y, p = geometry.diagPos2[x][y]; break;
        default: k = x - y + n() - 1, p = geometry.diagPos3[x][y]; break;
    }
    return static_cast<int>((lineWords(pos, d)[k] >> (2 * p)) & 0x3FFFF);
}

bool checkClasses(Position& pos, Report& r) {
    for (int x = 0; x < geometry.sizeX; ++x)
        for (int y = 0; y < geometry.sizeY; ++y)
            for (int d = 0; d < 4; ++d) {
                const ShapeInfo& rec = pos.shapeInfo[d][x][y];
                const ShapeInfo& table = tables.patternTable[patternCode(pos, x, y, d)];
                for (int i = 0; i < 2; ++i) {
                    int k = rec.shape[i];
                    if (rec.room[i] < 0 || rec.room[i] > 8)
                        return r.fail("room %d at (%d, %d) direction %d colour %d", rec.room[i], x, y, d, i + 1);
                    if (pos.board[x][y] != 0) {
                        if (k != 0) return r.fail("occupied (%d, %d) has class %d", x, y, k);
                        continue;
                    }
                    int expected = expectedClass(pos, x, y, d, i + 1, table.shape[i]);
                    bool untouched = table.shape[i] == 0 && k == initialClass(x, y, d);
                    if (k != expected && !untouched)
                        return r.fail("(%d, %d) direction %d colour %d has class %d, expected %d", x, y, d, i + 1,
                                      k, expected);
                }
            }
    return true;
}

constexpr int kindOf(int k) {
    return k == 12 ? 0 : k == 11 ? 1 : (k == 9 || k == 10) ? 2 : (k == 7 || k == 8) ? 3 : -1;
}

bool checkTotalsAndSets(Position& pos, Report& r, bool checkStrongSet) {
    int32_t value[2] = {0, 0}, room[2] = {0, 0};
    for (int x = 0; x < MAX_SIDE; ++x)
        for (int y = 0; y < MAX_SIDE; ++y)
            for (int i = 0; i < 2; ++i) {
                int weight = 0, roomSum = 0, index = 0;
                for (int d = 0; d < 4; ++d) {
                    const ShapeInfo& rec = pos.shapeInfo[d][x][y];
                    if (rec.shape[i] < 0 || rec.shape[i] > 13) return r.fail("class out of range at (%d, %d)", x, y);
                    weight += shapeWeight[rec.shape[i]];
                    roomSum += rec.room[i];
                    index = (index << 4) | rec.shape[i];
                    const int kind = kindOf(rec.shape[i]);
                    for (int s = 0; s < 4; ++s)
                        if (((pos.setDirs[s][i][x][y] >> d) & 1) != (kind == s))
                            return r.fail("setDirs kind %d colour %d at (%d, %d) bit %d wrong", s, i + 1, x, y, d);
                }
                if (pos.classKey[x][y][i] != index)
                    return r.fail("classKey at (%d, %d) colour %d is %x, the classes give %x", x, y, i + 1,
                                  pos.classKey[x][y][i], index);
                const ShapeInfo& tot = pos.shapeInfo[4][x][y];
                const int16_t combo = static_cast<int16_t>(weight + tables.comboTable[i][index]);
                const int16_t weighted = static_cast<int16_t>(roomSum * combo / 32);
                if (tot.shape[i] != weight || tot.room[i] != roomSum || tot.combo[i] != combo || tot.value[i] != weighted)
                    return r.fail("totals at (%d, %d) colour %d: %d %d %d %d, recount %d %d %d %d", x, y, i + 1,
                                  tot.shape[i], tot.combo[i], tot.room[i], tot.value[i], weight, combo, roomSum,
                                  weighted);
                value[i] += tot.value[i];
                if (tot.room[i] >= 25 && tot.shape[i] >= 6) room[i] += tot.room[i];
                for (int s = 0; s < 5; ++s) {
                    if (s == 4 && !checkStrongSet) continue;
                    bool member = s < 4 ? pos.setDirs[s][i][x][y] != 0 : tot.shape[i] >= 316;
                    if (((pos.setCols[s][i][x] >> y) & 1) != member)
                        return r.fail("setCols kind %d colour %d at (%d, %d) wrong", s, i + 1, x, y);
                }
            }
    for (int i = 0; i < 2; ++i) {
        if (value[i] != pos.totalValue[i]) return r.fail("totalValue %d sums to %d", pos.totalValue[i], value[i]);
        if (room[i] != pos.totalRoom[i]) return r.fail("totalRoom %d sums to %d", pos.totalRoom[i], room[i]);
        for (int s = 0; s < 5; ++s) {
            if (s == 4 && !checkStrongSet) continue;
            uint32_t rows = 0;
            for (int x = 0; x < MAX_SIDE; ++x) {
                if (pos.setCols[s][i][x] >> MAX_SIDE) return r.fail("setCols kind %d has bits past 20", s);
                if (pos.setCols[s][i][x] != 0) rows |= 1u << x;
            }
            if (rows != pos.setRows[s][i]) return r.fail("setRows kind %d colour %d wrong", s, i + 1);
        }
    }
    return true;
}

}  // namespace

bool checkConsistency(Position& pos, char* why, int whyLen, bool checkStrongSet) {
    Report r{why, whyLen};
    return checkLineWords(pos, r) && checkStones(pos, r) && checkClasses(pos, r) &&
           checkTotalsAndSets(pos, r, checkStrongSet);
}
