// Geometry, bit tables, pattern classification, combination values, move-order scores and keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "board/combo_values.h"
#include "board/geometry.h"
#include "board/order_scores.h"
#include "board/pattern_table.h"
#include "board/position.h"
#include "board/window_rules.h"
#include "board/zobrist.h"
#include "support/position_fixture.h"

namespace {

// The position these tests build and change.
Position pos;

// Pattern code from nine cells, position 0 first: '.' empty, X, O, '#'.
int codeOf(const std::string& cells) {
    int code = 0;
    for (int p = 0; p < 9; ++p) {
        int v = cells[p] == 'X' ? 1 : cells[p] == 'O' ? 2 : cells[p] == '#' ? 3 : 0;
        code |= v << (2 * p);
    }
    return code;
}

ShapeInfo classify(int rule, const std::string& cells) {
    setBoardGeometry(15, 15, rule);
    return classifyPoint(codeOf(cells));
}

int combo(int k0, int k1, int k2, int k3, int colour = 1) {
    return tables.comboTable[colour - 1][(k0 << 12) | (k1 << 8) | (k2 << 4) | k3];
}

TEST(Geometry, LineRadiusFollowsRule) {
    setBoardGeometry(10, 15, 0);
    EXPECT_EQ(geometry.boardSize, 15);
    EXPECT_EQ(geometry.lineRadius, 4);
    setBoardGeometry(20, 7, 1);
    EXPECT_EQ(geometry.boardSize, 20);
    EXPECT_EQ(geometry.lineRadius, 5);
    setBoardGeometry(15, 15, 2);
    EXPECT_EQ(geometry.lineRadius, 5);
}

TEST(Geometry, WallsAfterReset) {
    fixture::newBoard(pos, 0);
    EXPECT_EQ(pos.lineBits0[7], 0xC0ull | (3ull << 38));
    EXPECT_EQ(pos.lineBits1[0], 0xC0ull | (3ull << 38));
    EXPECT_EQ(pos.lineBits2[0], 0xC0ull | (3ull << 10));
    EXPECT_EQ(pos.lineBits3[14], 0xC0ull | (3ull << 38));  // the long diagonal
    EXPECT_EQ(pos.lineBits3[0], 0xC0ull | (3ull << 10));
    EXPECT_EQ(pos.lineBits2[29], 0ull);  // past 2n-2
    fixture::newBoard(pos, 0, 20, 20);
    EXPECT_EQ(pos.lineBits0[19], 0xC0ull | (3ull << 48));
    EXPECT_EQ(pos.hashKey, 0ull);
    EXPECT_EQ(pos.moveCount, 0);
}

TEST(Geometry, RectangularBoardIsFilledWithBlockedPoints) {
    fixture::newBoard(pos, 0, 10, 15);
    EXPECT_EQ(geometry.boardSize, 15);
    uint64_t key = 0;
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y) {
            EXPECT_EQ(pos.board[x][y], x >= 10 ? 3 : 0) << x << "," << y;
            if (x >= 10) key ^= tables.zobristKeys[zobristIndex(x, y, 3)];
        }
    EXPECT_EQ(pos.moveCount, 0);
    EXPECT_NE(pos.hashKey, 0ull);
    EXPECT_EQ(pos.hashKey, key);
    // Row y = 0 holds ten empty points, then five blocked ones, then the wall.
    uint64_t expected = 0xC0ull | (3ull << 38);
    for (int x = 10; x < 15; ++x) expected |= 3ull << (2 * x + 8);
    EXPECT_EQ(pos.lineBits1[0], expected);
    char why[200] = "";
    EXPECT_TRUE(checkConsistency(pos, why, sizeof why)) << why;
}

