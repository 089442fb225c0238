// The turn driver called directly: first moves, shortcuts, the full search's
// limits and gates, and the report lines.
#include "driver/turn_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <regex>
#include <string>

#include "board/geometry.h"
#include "board/position.h"
#include "driver/game_setup.h"
#include "driver/iteration_timing.h"
#include "driver/memory_plan.h"
#include "driver/table_preparation.h"
#include "driver/turn_limits.h"
#include "driver_game.h"
#include "search/search_thread.h"
#include "support/time_bounds.h"
#include "rules/forbidden.h"
#include "search/root_report.h"
#include "search/search_table.h"
#include "threats/table_memory.h"

namespace {

// The position of the thread the drivers search with.
Position& pos = mainThread.pos;

using namespace drivertest;

// Black to move in an opening of fourteen stones that neither side has decided.
const char* const MIDGAME = R"(
    ...............
    ...............
    ...............
    .....X.........
    ...X.O.........
    ......XO.......
    ....X....O.....
    ......OX...O...
    .....X..O..X...
    ..........O....
    ...............
    ...............
    ...............
    ...............
    ...............)";

// Black to move; white's four has a single five point at (7,7).
const char* const WHITE_FOUR = R"(
    ...............
    ...............
    ..........X....
    ...............
    ............X..
    ...............
    ...............
    ..XOOOO........
    ...............
    ...............
    ...............
    ...............
    ..X............
    ...............
    ...............)";

// Black to move; white's open four has five points (2,7) and (7,7).
const char* const WHITE_OPEN_FOUR = R"(
    ...............
    ...............
    ..........X....
    ...............
    ............X..
    ...............
    ...............
    ...OOOO........
    ...............
    ...............
    ...............
    ...............
    ..X.........X..
    ...............
    ...............)";

// Black to move with an open four of its own: five points (2,7) and (7,7).
const char* const BLACK_OPEN_FOUR = R"(
    ...............
    ...............
    ..........O....
    ...............
    ............O..
    ...............
    ...............
    ...XXXX........
    ...............
    ...............
    ...............
    ...............
    ..O.........O..
    ...............
    ...............)";

TEST(TurnTime, BudgetIsTheTurnTimeOrTheMatchClocksShare) {
    fastSettings(0);
    settings.timeoutTurn = 30000;
    settings.timeLeft = 1000000000;
    EXPECT_EQ(computeTurnBudget(), 30000);
    EXPECT_EQ(turnBudgetFor(1000, 0, 10, 225), 0);
    EXPECT_EQ(turnBudgetFor(1000, -5, 10, 225), 0);
    // Little match time: far less than the turn, and far less than what is left.
    const int small = turnBudgetFor(5000, 10000, 0, 225);
    EXPECT_GT(small, 50);
    EXPECT_LT(small, 1000);
    // A 3 s clock early on a 20 by 20 board still leaves the search time of its own.
    const int short20 = turnBudgetFor(1000, 3000, 4, 400);
    EXPECT_GE(short20 - searchStopMargin(short20), 20);
    EXPECT_GE(expectedMovesToGo(500, 225), 1) << "a record longer than the board still shares by one";
    EXPECT_LE(expectedMovesToGo(220, 225), 3) << "no more moves than empty points";
}

// A whole game on the match clock: every move searches until its stop (the
// budget less the stop margin), then pays 3 ms of overhead (three times what
// the match tool measures for a reply), and the clock must never run out,
// whatever the board.
TEST(TurnTime, TheMatchClockNeverRunsOut) {
    for (int points : {225, 400}) {
        for (int start : {3000, 10000, 180000}) {
            long long left = start;
            for (int record = 0; record < points; record += 2) {
                const int budget = turnBudgetFor(5000, static_cast<int>(left), record, points);
                left -= std::max(0, budget - searchStopMargin(budget)) + 3;
                ASSERT_GT(left, 0) << points << " points, " << start << " ms, record " << record;
            }
        }
    }
}

