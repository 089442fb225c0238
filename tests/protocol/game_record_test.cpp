// The game record while the board is not built: colours by order, refusals,
// take-backs and the blocked points kept for the build.
#include <gtest/gtest.h>

#include "core/game_state.h"
#include "driver/game_setup.h"
#include "driver/turn_state.h"
#include "output_capture.h"

namespace {

class GameRecord : public ::testing::Test {
protected:
    OutputCapture output;
    void SetUp() override {
        game.sizeX = 15;
        game.sizeY = 10;
        game.boardSize = 15;
        game.recordLength = 0;
        game.blockedCount = 0;
        game.appliedRule = -1;
    }
};

TEST_F(GameRecord, ColourFollowsTheOrderNotWhoPlaced) {
    placeOpponentStone(7, 7);
    placeOpponentStone(7, 8);
    placeOwnStone(1, 2);
    ASSERT_EQ(game.recordLength, 3);
    EXPECT_EQ(game.gameRecord[0].colour, 1);
    EXPECT_EQ(game.gameRecord[1].colour, 2);
    EXPECT_EQ(game.gameRecord[2].colour, 1);
    EXPECT_EQ(game.gameRecord[2].x, 1);
    EXPECT_EQ(game.gameRecord[2].y, 2);
    EXPECT_EQ(output.written(), "");
}

TEST_F(GameRecord, RefusesRepeatedAndOffBoardPoints) {
    placeOwnStone(3, 4);
    placeOwnStone(3, 4);
    placeOpponentStone(3, 4);
    placeOpponentStone(14, 10);  // y is bounded by 10
    placeOwnStone(-1, 0);
    EXPECT_EQ(game.recordLength, 1);
    EXPECT_EQ(output.written(),
              "ERROR my move [3,4]\n"
              "ERROR opponents's move [3,4]\n"
              "ERROR opponents's move [14,10]\n"
              "ERROR my move [-1,0]\n");
}

TEST_F(GameRecord, NeverHoldsMoreThanTheBoardsPoints) {
    game.sizeX = 20;
    game.sizeY = 20;
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 20; ++y) placeOwnStone(x, y);
    EXPECT_EQ(game.recordLength, MAX_POINTS);
    EXPECT_EQ(output.written(), "");
    placeOpponentStone(0, 0);
    EXPECT_EQ(game.recordLength, MAX_POINTS);
    EXPECT_EQ(output.written(), "ERROR opponents's move [0,0]\n");
}

TEST_F(GameRecord, TakeBackUndoesTheLastStoneOnly) {
    placeOwnStone(1, 1);
    placeOpponentStone(2, 2);
    turnState.lastTurnValue = 77;
    EXPECT_EQ(takeBack(1, 1), 2);  // not the last stone: record and board would part
    EXPECT_EQ(takeBack(5, 5), 2);  // empty point
    EXPECT_EQ(game.recordLength, 2);
    EXPECT_EQ(turnState.lastTurnValue, 77);
    EXPECT_EQ(takeBack(2, 2), 0);
    EXPECT_EQ(game.recordLength, 1);
    EXPECT_EQ(turnState.lastTurnValue, 0);
    EXPECT_EQ(takeBack(1, 1), 0);
    EXPECT_EQ(game.recordLength, 0);
    EXPECT_EQ(takeBack(1, 1), 2);  // never below zero
    EXPECT_EQ(game.recordLength, 0);
}

// Blocked points are part of the position before the build as after it: they
// take their point from stones and stones from them.
TEST_F(GameRecord, BlockedPointsAreKeptBeforeTheBuild) {
    placeOwnStone(3, 3);
    placeBlockedStone(4, 4);
    placeBlockedStone(3, 3);
    placeBlockedStone(4, 4);
    placeBlockedStone(15, 0);  // x is bounded by 15
    placeOpponentStone(4, 4);
    EXPECT_EQ(game.recordLength, 1);
    ASSERT_EQ(game.blockedCount, 1);
    EXPECT_EQ(game.blockedPoints[0].x, 4);
    EXPECT_EQ(output.written(),
              "ERROR board-block move [3,3]\n"
              "ERROR board-block move [4,4]\n"
              "ERROR board-block move [15,0]\n"
              "ERROR opponents's move [4,4]\n");
}

TEST(RuleName, EveryValueBeyondStandardIsRenju) {
    EXPECT_STREQ(ruleName(0), "Gomoku (Freestyle)");
    EXPECT_STREQ(ruleName(1), "Gomoku (Standard)");
    EXPECT_STREQ(ruleName(2), "Renju");
    EXPECT_STREQ(ruleName(4), "Renju");
}

}  // namespace