TEST(Geometry, BitTablesAndDiagonalPositions) {
    fixture::newBoard(pos, 0);
    EXPECT_EQ(bitIndex(1), 0);
    EXPECT_EQ(bitIndex(32768), 15);
    EXPECT_EQ(bitIndex(65536), 16);
    EXPECT_EQ(bitIndex(1u << 30), 30);
    for (int k = 0; k <= 30; ++k) EXPECT_EQ(bitIndex(1u << k), k);
    EXPECT_EQ(tables.popCount15[32768], 1);
    EXPECT_EQ(tables.popCount15[32767], 15);
    EXPECT_EQ(popCount30((1u << 30) - 1), 30);
    EXPECT_EQ(popCount30(0x2AAAAAAA), 15);
    EXPECT_EQ(geometry.diagPos2[0][0], 0);
    EXPECT_EQ(geometry.diagPos2[0][14], 14);
    EXPECT_EQ(geometry.diagPos3[14][0], 0);
    EXPECT_EQ(geometry.diagPos3[7][9], 7);
}

TEST(Zobrist, GeneratorAndFirstKey) {
    const uint32_t saved = tables.randState;
    tables.randState = 1;
    const int first[5] = {41, 18467, 6334, 26500, 19169};
    for (int v : first) EXPECT_EQ(nextZobristRandom(), v);
    tables.randState = 1;
    initZobrist();
    uint64_t expected = (41ull << 60) ^ (18467ull << 45) ^ (6334ull << 30) ^ (26500ull << 15) ^ 19169ull;
    EXPECT_EQ(tables.zobristKeys[0], expected);
    EXPECT_EQ(tables.zobristKeys[0] >> 60, 41ull & 15);
    // A rebuild continues the sequence, so it draws different keys.
    const uint64_t before = tables.zobristKeys[0];
    initZobrist();
    EXPECT_NE(tables.zobristKeys[0], before);
    tables.randState = saved;
}

TEST(PatternTable, WindowTableMatchesTheRules) {
    for (int occupancy = 0; occupancy < 32; ++occupancy)
        for (int ends = 0; ends < 4; ++ends)
            for (int i = 0; i < 5; ++i) {
                int index = windowTableIndex(occupancy, ends & 1, ends & 2, i);
                EXPECT_EQ(windowClassTable[index], windowClassByRules(occupancy, ends & 1, ends & 2, i))
                    << occupancy << " " << ends << " " << i;
            }
    const int row[5] = {1, 3, 4, 5, 0};  // occupancy X....
    for (int i = 0; i < 5; ++i) EXPECT_EQ(windowClassTable[windowTableIndex(1, false, false, i)], row[i]);
}

TEST(PatternTable, WindowRulesAreSymmetric) {
    auto mirror = [](int occupancy) {
        int m = 0;
        for (int j = 0; j < 5; ++j)
            if (occupancy & (1 << j)) m |= 1 << (4 - j);
        return m;
    };
    for (int occupancy = 1; occupancy < 32; ++occupancy)
        for (int ends = 0; ends < 4; ++ends)
            for (int i = 0; i < 5; ++i)
                EXPECT_EQ(windowClassByRules(occupancy, ends & 1, ends & 2, i),
                          windowClassByRules(mirror(occupancy), ends & 2, ends & 1, 4 - i));
}