TEST(TurnTime, NextIterationStartsWhenAQuarterOfItFits) {
    IterationTiming t;
    // The deepening began at 1000 ms on the clock, after 300 ms of set-up that
    // searched nothing: the node rate counts from there.
    resetIterationTiming(t, 1000, 0);
    EXPECT_TRUE(nextIterationFits(t, 1100, 1970, 0)) << "nothing measured yet";
    EXPECT_FALSE(nextIterationFits(t, 1970, 1970, 1000)) << "no time left";
    recordIteration(t, 1000);
    recordIteration(t, 4000);   // growth 4
    recordIteration(t, 16000);  // growth 4 again: the next one should take 64000 nodes
    // 21000 nodes in 210 ms: 64000 nodes take 640 ms, a quarter of it 160 ms.
    EXPECT_TRUE(nextIterationFits(t, 1210, 1400, 21000));
    EXPECT_FALSE(nextIterationFits(t, 1210, 1350, 21000));
    EXPECT_DOUBLE_EQ(predictedGrowth(t), 4.0);
    recordIteration(t, 16000 * 100);  // a jump is believed only within bounds
    EXPECT_LE(predictedGrowth(t), 12.0);
}

TEST(TurnTime, TablesShrinkUnderAMemoryLimit) {
    EXPECT_EQ(hashEntryTarget(524288, 0), 524288) << "no limit";
    EXPECT_EQ(hashEntryTarget(524288, 367001600), 524288) << "the Gomocup limit holds the default tables";
    const int n = hashEntryTarget(524288, 100000000);
    EXPECT_LT(n, 524288);
    EXPECT_LE(static_cast<long long>(n) * TABLE_BYTES_PER_ENTRY + (24ll << 20), 100000000);
    EXPECT_EQ(n & (n - 1), 0) << "a power of two reaches every slot";
    EXPECT_EQ(hashEntryTarget(1000, 100000000), 1000) << "a small hash_size stays";
    EXPECT_EQ(hashEntryTarget(524288, 1000), 1) << "a tiny limit still leaves one entry";
}

class TurnDriver : public ::testing::Test {
  protected:
    CapturedOutput output;

    void SetUp() override { fastSettings(0); }

    // Plays one turn and returns the reply; the move must be the last line.
    std::string playTurn() {
        capturedText().clear();
        runWithin(60000, [] { turnDriver(); });
        const auto lines = capturedLines();
        return lines.empty() ? std::string() : lines.back();
    }

    std::string lineStartingWith(const std::string& prefix) {
        for (const std::string& line : capturedLines())
            if (line.rfind(prefix, 0) == 0) return line;
        return std::string();
    }

    // The one-line summary (show_detail 0): the line with eight " | " fields.
    std::vector<std::string> summary() {
        for (const std::string& line : capturedLines()) {
            auto fields = summaryFields(line);
            if (fields.size() == 8) return fields;
        }
        return {};
    }

    // Builds the board for the recorded game the way a finished search leaves it.
    void buildBoard() {
        applyRule();
        ASSERT_NE(game.appliedRule, -1);
    }
};

TEST_F(TurnDriver, FirstMoveIsTheCentreOfAnyBoard) {
    const struct {
        int sizeX, sizeY;
        const char* reply;
    } cases[] = {{15, 15, "7,7"}, {20, 20, "10,10"}, {20, 15, "10,7"}, {15, 20, "7,10"}};
    for (const auto& c : cases) {
        startGame(c.sizeX, c.sizeY);
        EXPECT_EQ(playTurn(), c.reply) << c.sizeX << "x" << c.sizeY;
        EXPECT_EQ(game.recordLength, 1);
        EXPECT_EQ(game.appliedRule, -1) << "a first move builds no board";
        ASSERT_EQ(summary().size(), 8u);
        EXPECT_EQ(summary()[3], "0ms");
    }
}

TEST_F(TurnDriver, FirstMoveAvoidsBlockedPointsNearestFirst) {
    startGame();
    game.blockTable[7][7] = 1;
    EXPECT_EQ(playTurn(), "6,7");  // distance 1, first in x-then-y order
    startGame();
    game.blockTable[7][7] = 1;
    game.blockTable[6][7] = 1;
    EXPECT_EQ(playTurn(), "7,6");
    startGame();
    for (int x = 4; x <= 10; ++x)
        for (int y = 4; y <= 10; ++y) game.blockTable[x][y] = 1;
    EXPECT_EQ(playTurn(), "3,7");  // distance 4: (3,7) precedes (7,3)
}

