// The balance driver: the pair list, its thinning, and whole QVBALANCE runs
// called directly.
#include "driver/balance_driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "board/geometry.h"
#include "board/position.h"
#include "driver/balance_pairs.h"
#include "driver/game_setup.h"
#include "driver_game.h"

namespace {

// The position of the thread the drivers search with.
Position& pos = mainThread.pos;

using namespace drivertest;

TEST(BalanceThinning, LongListsAreCappedThenCut) {
    EXPECT_EQ(thinnedCount(5000, 1, 100), 1024);
    EXPECT_EQ(thinnedCount(700, 1, 100), 700);
    EXPECT_EQ(thinnedCount(1024, 2, 100), 512);
    EXPECT_EQ(thinnedCount(512, 3, 100), 256);
    EXPECT_EQ(thinnedCount(256, 4, 0), 128);
    EXPECT_EQ(thinnedCount(100, 4, 0), 100);
    EXPECT_EQ(thinnedCount(128, 5, 0), 76);  // 128 x 0.6 = 76.8
    EXPECT_EQ(thinnedCount(60, 9, 0), 36);
    EXPECT_EQ(thinnedCount(40, 6, 0), 31);  // never below 31
    EXPECT_EQ(thinnedCount(32, 7, 0), 31);
}

TEST(BalanceThinning, ShortListsShrinkSlowlyOnlyWhenEven) {
    EXPECT_EQ(thinnedCount(31, 5, 16), 28);
    EXPECT_EQ(thinnedCount(17, 5, 3), 14);
    EXPECT_EQ(thinnedCount(16, 1, 0), 14);
    EXPECT_EQ(thinnedCount(9, 2, 5), 7);
    EXPECT_EQ(thinnedCount(8, 2, 5), 7);
    EXPECT_EQ(thinnedCount(5, 2, 5), 4);
    EXPECT_EQ(thinnedCount(4, 9, 0), 4);
    EXPECT_EQ(thinnedCount(1, 9, 0), 1);
    EXPECT_EQ(thinnedCount(31, 5, 17), 31);  // an uneven front pair keeps them all
}

class BalanceDriver : public ::testing::Test {
  protected:
    CapturedOutput output;

    void SetUp() override { fastSettings(0); }

    void run() {
        capturedText().clear();
        runWithin(60000, [] { balanceDriver(); });
    }

    // The final line, split into its numbers and the two named points.
    struct Final {
        bool ok = false;
        int depth = -1, value = -1;
        int x1 = -1, y1 = -1, x2 = -1, y2 = -1;
    };
    Final finalLine() {
        const auto lines = capturedLines();
        Final f;
        if (lines.empty()) return f;
        static const std::regex form(
            "MESSAGE DETAIL \\(BALANCE MOVE\\) DEPTH:([0-9]+)-[0-9]+ \\|VAL\\|:([0-9]+) "
            "TIME:[0-9]+ms NODE:[0-9]+m "
            "\\[([0-9]+),([A-Z])\\]\\[([0-9]+),([A-Z])\\]");
        std::smatch m;
        if (!std::regex_match(lines.back(), m, form)) return f;
        f.ok = true;
        f.depth = std::stoi(m[1]);
        f.value = std::stoi(m[2]);
        f.x1 = game.sizeX - std::stoi(m[3]);
        f.y1 = m[4].str()[0] - 'A';
        f.x2 = game.sizeX - std::stoi(m[5]);
        f.y2 = m[6].str()[0] - 'A';
        return f;
    }
};

TEST_F(BalanceDriver, EmptyBoardListsEveryCloseOrderedPair) {
    startGame();
    applyRule();
    const uint64_t key = pos.hashKey;
    const int n = buildPairList(BLACK);
    int expected = 0;
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y)
            for (int u = 0; u < 15; ++u)
                for (int v = 0; v < 15; ++v)
                    if ((u != x || v != y) && std::abs(u - x) <= 3 && std::abs(v - y) <= 3)
                        ++expected;
    EXPECT_EQ(n, expected);
    for (int i = 0; i < n; ++i) {
        const BalancePair& p = balancePairs[i];
        ASSERT_LE(std::abs(p.x1 - p.x2), 3);
        ASSERT_LE(std::abs(p.y1 - p.y2), 3);
        ASSERT_GE(p.value, 0);
    }
    EXPECT_EQ(pos.hashKey, key) << "the board is left as it was";
    sortPairs(n);
    for (int i = 1; i < n; ++i) ASSERT_LE(balancePairs[i - 1].value, balancePairs[i].value);
}

TEST_F(BalanceDriver, WithStonesBothPointsStayNearThem) {
    startGame();
    recordDrawing(R"(
        ...............
        ...............
        ...............
        ...............
        ...............
        ...............
        ...............
        .......X.......)");
    applyRule();
    const int n = buildPairList(WHITE);
    ASSERT_GT(n, 0);
    auto near = [](int x, int y) { return std::abs(x - 7) <= 3 && std::abs(y - 7) <= 3; };
    bool farSecond = false;
    for (int i = 0; i < n; ++i) {
        const BalancePair& p = balancePairs[i];
        const bool close = std::abs(p.x1 - p.x2) <= 3 && std::abs(p.y1 - p.y2) <= 3;
        const int held = (close ? 1 : 0) + (near(p.x1, p.y1) ? 1 : 0) + (near(p.x2, p.y2) ? 1 : 0);
        ASSERT_GE(held, 2) << p.x1 << "," << p.y1 << " " << p.x2 << "," << p.y2;
        ASSERT_FALSE(p.x1 == 7 && p.y1 == 7);
        ASSERT_FALSE(p.x2 == 7 && p.y2 == 7);
        if (!near(p.x2, p.y2)) farSecond = true;
    }
    EXPECT_TRUE(farSecond) << "a point next to a near one is listed even when far from the stone";
}