TEST(PatternTable, ClassExamples) {
    ShapeInfo occupied = classify(0, "....X....");
    EXPECT_EQ(occupied.shape[0] | occupied.shape[1] | occupied.room[0] | occupied.room[1], 0);

    ShapeInfo empty = classify(0, ".........");
    EXPECT_EQ(empty.shape[0], 0);
    EXPECT_EQ(empty.shape[1], 0);
    EXPECT_EQ(empty.room[0], 8);
    EXPECT_EQ(empty.room[1], 8);

    ShapeInfo four = classify(0, "XXXX.....");
    EXPECT_EQ(four.shape[0], SHAPE_FIVE);
    EXPECT_EQ(four.shape[1], SHAPE_NONE);
    EXPECT_EQ(four.room[0], 8);
    EXPECT_EQ(four.room[1], 4);

    EXPECT_EQ(classify(0, "XXXX.X...").shape[0], SHAPE_FIVE);
    EXPECT_EQ(classify(1, "XXXX.X...").shape[0], SHAPE_OVERLINE);
    EXPECT_EQ(classify(2, "XXXX.X...").shape[0], SHAPE_OVERLINE);
    EXPECT_EQ(classify(0, "OOOO.O...").shape[1], SHAPE_FIVE);
    EXPECT_EQ(classify(1, "OOOO.O...").shape[1], SHAPE_OVERLINE);
    EXPECT_EQ(classify(2, "OOOO.O...").shape[1], SHAPE_FIVE);

    EXPECT_EQ(classify(0, ".XXX.....").shape[0], SHAPE_FOUR_OPEN);
    EXPECT_EQ(classify(0, "OXXX.....").shape[0], SHAPE_FOUR);
    EXPECT_EQ(classify(0, "..X......").shape[0], SHAPE_TWO_SPLIT);
    EXPECT_EQ(classify(0, "...X.X...").shape[0], SHAPE_THREE_OPEN);
    EXPECT_EQ(classify(0, "..XX.....").shape[0], SHAPE_THREE_OPEN);
    EXPECT_EQ(classify(0, ".OXX.....").shape[0], SHAPE_THREE_CLOSED);
    EXPECT_EQ(classify(0, "..XX.#...").shape[0], SHAPE_THREE_CLOSED);
    EXPECT_EQ(classify(0, "..XX.#...").room[0], 4);
}

// A blocked point closes lines like a stone of the other colour: replacing
// every white stone by a blocked point leaves black's class and room as they were.
TEST(PatternTable, BlockedPointActsLikeOpponentStone) {
    setBoardGeometry(15, 15, 1);
    int codes = 1;
    for (int p = 0; p < 9; ++p) codes *= 3;
    for (int t = 0; t < codes; ++t) {
        int code = 0, blocked = 0, v = t;
        for (int p = 0; p < 9; ++p, v /= 3) {
            code |= (v % 3) << (2 * p);
            blocked |= (v % 3 == 2 ? 3 : v % 3) << (2 * p);
        }
        ShapeInfo a = classifyPoint(code), b = classifyPoint(blocked);
        ASSERT_EQ(a.shape[0], b.shape[0]) << t;
        ASSERT_EQ(a.room[0], b.room[0]) << t;
    }
}

TEST(ComboTable, GeneralValues) {
    fixture::newBoardFromWeights(pos, 0);
    EXPECT_EQ(combo(8, 0, 0, 0), -125);
    EXPECT_EQ(combo(0, 8, 0, 8), -110);
    EXPECT_EQ(combo(0, 0, 12, 0), -1944);
    EXPECT_EQ(combo(12, 12, 0, 0), -1179);
    EXPECT_EQ(combo(8, 1, 8, 1), -125);
    EXPECT_EQ(combo(0, 0, 0, 0), 0);
    EXPECT_EQ(combo(8, 8, 0, 0, 2), -110);
}

TEST(ComboTable, DependsOnlyOnTheMultiset) {
    for (int rule = 0; rule < 3; ++rule) {
        fixture::newBoard(pos, rule);
        for (int index = 0; index < 65536; index += 7) {
            int k[4] = {index >> 12, (index >> 8) & 15, (index >> 4) & 15, index & 15};
            std::sort(k, k + 4);
            do {
                for (int c = 1; c <= 2; ++c)
                    ASSERT_EQ(combo(k[0], k[1], k[2], k[3], c), tables.comboTable[c - 1][index]);
            } while (std::next_permutation(k, k + 4));
        }
    }
}