TEST_F(TurnDriver, FullyBlockedFirstMoveIsRefusedNotRecorded) {
    startGame(5, 5);
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 5; ++y) game.blockTable[x][y] = 1;
    EXPECT_EQ(playTurn(), "-1,-1");
    EXPECT_NE(capturedText().find("ERROR my move [-1,-1]\n"), std::string::npos);
    EXPECT_EQ(game.recordLength, 0);
}

TEST_F(TurnDriver, BlocksASingleFiveWithoutSearching) {
    startGame();
    recordDrawing(WHITE_FOUR);
    buildBoard();
    EXPECT_EQ(playTurn(), "7,7");
    ASSERT_EQ(summary().size(), 8u);
    EXPECT_EQ(summary()[3], "0ms");
    EXPECT_EQ(mainThread.control.nodeCounter, 0);
    EXPECT_EQ(pos.board[7][7], BLACK);
}

TEST_F(TurnDriver, TwoFivesAreBlockedAtTheFirstAndReportedLost) {
    startGame();
    recordDrawing(WHITE_OPEN_FOUR);
    buildBoard();
    EXPECT_EQ(playTurn(), "2,7");
    ASSERT_EQ(summary().size(), 8u);
    EXPECT_EQ(summary()[7], "-10000 :-(");
    EXPECT_EQ(turnState.lastTurnValue, -10000000);
}

TEST_F(TurnDriver, ABlockBeforeTheBoardIsBuiltComesFromTheSearch) {
    startGame();
    recordDrawing(WHITE_FOUR);
    EXPECT_EQ(playTurn(), "7,7");
    EXPECT_NE(capturedText().find("MESSAGE Rule Gomoku (Freestyle)\n"), std::string::npos);
    EXPECT_GT(mainThread.control.nodeCounter, 0);
}

TEST_F(TurnDriver, FindsAndPlaysAWinningFive) {
    startGame();
    recordDrawing(BLACK_OPEN_FOUR);
    EXPECT_EQ(playTurn(), "2,7");  // the first five point
    ASSERT_EQ(summary().size(), 8u);
    EXPECT_EQ(summary()[7], "10000 :-)");
    EXPECT_GE(turnState.lastTurnValue - mainThread.control.rootDepth, WIN_SCORE);
}

TEST_F(TurnDriver, AProvenWinIsContinuedWithoutSearching) {
    startGame();
    recordDrawing(BLACK_OPEN_FOUR);
    buildBoard();
    turnState.lastTurnValue = WIN_SCORE + 3;
    mainThread.control.rootDepth = 3;
    EXPECT_EQ(playTurn(), "2,7");
    EXPECT_EQ(mainThread.control.nodeCounter, 0);
    EXPECT_EQ(summary()[3], "0ms");
    EXPECT_EQ(summary()[1], "3") << "the kept depth is reported";
}

TEST_F(TurnDriver, AProvenWinWithoutAFivePointGoesToTheSearch) {
    startGame();
    recordDrawing(WHITE_FOUR);
    buildBoard();
    turnState.lastTurnValue = WIN_SCORE + 3;  // a stale win: the block is no shortcut now
    mainThread.control.rootDepth = 3;
    EXPECT_EQ(playTurn(), "7,7");
    EXPECT_GT(mainThread.control.nodeCounter, 0);
    EXPECT_LT(turnState.lastTurnValue, WIN_SCORE);
}

TEST_F(TurnDriver, RenjuBlackNeverBlocksOnAForbiddenPoint) {
    fastSettings(2);
    startGame();
    // White's four needs (7,7); for black (7,7) would make two open threes.
    recordDrawing(R"(
        ...............
        ...............
        ...............
        ...............
        ...............
        .......X.......
        .......X.......
        ..XOOOO........
        ........X......
        .........X.....
        ...............
        ...............
        ............O..
        ...............
        ...............)");
    buildBoard();
    ASSERT_EQ(isForbidden(pos, 7, 7), 1);
    const std::string reply = playTurn();
    int x = -1;
    int y = -1;
    ASSERT_TRUE(parseMove(reply, x, y)) << reply;
    ASSERT_TRUE(onBoard(x, y)) << reply;
    EXPECT_EQ(capturedText().find("ERROR"), std::string::npos) << capturedText();
    unmakeMove(pos, x, y, BLACK);
    EXPECT_EQ(isForbidden(pos, x, y), 0) << reply;
    makeMove(pos, x, y, BLACK);
}