TEST_F(BalanceDriver, EmptyBoardAnswersWithTwoClosePoints) {
    settings.showDetail = 1;
    settings.timeoutTurn = 600;
    startGame();
    turnState.lastTurnValue = 1234;
    run();
    const Final f = finalLine();
    ASSERT_TRUE(f.ok) << capturedText();
    EXPECT_FALSE(f.x1 == f.x2 && f.y1 == f.y2);
    EXPECT_LE(std::abs(f.x1 - f.x2), 3);
    EXPECT_LE(std::abs(f.y1 - f.y2), 3);
    EXPECT_EQ(settings.showDetail.load(), 1);
    EXPECT_EQ(capturedText().find("REALTIME"), std::string::npos);
    EXPECT_EQ(game.recordLength, 0);
    EXPECT_EQ(pos.moveCount, 0);
    EXPECT_EQ(turnState.lastTurnValue, 0);
    // Every line before the final one reports one finished iteration, in order.
    const auto lines = capturedLines();
    const std::regex step(
        "MESSAGE DETAIL DEPTH:([0-9]+)-[0-9]+ \\|VAL\\|:[0-9]+ TIME:[0-9]+ms NODE:[0-9]+m "
        "\\[[0-9]+,[A-Z]\\]\\[[0-9]+,[A-Z]\\]");
    int iterations = 0;
    for (const std::string& line : lines) {
        std::smatch m;
        if (std::regex_match(line, m, step)) {
            EXPECT_EQ(std::stoi(m[1]), ++iterations);
        }
    }
    EXPECT_EQ(f.depth, iterations);
}

TEST_F(BalanceDriver, MidGamePairIsOnEmptyPointsAndBoardIsRestored) {
    settings.timeoutTurn = 400;
    startGame();
    recordDrawing(R"(
        ...............
        ...............
        ...............
        .....X.........
        ...X.O.........
        ......XO.......
        ....X....O.....
        ......OX...O...
        .....X..O..X...
        ..........O....)");
    applyRule();
    const uint64_t key = pos.hashKey;
    run();
    const Final f = finalLine();
    ASSERT_TRUE(f.ok) << capturedText();
    EXPECT_EQ(pos.board[f.x1][f.y1], EMPTY);
    EXPECT_EQ(pos.board[f.x2][f.y2], EMPTY);
    EXPECT_EQ(pos.hashKey, key);
    EXPECT_EQ(game.recordLength, 14);
}

TEST_F(BalanceDriver, ShortListSearchesKeepTheBoardAndReportTheFrontPair) {
    // 28 stones on 6 by 6, no five possible: 56 pairs, cut to 31 from depth 5
    // on, so the deeper iterations defend the front pair with narrow windows
    // and swap records; every pair must still be undone exactly.
    settings.maxNode = -1;
    settings.maxDepth = 9;
    startGame(6, 6);
    recordDrawing(R"(
        .XOXXX
        OOX.OO
        OXOXOX
        .OX.OO
        OXO..X
        .XXX.O)");
    applyRule();
    const uint64_t key = pos.hashKey;
    run();
    EXPECT_EQ(pos.hashKey, key);
    EXPECT_EQ(pos.moveCount, 28);
    const Final f = finalLine();
    ASSERT_TRUE(f.ok) << capturedText();
    EXPECT_EQ(f.depth, 9);
    const BalancePair& front = balancePairs[0];
    EXPECT_EQ(f.x1, front.x1);
    EXPECT_EQ(f.y1, front.y1);
    EXPECT_EQ(f.x2, front.x2);
    EXPECT_EQ(f.y2, front.y2);
    EXPECT_EQ(f.value, front.value < 10000 ? front.value : 10000);
    EXPECT_EQ(pos.board[f.x1][f.y1], EMPTY);
    EXPECT_EQ(pos.board[f.x2][f.y2], EMPTY);
}

TEST_F(BalanceDriver, AStopRequestReportsTheStaticFrontPair) {
    settings.maxNode = -1;  // only the stop ends it
    startGame();
    brainSignals.stopRequest = 1;
    run();
    brainSignals.stopRequest = 0;
    const Final f = finalLine();
    ASSERT_TRUE(f.ok) << capturedText();
    EXPECT_EQ(f.depth, 0);
}

TEST_F(BalanceDriver, NoPairToNameGivesALineWithoutPoints) {
    settings.maxNode = -1;
    startGame(5, 5);
    recordDrawing(R"(
        XXOOX
        OOXXO
        XXOOX
        OOXXO
        XXOO.)");
    run();
    const auto lines = capturedLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(std::regex_match(
        lines.back(), std::regex("MESSAGE DETAIL \\(BALANCE MOVE\\) DEPTH:0-0 \\|VAL\\|:0 "
                                 "TIME:[0-9]+ms NODE:0m")))
        << lines.back();
    EXPECT_EQ(capturedText().find("MESSAGE DETAIL DEPTH"), std::string::npos);
}

}  // namespace
