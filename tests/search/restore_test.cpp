// The search leaves the position as it found it, stops cleanly, and never runs
// past the per-ply work areas.
#include <gtest/gtest.h>

#include <random>

#include "board/shape_queries.h"
#include "search/search_state.h"
#include "search/search_thread.h"
#include "search_setup.h"

using namespace searchtest;

namespace {

// The position of the thread the drivers search with.
Position& pos = mainThread.pos;

// Random stones in the middle of a 15 by 15 board, alternating colours.
void randomPosition(std::mt19937& rng, int rule, int stones) {
    fixture::newBoard(pos, rule);
    std::uniform_int_distribution<int> coord(3, 11);
    int colourToPlay = BLACK;
    for (int placed = 0; placed < stones;) {
        const int x = coord(rng), y = coord(rng);
        if (pos.board[x][y] != EMPTY) continue;
        makeMove(pos, x, y, colourToPlay);
        colourToPlay ^= 3;
        ++placed;
    }
}

const char* kMiddleGame = R"(
    ...............
    ...............
    ...............
    ...............
    ...............
    ......O........
    .....X.X.......
    ....X.XOX......
    .....O..O......
    ......O........
    ...............)";

}  // namespace

TEST(Restore, RandomPositionsAreRestoredAfterSearchesStoppedOrNot) {
    std::mt19937 rng(20261207);
    int stopped = 0, finished = 0;
    for (int round = 0; round < 36; ++round) {
        const int rule = round % 3;
        const int depth = 1 + round % 6;
        randomPosition(rng, rule, 6 + static_cast<int>(rng() % 24));
        Snapshot before;
        prepare(depth);
        // Deep searches get a small node limit, so that some of them stop midway.
        settings.maxNode = depth <= 3 ? 2000000000 : 1 + static_cast<int>(rng() % 12);
        const int side = 1 + static_cast<int>(rng() % 2);
        alphaBeta(mainThread, depth, -FULL_WINDOW, FULL_WINDOW, side, 0);
        (mainThread.control.searchStopFlag ? stopped : finished) += 1;
        ASSERT_TRUE(before.sameBoard()) << "round " << round;
        ASSERT_TRUE(before.sameLines()) << "round " << round;
        ASSERT_TRUE(before.sameSets()) << "round " << round;
        ASSERT_EQ(before.p.hashKey, pos.hashKey) << "round " << round;
        ASSERT_EQ(before.p.moveCount, pos.moveCount) << "round " << round;
    }
    EXPECT_GT(stopped, 0);
    EXPECT_GT(finished, 0);
}

TEST(Restore, RuleSettingChangedDuringSearchIsNotUsed) {
    // Two identical builds, searched once with the rule setting matching the board
    // and once with an INFO rule that arrived after the build.
    settings.rule = 0;
    fixture::setup(pos, 0, kMiddleGame);
    const int plain = searchRoot(4, BLACK);
    const int x = mainThread.root.bestX, y = mainThread.root.bestY;
    fixture::setup(pos, 0, kMiddleGame);
    Snapshot before;
    settings.rule = 4;
    EXPECT_EQ(searchRoot(4, BLACK), plain);
    EXPECT_EQ(mainThread.root.bestX, x);
    EXPECT_EQ(mainThread.root.bestY, y);
    EXPECT_TRUE(before.samePosition());
    settings.rule = 0;
}

TEST(Stop, EarlyStopReturnsZeroAndKeepsTheBestMove) {
    fixture::setup(pos, 0, kMiddleGame);
    Snapshot before;
    prepare(7);
    settings.maxNode = 0;  // stops at the first limit check, node 1024
    mainThread.root.bestX = -7;
    mainThread.root.bestY = -7;
    EXPECT_EQ(alphaBeta(mainThread, 7, -FULL_WINDOW, FULL_WINDOW, BLACK, 0), 0);
    EXPECT_EQ(mainThread.control.searchStopFlag, 1);
    EXPECT_EQ(mainThread.root.bestX, -7);
    EXPECT_TRUE(before.samePosition());
}

TEST(Stop, LateStopReturnsUsableResult) {
    fixture::setup(pos, 0, kMiddleGame);
    const int full = searchRoot(6, BLACK);
    ASSERT_EQ(mainThread.control.searchStopFlag, 0);
    const int64_t total = mainThread.control.nodeCounter;
    ASSERT_GT(total, 4096) << "the search must be long enough to stop late";
    // The same search on a fresh build, stopped within its last 2048 nodes, on its
    // last root moves.
    fixture::setup(pos, 0, kMiddleGame);
    Snapshot before;
    prepare(6);
    settings.maxNode = static_cast<int>(total >> 10) - 2;
    mainThread.root.bestX = -7;
    const int stoppedScore = alphaBeta(mainThread, 6, -FULL_WINDOW, FULL_WINDOW, BLACK, 0);
    ASSERT_EQ(mainThread.control.searchStopFlag, 1);
    EXPECT_NE(stoppedScore, 0);
    EXPECT_TRUE(onBoard(mainThread.root.bestX, mainThread.root.bestY));
    EXPECT_EQ(pos.board[mainThread.root.bestX][mainThread.root.bestY], EMPTY);
    EXPECT_LE(stoppedScore, 6 + 9999999);
    EXPECT_GE(stoppedScore, -6 - 9999999);
    EXPECT_TRUE(before.samePosition());
    (void)full;
}