// A fitted table holding the values the weights compute must build the very
// tables the weights build: the multiset numbering has no collision or gap,
// and each colour reads its own set under every rule.
TEST(ComboTable, StartingValuesAsFittedTableRebuildTheSameTables) {
    fixture::KeepComboValues keep;
    static int16_t fromWeights[2][65536];
    for (int rule = 0; rule < 4; ++rule) {
        useFittedComboValues = false;
        fixture::newBoard(pos, rule);
        std::copy(&tables.comboTable[0][0], &tables.comboTable[0][0] + 2 * 65536,
                  &fromWeights[0][0]);
        comboValuesFromWeights(fittedComboValues);
        useFittedComboValues = true;
        fixture::newBoard(pos, rule);
        useFittedComboValues = false;
        for (int t = 0; t < 2; ++t)
            for (int index = 0; index < 65536; ++index)
                ASSERT_EQ(tables.comboTable[t][index], fromWeights[t][index])
                    << rule << ' ' << t << ' ' << index;
    }
}

TEST(ComboTable, RenjuBlackCombinations) {
    fixture::newBoardFromWeights(pos, 2);
    EXPECT_EQ(combo(13, 12, 0, 0), 0);
    EXPECT_EQ(combo(13, 11, 11, 0), -510);
    EXPECT_EQ(combo(13, 8, 1, 0), -176);
    EXPECT_EQ(combo(9, 10, 0, 0), 128 - 512);
    EXPECT_EQ(combo(11, 9, 0, 1), 320 - 768);
    EXPECT_EQ(combo(8, 7, 0, 0), -125 - 158);
    EXPECT_EQ(combo(8, 7, 9, 0), -(175 + 158 + 256));
    EXPECT_EQ(combo(12, 9, 9, 0), -1947);  // a five beside the double four: general value
    // The combined value of a point is weight sum + correction.
    EXPECT_EQ(175 + 158 + 256 + combo(8, 7, 9, 0), 0);
    // White keeps the general values under Renju.
    EXPECT_EQ(combo(8, 8, 0, 0, 2), -110);
    EXPECT_EQ(combo(9, 9, 0, 0, 2), -196 + 3 * 36 * 36 / 256);
}

// Every ordering of a point's four classes must read its multiset's scores, and
// each colour its own set: black's and white's differ under Renju only.
TEST(OrderTable, EachColourReadsItsMultisetInItsSet) {
    static OrderScoreTable scores;
    for (int s = 0; s < COMBO_SETS; ++s)
        for (int m = 0; m < COMBO_MULTISETS; ++m) {
            scores.own[s][m] = static_cast<int16_t>(s * 4096 + m);
            scores.opp[s][m] = static_cast<int16_t>(-1 - s * 4096 - m);
        }
    const int blackSet[3] = {COMBO_SET_COMMON, COMBO_SET_COMMON, COMBO_SET_RENJU_BLACK};
    const int whiteSet[3] = {COMBO_SET_COMMON, COMBO_SET_COMMON, COMBO_SET_RENJU_WHITE};
    for (int rule = 0; rule < 3; ++rule) {
        setBoardGeometry(15, 15, rule);
        buildOrderTable(scores);
        for (int index = 0; index < 65536; ++index) {
            int k[4] = {index >> 12, (index >> 8) & 15, (index >> 4) & 15, index & 15};
            std::sort(k, k + 4, [](int l, int r) { return l > r; });
            const int m = comboMultiset(k[0], k[1], k[2], k[3]);
            for (int c = 1; c <= 2; ++c) {
                const int set = c == 1 ? blackSet[rule] : whiteSet[rule];
                const OrderScorePair e = tables.orderTable[c - 1][index];
                ASSERT_EQ(e.own, scores.own[set][m]) << rule << ' ' << c << ' ' << index;
                ASSERT_EQ(e.opp, scores.opp[set][m]) << rule << ' ' << c << ' ' << index;
            }
        }
    }
}

TEST(Tables, BuildTimeState) {
    // The pattern table follows the rule of the latest build.
    fixture::newBoard(pos, 0);
    EXPECT_EQ(tables.patternTable[codeOf("XXXX.X...")].shape[0], SHAPE_FIVE);
    fixture::newBoard(pos, 1);
    EXPECT_EQ(tables.patternTable[codeOf("XXXX.X...")].shape[0], SHAPE_OVERLINE);
    EXPECT_EQ(tables.patternTable[codeOf("XXXX.X...")].combo[0], 0);
}

}  // namespace