TEST_F(TurnDriver, RenjuBlackNeverPlaysAForbiddenPoint) {
    fastSettings(2);
    // (8,7) joins two open twos into a double three: tempting and forbidden.
    const char* drawing = R"(
        ...............
        ...............
        ...............
        ...............
        ...............
        ........X......
        ........X......
        ......XX.......
        ...............
        ...............
        ..O............
        ...............
        .O..........O..
        ...............
        .O.............)";
    for (int maxDepth : {0, 4}) {
        settings.maxDepth = maxDepth;
        startGame();
        recordDrawing(drawing);
        buildBoard();
        ASSERT_EQ(isForbidden(pos, 8, 7), 1);
        const std::string reply = playTurn();
        int x = -1;
        int y = -1;
        ASSERT_TRUE(parseMove(reply, x, y)) << reply;
        ASSERT_TRUE(onBoard(x, y)) << reply;
        unmakeMove(pos, x, y, BLACK);
        EXPECT_EQ(isForbidden(pos, x, y), 0) << "max_depth " << maxDepth << ": " << reply;
        makeMove(pos, x, y, BLACK);
    }
}

// From a match: 224 stones, and the last empty point (14,5) is forbidden for
// black. The reply used to be "-1,-1" after an ERROR line.
TEST_F(TurnDriver, RenjuBlackLeftWithAForbiddenPointOnlyStillNamesIt) {
    fastSettings(2);
    startGame();
    recordDrawing(R"(
        OXOXXOXOXXOXOOO
        OOXXXXOOXOOOXOO
        XOXOXOXXOOXOOOO
        OOXXXOXXOXOOOOX
        OXOXOOOXOXXXOXX
        OXOOOXOXOOOXXX.
        XOXXXXOOXOXOXXX
        XXXXOXXXOXOOOOX
        OOOOXOXOXXOXXXX
        OXXOOOXOXXXXOXO
        XXXXOXOXOXOXOOX
        OXXXOXOOOOXOXOO
        OOOXXXXOXOOXXOO
        XXOXOOOXXXOXOXO
        XOXOOXXOXOOXOOX)");
    buildBoard();
    ASSERT_EQ(isForbidden(pos, 14, 5), 1);
    EXPECT_EQ(playTurn(), "14,5");
    EXPECT_EQ(capturedText().find("ERROR"), std::string::npos) << capturedText();
}

TEST_F(TurnDriver, SummaryShowsTheLineRadiusOfTheRule) {
    settings.maxNode = -1;
    settings.maxDepth = 3;
    const char* radius[] = {"4", "5", "5", "5"};
    const int ruleSettings[] = {0, 1, 4, 8};
    for (int i = 0; i < 4; ++i) {
        settings.rule = ruleSettings[i];
        startGame();
        recordDrawing(MIDGAME);
        playTurn();
        const auto fields = summary();
        ASSERT_EQ(fields.size(), 8u) << capturedText();
        EXPECT_EQ(fields[6], radius[i]) << "rule " << ruleSettings[i];
        EXPECT_EQ(fields[1], "3");
        EXPECT_TRUE(std::regex_match(fields[0], std::regex("MESSAGE [0-9]+\\.[0-9]"))) << fields[0];
        EXPECT_TRUE(std::regex_match(fields[3], std::regex("[0-9]+ms"))) << fields[3];
    }
}