TEST(Stop, NoLimitMeansOnlyAStopRequestEndsTheSearch) {
    fixture::setup(pos, 0, kMiddleGame);
    prepare(4);
    settings.maxNode = -1;
    mainThread.control.turnBudget = 0;  // long past
    alphaBeta(mainThread, 4, -FULL_WINDOW, FULL_WINDOW, BLACK, 0);
    EXPECT_EQ(mainThread.control.searchStopFlag, 0);
    EXPECT_GT(mainThread.control.nodeCounter, 1024);
    EXPECT_TRUE(onBoard(mainThread.root.bestX, mainThread.root.bestY));
    prepare(6);
    settings.maxNode = -1;
    brainSignals.stopRequest = 1;
    EXPECT_EQ(alphaBeta(mainThread, 6, -FULL_WINDOW, FULL_WINDOW, BLACK, 0), 0);
    EXPECT_EQ(mainThread.control.searchStopFlag, 1);
    brainSignals.stopRequest = 0;
}

// A staircase of fours on a 20 by 20 board: every block makes a four of the
// blocker, whose five point the other side must block in turn.
// Corners Q0 (0,0), Q1 (4,0), Q2 (4,4), ... Q8 (16,16); black plays the even
// corners along rows, white the odd ones along columns.
void buildStaircase() {
    fixture::newBoard(pos, 0, 20, 20);
    // White's opening four on column 0 points at (0,0); black closes its far end.
    for (int y = 1; y <= 4; ++y) makeMove(pos, 0, y, WHITE);
    makeMove(pos, 0, 5, BLACK);
    for (int i = 0; i < 8; ++i) {
        const int cx = 4 * ((i + 1) / 2), cy = 4 * (i / 2);  // corner Q_i
        const int mover = i % 2 == 0 ? BLACK : WHITE;
        const bool alongRow = i % 2 == 0;
        for (int s = 1; s <= 3; ++s)
            makeMove(pos, alongRow ? cx + s : cx, alongRow ? cy : cy + s, mover);
        // The end behind the corner is closed by the other side, so each four has one five point.
        const int bx = alongRow ? cx - 1 : cx, by = alongRow ? cy : cy - 1;
        if (bx >= 0 && by >= 0 && pos.board[bx][by] == EMPTY) makeMove(pos, bx, by, mover ^ 3);
    }
}

TEST(PlyBound, LongChainOfBlocksStopsBeforeTheWorkAreasEnd) {
    buildStaircase();
    int x = -1, y = -1;
    ASSERT_TRUE(firstMember(pos, SET_FIVE, WHITE, x, y));
    ASSERT_EQ(x, 0);
    ASSERT_EQ(y, 0);
    ASSERT_EQ(pos.setRows[SET_FIVE][BLACK - 1], 0u);
    Snapshot before;

    // The chain unrolls fully from the root.
    searchRoot(1, BLACK);
    int deepest = 0;
    for (int p = 0; p < MAX_PLY; ++p)
        if (mainThread.state.plyNodeCounter[p] != 0) deepest = p;
    EXPECT_GE(deepest, 8) << "every block of the staircase is a node of its own";
    EXPECT_TRUE(before.samePosition());

    // The same chain met near the deepest plies, whatever depth the driver asked for.
    for (int start : {LAST_NODE_PLY - 4, MAX_PLY - 3, MAX_PLY - 1}) {
        prepare(start + 1);
        alphaBeta(mainThread, 1, -FULL_WINDOW, FULL_WINDOW, BLACK, 0);
        for (int p = LAST_NODE_PLY; p < MAX_PLY; ++p)
            EXPECT_EQ(mainThread.state.plyNodeCounter[p], 0u) << "start " << start << " ply " << p;
        EXPECT_TRUE(before.samePosition());
    }
    prepare(LAST_NODE_PLY - 4 + 1);
    alphaBeta(mainThread, 1, -FULL_WINDOW, FULL_WINDOW, BLACK, 0);
    EXPECT_NE(mainThread.state.plyNodeCounter[LAST_NODE_PLY - 1], 0u)
        << "the chain reaches the last node ply";
}

TEST(PlyBound, MaximumRootDepthSearchesStayInBounds) {
    fixture::setup(pos, 0, kMiddleGame);
    Snapshot before;
    prepare(MAX_PLY);
    settings.maxNode = 20;
    alphaBeta(mainThread, MAX_PLY, -FULL_WINDOW, FULL_WINDOW, BLACK, 0);
    EXPECT_TRUE(before.samePosition());
}
