// Incremental records kept by makeMove / unmakeMove on small hand-made positions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "board/geometry.h"
#include "board/position.h"
#include "board/shape_queries.h"
#include "support/position_fixture.h"

namespace {

// The position these tests build and change.
Position pos;

int cls(int x, int y, int d, int c) { return pos.shapeInfo[d][x][y].shape[c - 1]; }

void expectConsistent() {
    char why[256] = "";
    EXPECT_TRUE(checkConsistency(pos, why, sizeof why)) << why;
}

// The expected records are the weights' (a fitted table may give the shapeless
// multiset a value of its own); under the build's table too, a stone's point
// must add nothing to the totals.
TEST(MakeMove, SingleStone) {
    fixture::newBoardFromWeights(pos, 0);
    makeMove(pos, 7, 7, 1);
    EXPECT_EQ(cls(7, 8, 0, 1), SHAPE_TWO_OPEN);
    EXPECT_EQ(cls(7, 8, 0, 2), SHAPE_NONE);
    for (int d = 0; d < 4; ++d) {
        EXPECT_EQ(cls(7, 7, d, 1), 0);
        EXPECT_EQ(cls(7, 7, d, 2), 0);
    }
    EXPECT_EQ(pos.shapeInfo[4][7][7].combo[0], 0);
    EXPECT_EQ(pos.shapeInfo[4][7][7].value[0], 0);
    EXPECT_EQ(pos.moveCount, 1);
    EXPECT_EQ(pos.moveList[0][0], 7);
    EXPECT_EQ(pos.moveList[0][1], 7);
    EXPECT_EQ(pos.board[7][7], 1);
    expectConsistent();

    fixture::newBoard(pos, 0);
    makeMove(pos, 7, 7, 1);
    EXPECT_EQ(pos.shapeInfo[4][7][7].value[0], 0);
    EXPECT_EQ(pos.shapeInfo[4][7][7].value[1], 0);
    expectConsistent();
}

TEST(MakeMove, OpenTwoMakesThreePoints) {
    fixture::newBoardFromWeights(pos, 0);
    makeMove(pos, 7, 6, 1);
    makeMove(pos, 7, 7, 1);
    const int expectedDir[4] = {8, 1, 1, 1};
    for (int d = 0; d < 4; ++d) EXPECT_EQ(cls(7, 8, d, 1), expectedDir[d]) << d;
    const ShapeInfo& tot = pos.shapeInfo[4][7][8];
    EXPECT_EQ(tot.shape[0], 178);
    EXPECT_EQ(tot.combo[0], 53);
    EXPECT_EQ(tot.room[0], 32);
    EXPECT_EQ(tot.value[0], 53);
    EXPECT_EQ(cls(7, 4, 0, 1), SHAPE_THREE_SPLIT);
    EXPECT_EQ(cls(7, 5, 0, 1), SHAPE_THREE_OPEN);
    EXPECT_EQ(cls(7, 9, 0, 1), SHAPE_THREE_SPLIT);
    EXPECT_EQ(pos.setDirs[SET_THREE][0][7][8], 1);
    expectConsistent();
}

TEST(MakeMove, MakeThenUnmakeRestoresTheWords) {
    for (int rule = 0; rule < 3; ++rule) {
        fixture::setup(pos, rule, R"(
            ...............
            ...O...........
            ....X..........
            .....XO........
            ......X........
        )");
        Position before;
        std::memcpy(&before, &pos, sizeof pos);
        makeMove(pos, 8, 8, 2);
        expectConsistent();
        unmakeMove(pos, 8, 8, 2);
        expectConsistent();
        EXPECT_EQ(std::memcmp(pos.board, before.board, sizeof pos.board), 0);
        EXPECT_EQ(std::memcmp(pos.lineBits0, before.lineBits0, sizeof pos.lineBits0), 0);
        EXPECT_EQ(std::memcmp(pos.lineBits1, before.lineBits1, sizeof pos.lineBits1), 0);
        EXPECT_EQ(std::memcmp(pos.lineBits2, before.lineBits2, sizeof pos.lineBits2), 0);
        EXPECT_EQ(std::memcmp(pos.lineBits3, before.lineBits3, sizeof pos.lineBits3), 0);
        EXPECT_EQ(pos.hashKey, before.hashKey);
        EXPECT_EQ(pos.moveCount, before.moveCount);
    }
}

TEST(MakeMove, HashKeyIgnoresOrder) {
    fixture::newBoard(pos, 1);
    EXPECT_EQ(pos.hashKey, 0ull);
    makeMove(pos, 3, 4, 1);
    makeMove(pos, 9, 9, 2);
    makeMove(pos, 0, 14, 1);
    const uint64_t key = pos.hashKey;
    EXPECT_NE(key, 0ull);
    unmakeMove(pos, 0, 14, 1);
    unmakeMove(pos, 9, 9, 2);
    unmakeMove(pos, 3, 4, 1);
    EXPECT_EQ(pos.hashKey, 0ull);
    makeMove(pos, 0, 14, 1);
    makeMove(pos, 9, 9, 2);
    makeMove(pos, 3, 4, 1);
    EXPECT_EQ(pos.hashKey, key);
    expectConsistent();
}

// Right after a reset the points around a move start with the initial class 1
// and end on the table's values, which a take-back does not undo.
TEST(MakeMove, InitialClassesGiveWayToTableValues) {
    fixture::newBoard(pos, 0);
    const int32_t valueBefore = pos.totalValue[0];
    EXPECT_EQ(cls(7, 9, 0, 1), 1);
    makeMove(pos, 7, 7, 1);
    unmakeMove(pos, 7, 7, 1);
    EXPECT_EQ(cls(7, 9, 0, 1), 0);
    EXPECT_EQ(cls(7, 9, 1, 1), 1);  // not on a line of the move
    EXPECT_NE(pos.totalValue[0], valueBefore);
    EXPECT_EQ(pos.hashKey, 0ull);
    EXPECT_EQ(pos.moveCount, 0);
    expectConsistent();
}

// A room change alone is not copied; it is picked up with the next class change
// and then kept when that change is undone.
TEST(MakeMove, RoomIsRefreshedOnlyWithTheClass) {
    fixture::newBoard(pos, 0);
    makeMove(pos, 7, 6, 1);
    EXPECT_EQ(cls(7, 7, 0, 1), SHAPE_TWO_OPEN);
    EXPECT_EQ(pos.shapeInfo[0][7][7].room[0], 8);
    makeMove(pos, 7, 11, 2);  // four steps away: black's room at (7, 7) shrinks to 7 in the table
    EXPECT_EQ(cls(7, 7, 0, 1), SHAPE_TWO_OPEN);
    EXPECT_EQ(pos.shapeInfo[0][7][7].room[0], 8);
    makeMove(pos, 7, 8, 1);  // changes the class: the room is copied now
    EXPECT_EQ(cls(7, 7, 0, 1), SHAPE_THREE_OPEN);
    EXPECT_EQ(pos.shapeInfo[0][7][7].room[0], 7);
    unmakeMove(pos, 7, 8, 1);
    unmakeMove(pos, 7, 11, 2);
    EXPECT_EQ(cls(7, 7, 0, 1), SHAPE_TWO_OPEN);
    EXPECT_EQ(pos.shapeInfo[0][7][7].room[0], 7);
    expectConsistent();
}

TEST(LongLine, OverlineSeenByThePattern) {
    fixture::newBoard(pos, 1);
    for (int y : {0, 1, 2, 3, 5}) makeMove(pos, 5, y, 1);
    EXPECT_EQ(cls(5, 4, 0, 1), SHAPE_OVERLINE);
    EXPECT_EQ(pos.setRows[SET_FIVE][0], 0u);
    expectConsistent();
}

TEST(LongLine, OpenFourWithSixthStoneIsAFour) {
    for (int rule = 0; rule < 3; ++rule) {
        fixture::newBoard(pos, rule);
        for (int y : {4, 5, 6, 8}) makeMove(pos, 5, y, 1);
        EXPECT_EQ(cls(5, 3, 0, 1), rule == 0 ? SHAPE_FOUR_OPEN : SHAPE_FOUR) << rule;
        expectConsistent();
        unmakeMove(pos, 5, 8, 1);  // five steps from (5, 3)
        EXPECT_EQ(cls(5, 3, 0, 1), SHAPE_FOUR_OPEN) << rule;
        EXPECT_EQ(pos.setDirs[SET_OPEN_FOUR][0][5][3], 1);
        expectConsistent();
    }
}

TEST(LongLine, FiveWithSixthStoneFiveStepsAway) {
    for (int rule = 0; rule < 3; ++rule)
        for (int c = 1; c <= 2; ++c) {
            fixture::newBoard(pos, rule);
            for (int y : {4, 5, 6, 7, 8}) makeMove(pos, 5, y, c);
            const bool corrected = (rule == 1) || (rule == 2 && c == 1);
            EXPECT_EQ(cls(5, 3, 0, c), corrected ? SHAPE_OVERLINE : SHAPE_FIVE) << rule << c;
            EXPECT_EQ(cls(5, 9, 0, c), corrected ? SHAPE_OVERLINE : SHAPE_FIVE) << rule << c;
            EXPECT_EQ((pos.setCols[SET_FIVE][c - 1][5] >> 3) & 1, corrected ? 0u : 1u);
            expectConsistent();
        }
    // A stone five steps away that does not complete a six leaves the five alone.
    fixture::newBoard(pos, 1);
    for (int y : {4, 5, 6, 7, 9}) makeMove(pos, 5, y, 1);
    EXPECT_EQ(cls(5, 8, 0, 1), SHAPE_OVERLINE);  // seen by the pattern
    EXPECT_EQ(cls(5, 3, 0, 1), SHAPE_FIVE);  // the stone six steps away leaves a gap
    expectConsistent();
}

TEST(LongLine, RenjuCorrectsOnlyBlack) {
    for (int c = 1; c <= 2; ++c) {
        fixture::newBoard(pos, 2);
        for (int y : {4, 5, 6, 8}) makeMove(pos, 5, y, c);
        EXPECT_EQ(cls(5, 3, 0, c), c == 1 ? SHAPE_FOUR : SHAPE_FOUR_OPEN);
        expectConsistent();
    }
}

// Caro: the class of the point (8, 7) along row 7 (direction 1) for colour c,
// with c's stones drawn 'X' and the opponent's 'O'.
int caroClassAt(std::string row, int c = 1, int sizeX = 15, int sizeY = 15) {
    if (c == 2)
        for (char& ch : row) ch = ch == 'X' ? 'O' : ch == 'O' ? 'X' : ch;
    std::string drawing;
    for (int y = 0; y < 7; ++y) drawing += ".\n";
    fixture::setup(pos, RULE_CARO, drawing + row, sizeX, sizeY);
    expectConsistent();
    return cls(8, 7, 1, c);
}

TEST(CaroFive, ClosedAtBothEndsOrLongerIsNoFive) {
    //                           x: 0123456789...
    EXPECT_EQ(caroClassAt(".........XXXX.."), SHAPE_FIVE);      // open at both ends
    EXPECT_EQ(caroClassAt("....XXXX.O....."), SHAPE_FIVE);      // one end closed
    EXPECT_EQ(caroClassAt("...OXXXX.O....."), SHAPE_NONE);      // the far end beyond the nine points
    EXPECT_EQ(caroClassAt(".....OXX.XXO..."), SHAPE_NONE);      // both ends in sight
    EXPECT_EQ(caroClassAt(".....OXX.XXO...", 2), SHAPE_NONE);   // the same for white
    EXPECT_EQ(caroClassAt(".....OXX.XX....", 2), SHAPE_FIVE);
    EXPECT_EQ(caroClassAt("...#XXXX.O....."), SHAPE_NONE);      // a blocked point closes
    EXPECT_EQ(caroClassAt("....XXXX.#....."), SHAPE_FIVE);      // one blocked end only
    EXPECT_EQ(caroClassAt("....OXX..X....."), SHAPE_FOUR);      // a four closed on one side
    EXPECT_EQ(caroClassAt("....OXX..XO...."), SHAPE_NONE);      // its five would be closed at both
    EXPECT_EQ(caroClassAt("....XXXX.X....."), SHAPE_OVERLINE);  // six
    EXPECT_EQ(caroClassAt("......XX.XXX..."), SHAPE_OVERLINE);  // inside a longer line
    // The edge closes nothing: a 13 by 13 board's wall, the filler of a
    // rectangular board; a blocked point in the same place does.
    EXPECT_EQ(caroClassAt(".......O.XXXX", 1, 13, 13), SHAPE_FIVE);
    EXPECT_EQ(caroClassAt(".......O.XXXX", 1, 13, 15), SHAPE_FIVE);
    EXPECT_EQ(caroClassAt(".......O.XXXX#"), SHAPE_NONE);
}

// An open four answers one reply when a point past one free end would close the
// five that the other end leaves: the opponent takes the free end nearest it.
TEST(CaroFive, OpenFourNeedsNoClosingPointPastItsEnds) {
    EXPECT_EQ(caroClassAt(".....XXX......."), SHAPE_FOUR_OPEN);
    EXPECT_EQ(caroClassAt("...O.XXX......."), SHAPE_FOUR);
    EXPECT_EQ(caroClassAt(".....XXX..O...."), SHAPE_FOUR);
    EXPECT_EQ(caroClassAt("...#.XXX......."), SHAPE_FOUR);
    EXPECT_EQ(caroClassAt("...O.XXX.......", 2), SHAPE_FOUR);
    EXPECT_EQ(caroClassAt("...X.XXX......."), SHAPE_FOUR);  // six
    EXPECT_EQ(caroClassAt("...O.XXX..", 1, 10, 10), SHAPE_FOUR);
    EXPECT_EQ(caroClassAt(".....XXX..", 1, 10, 10), SHAPE_FOUR_OPEN);  // the wall closes nothing
}

TEST(MakeMove, BlockedPointsCloseLinesAndStayOffTheList) {
    fixture::setup(pos, 0, R"(
        .......
        .......
        ...#...
        .......
    )",
                   7, 5);
    EXPECT_EQ(pos.moveCount, 0);
    EXPECT_EQ(pos.board[3][2], 3);
    makeMove(pos, 3, 1, 1);
    makeMove(pos, 3, 0, 1);
    // Black's stones along x = 3 lie behind the blocked point: no class at
    // (3, 3). Its room was last copied when a filler point at (3, 5) changed
    // its class (3 + 1); the blocked point changed only the room, not copied.
    EXPECT_EQ(pos.shapeInfo[0][3][3].shape[0], 0);
    EXPECT_EQ(pos.shapeInfo[0][3][3].room[0], 4);
    expectConsistent();
    unmakeMove(pos, 3, 0, 1);
    unmakeMove(pos, 3, 1, 1);
    unmakeMove(pos, 3, 2, 3);
    EXPECT_EQ(pos.board[3][2], 0);
    EXPECT_EQ(pos.moveCount, 0);
    expectConsistent();
}

}  // namespace