TEST_F(TurnDriver, BestLineFollowsTheSummaryAndPrecedesTheMove) {
    settings.maxNode = -1;
    settings.maxDepth = 4;
    startGame();
    recordDrawing(MIDGAME);
    const std::string reply = playTurn();
    const auto lines = capturedLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(summaryFields(lines[lines.size() - 3]).size(), 8u);
    const std::string& best = lines[lines.size() - 2];
    EXPECT_TRUE(std::regex_match(best, std::regex("MESSAGE (\\[[0-9]+,[0-9]+\\] ){1,4}"))) << best;
    // The best line starts with the move played (1-based coordinates).
    int x = 0;
    int y = 0;
    ASSERT_TRUE(parseMove(reply, x, y));
    EXPECT_EQ(
        best.rfind("MESSAGE [" + std::to_string(x + 1) + "," + std::to_string(y + 1) + "]", 0), 0u)
        << best << " / " << reply;
}

TEST_F(TurnDriver, DetailedReportsComeInOrder) {
    settings.showDetail = 1;
    settings.maxNode = -1;  // no time limit: the depth alone ends the search
    settings.maxDepth = 6;
    startGame();
    recordDrawing(MIDGAME);
    game.blockTable[0][0] = 1;
    game.blockTable[14][3] = 1;
    playTurn();
    const auto lines = capturedLines();
    ASSERT_GE(lines.size(), 6u);
    const size_t n = lines.size();
    EXPECT_EQ(lines[n - 2], "MESSAGE Block[15A] [1D] ");
    EXPECT_EQ(lines[n - 3].rfind("MESSAGE Bestline: [", 0), 0u) << lines[n - 3];
    EXPECT_TRUE(std::regex_match(
        lines[n - 4], std::regex("MESSAGE Speed: [0-9]+ \\| Evaluation: -?[0-9]+ ?(:-\\)|:-\\()?")))
        << lines[n - 4];
    EXPECT_TRUE(std::regex_match(
        lines[n - 5], std::regex("MESSAGE Complexity: [0-9.]+, [0-9.]+ \\| Depth: 6-[0-9]+ \\| "
                                 "Time: [0-9]+ms \\| Node: [0-9]+m")))
        << lines[n - 5];
    // Detail lines for depths 5 and 6 only, before the summary.
    const std::regex detail(
        "MESSAGE DETAIL DEPTH:([0-9]+)-[0-9]+ VAL:-?[0-9]+ TIME:[0-9]+ms NODE:[0-9]+m "
        "\\[[0-9]+,[A-Z]\\]");
    std::vector<int> depths;
    for (size_t i = 0; i < n - 5; ++i) {
        std::smatch m;
        if (std::regex_match(lines[i], m, detail)) depths.push_back(std::stoi(m[1]));
    }
    EXPECT_EQ(depths, (std::vector<int>{5, 6})) << capturedText();
}

TEST_F(TurnDriver, MaxDepthZeroPlaysThePreselection) {
    settings.maxDepth = 0;
    startGame();
    recordDrawing(MIDGAME);
    const std::string reply = playTurn();
    int x = -1;
    int y = -1;
    ASSERT_TRUE(parseMove(reply, x, y)) << reply;
    EXPECT_EQ(pos.board[x][y], BLACK);
    ASSERT_EQ(summary().size(), 8u);
    EXPECT_EQ(summary()[1], "0");
    EXPECT_EQ(summary()[7], "0 ");
    EXPECT_EQ(mainThread.control.nodeCounter, 0);
}

TEST_F(TurnDriver, NodeLimitEndsTheSearchEarly) {
    settings.maxNode = 1;  // 1024 nodes
    settings.timeoutTurn = 30000;
    startGame();
    recordDrawing(MIDGAME);
    const auto start = std::chrono::steady_clock::now();
    const std::string reply = playTurn();
    EXPECT_LT(elapsedMs(start), timeBound(5000));
    EXPECT_LT(mainThread.control.nodeCounter, 4 * 1024);
    int x = -1;
    int y = -1;
    ASSERT_TRUE(parseMove(reply, x, y)) << reply;
    EXPECT_EQ(pos.board[x][y], BLACK);
}

TEST_F(TurnDriver, AStopRequestEndsAnUnlimitedSearch) {
    settings.maxNode = -1;
    startGame();
    recordDrawing(MIDGAME);
    brainSignals.stopRequest = 1;
    const std::string reply = playTurn();
    brainSignals.stopRequest = 0;
    int x = -1;
    int y = -1;
    ASSERT_TRUE(parseMove(reply, x, y)) << reply;
    EXPECT_EQ(pos.board[x][y], BLACK);
}

TEST_F(TurnDriver, AnswersWithinTheTurnTime) {
    settings.hashSize = 524288;  // the default tables, as a real game allocates them
    startGame();
    recordDrawing(MIDGAME);
    settings.timeoutTurn = 1000;
    auto start = std::chrono::steady_clock::now();
    playTurn();
    EXPECT_LT(elapsedMs(start), timeBound(3000));
    // Little match time left: its share for this move, far below the turn time.
    startGame();
    recordDrawing(MIDGAME);
    settings.timeoutTurn = 30000;
    settings.timeLeft = 3200;
    start = std::chrono::steady_clock::now();
    playTurn();
    EXPECT_LT(elapsedMs(start), timeBound(1000));
    EXPECT_GT(mainThread.control.turnBudget, 0);
    EXPECT_LT(mainThread.control.turnBudget, 3200 / 10);
}

// A turn searches with the tables it finds; the preparation between turns (the
// brain thread's) gives them the size asked for.
TEST_F(TurnDriver, TablesFollowHashSizeBetweenTurnsAndShortMemoryIsReportedOnce) {
    settings.maxDepth = 2;
    startGame();
    recordDrawing(MIDGAME);
    playTurn();
    const int before = allocatedSearchTableCount();
    settings.hashSize = 2048;
    playTurn();
    EXPECT_EQ(allocatedSearchTableCount(), before) << "no resize inside a turn";
    EXPECT_TRUE(prepareTablesAndHelpers(nullptr));
    EXPECT_EQ(allocatedSearchTableCount(), 2048);
    // One MiB holds both kinds at 2048 entries (384 bytes each) but not at 65536:
    // the tables fall back to a smaller size and say so, once.
    setTableMemoryCeiling(1 << 20);
    settings.hashSize = 65536;
    capturedText().clear();
    prepareTablesAndHelpers(nullptr);
    const int fallback = allocatedSearchTableCount();
    EXPECT_LT(fallback, 65536);
    EXPECT_NE(capturedText().find("ERROR"), std::string::npos) << capturedText();
    capturedText().clear();
    prepareTablesAndHelpers(nullptr);
    EXPECT_EQ(capturedText().find("ERROR"), std::string::npos)
        << "the same size is not asked for again";
    playTurn();
    EXPECT_EQ(allocatedSearchTableCount(), fallback);
    setTableMemoryCeiling(0);
    settings.hashSize = 4096;
    prepareTablesAndHelpers(nullptr);
    EXPECT_EQ(allocatedSearchTableCount(), 4096);
}

TEST_F(TurnDriver, HugeMaxDepthStaysWithinTheWorkAreas) {
    // Three empty points and no five possible: no score ever decides the game,
    // so only the depth limits end an unlimited search.
    settings.maxNode = -1;
    settings.maxDepth = 1000000;
    startGame(5, 5);
    recordDrawing(R"(
        XXOOX
        OOXXO
        XX.OX
        OOXXO
        .XOO.)");
    // Black and white have 11 stones each: black to move.
    const std::string reply = playTurn();
    int x = -1;
    int y = -1;
    ASSERT_TRUE(parseMove(reply, x, y)) << capturedText();
    EXPECT_EQ(pos.board[x][y], BLACK);
    ASSERT_EQ(summary().size(), 8u);
    EXPECT_LE(std::stoi(summary()[1]), MAX_ITERATION_DEPTH);
}

TEST_F(TurnDriver, FullBoardRefusesTheMoveButStillReplies) {
    startGame(5, 5);
    recordDrawing(R"(
        XXOOX
        OOXXO
        XXOOX
        OOXXO
        XXOOX)");
    const std::string reply = playTurn();
    EXPECT_NE(capturedText().find("ERROR my move ["), std::string::npos) << capturedText();
    int x = 0;
    int y = 0;
    EXPECT_TRUE(parseMove(reply, x, y)) << reply;
    EXPECT_EQ(game.recordLength, 25);
}

}  // namespace
