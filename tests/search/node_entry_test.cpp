// Node entry and end-of-node results of the alpha-beta search.
#include <gtest/gtest.h>

#include "board/shape_queries.h"
#include "rules/forbidden.h"
#include "search/search_thread.h"
#include "search_setup.h"

using namespace searchtest;

namespace {

// The position of the thread the drivers search with.
Position& pos = mainThread.pos;

const char* kFourInRow = R"(
    ...............
    ...............
    ...............
    ...............
    ...............
    ...............
    ...............
    ..OXXXX........
    ...............
    ...............
    ...............
    ...............
    ...............
    ...............
    ...............)";

const char* kTwoFivePoints = R"(
    ...............
    ...............
    ...............
    ...............
    ...............
    ...OOOO........
    ...............
    ...............
    ....XX.........
    .........X.....
    ...............
    ...............
    ...............
    ...............
    ...............)";

// Black's only open-four point (6,7) also makes a vertical four: a double four.
const char* kForbiddenOpenFour = R"(
    ...............
    ...............
    ...............
    ......O....O...
    ......X........
    ......X........
    ......X........
    .....X.XX......
    ...............
    ...............
    ..........O....
    ...............
    ...............
    ...............
    ...............)";

// White's only five point (5,7) would give black six in a row.
const char* kBlockOnForbiddenPoint = R"(
    ...............
    ...............
    .....X.........
    .....O.........
    .....O.........
    .....O.........
    .....O.........
    ..XXX.XX.......
    ...............
    ...............
    ...............
    ...............
    ...............
    ...............
    ...............)";

const char* kQuietMiddle = R"(
    ...............
    ...............
    ...............
    ...............
    ...............
    ......O........
    .....XX........
    ......XO.......
    .....O.........
    ...............
    ...............
    ...............
    ...............
    ...............
    ...............)";

}  // namespace

TEST(NodeEntry, FivePointWinsAtOnceAlsoAtTheRoot) {
    for (int rule = 0; rule < 3; ++rule) {
        fixture::setup(pos, rule, kFourInRow);
        Snapshot before;
        EXPECT_EQ(searchRoot(4, BLACK), 10000000 + 4) << "rule " << rule;
        EXPECT_EQ(mainThread.control.expandedNodeCounter, 0);
        EXPECT_EQ(mainThread.root.bestX, 7);
        EXPECT_EQ(mainThread.root.bestY, 7);
        EXPECT_TRUE(before.samePosition());
        // Below the root the same holds with the node's own remaining depth.
        prepare(6);
        EXPECT_EQ(alphaBeta(mainThread, 2, -5, -4, BLACK, 0), 10000000 + 2);
    }
}

TEST(NodeEntry, OnlyTheFirstOfTwoOpponentFivePointsIsSearched) {
    fixture::setup(pos, 0, kTwoFivePoints);
    Capture capture;
    prepare(8);
    settings.showDetail = 1;
    const int score = alphaBeta(mainThread, 8, -FULL_WINDOW, FULL_WINDOW, BLACK, 0);
    // The block at (2,5) leaves white's five at (7,5): a loss seen one ply down.
    EXPECT_EQ(score, -(10000000 + 7));
    EXPECT_EQ(mainThread.root.bestX, 2);
    EXPECT_EQ(mainThread.root.bestY, 5);
    int rootMoves = 0;
    for (const std::string& line : capture.lines())
        if (line.rfind("MESSAGE REALTIME POS", 0) == 0) {
            ++rootMoves;
            EXPECT_EQ(line, "MESSAGE REALTIME POS 2,5");
        }
    EXPECT_EQ(rootMoves, 1);
}

TEST(NodeEntry, RenjuBlackForbiddenOpenFourIsNoWin) {
    fixture::setup(pos, 2, kForbiddenOpenFour);
    int x = -1, y = -1;
    ASSERT_TRUE(firstMember(pos, SET_OPEN_FOUR, BLACK, x, y));
    ASSERT_EQ(x, 6);
    ASSERT_EQ(y, 7);
    ASSERT_EQ(isForbidden(pos, 6, 7), 1);
    Snapshot before;
    const int score = searchRoot(1, BLACK);
    EXPECT_LT(score, 9999200) << "a forbidden open four must not count as a win";
    EXPECT_GT(mainThread.control.expandedNodeCounter, 0) << "the search goes on";
    EXPECT_TRUE(before.samePosition());
    // The same stones under free-style: the open four wins at once.
    fixture::setup(pos, 0, kForbiddenOpenFour);
    EXPECT_EQ(searchRoot(1, BLACK), 10000000 + 1);
}

TEST(NodeEntry, ForcedBlockOnForbiddenPointHasNoMove) {
    fixture::setup(pos, 2, kBlockOnForbiddenPoint);
    ASSERT_EQ(isForbidden(pos, 5, 7), 1);
    Snapshot before;
    EXPECT_EQ(searchRoot(3, BLACK), -9999998 - 3);
    EXPECT_EQ(mainThread.root.bestX, -1);
    EXPECT_TRUE(before.samePosition());
    // A raised alpha bounds the loss value from below.
    prepare(5);
    EXPECT_EQ(alphaBeta(mainThread, 3, 50, 51, BLACK, 0), 50);
    // Under free-style the six is black's own win.
    fixture::setup(pos, 0, kBlockOnForbiddenPoint);
    searchRoot(3, BLACK);
    EXPECT_EQ(mainThread.root.bestX, 5);
    EXPECT_EQ(mainThread.root.bestY, 7);
}

TEST(NodeEntry, ZeroWindowNodeTakesTableCutoffPvNodeDoesNot) {
    fixture::setup(pos, 0, kQuietMiddle);
    prepare(6);
    storeSearchTable(pos, 4, 777, 3, BLACK, -1, -1, -1, -1, -1, -1);
    EXPECT_EQ(alphaBeta(mainThread, 4, 776, 777, BLACK, 0), 777);
    EXPECT_EQ(mainThread.control.nodeCounter, 1);
    EXPECT_EQ(mainThread.control.expandedNodeCounter, 0);
    // A shallower node is settled by the deeper entry too.
    EXPECT_EQ(alphaBeta(mainThread, 3, 776, 777, BLACK, 0), 777);
    EXPECT_EQ(mainThread.control.expandedNodeCounter, 0);
    // A PV node with the same entry searches its moves.
    alphaBeta(mainThread, 4, 700, 800, BLACK, 0);
    EXPECT_GT(mainThread.control.expandedNodeCounter, 0);
}

TEST(NodeEntry, FullBoardWithoutMoveScoresZero) {
    // 6 by 6, no five anywhere: columns alternate in pairs, rows shift by one.
    fixture::newBoard(pos, 0, 6, 6);
    int stones = 0;
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y) {
            makeMove(pos, x, y, ((x / 2 + y) % 2) + 1);
            ++stones;
        }
    ASSERT_EQ(pos.setRows[SET_FIVE][0] | pos.setRows[SET_FIVE][1], 0u);
    EXPECT_EQ(searchRoot(3, BLACK), 0);
    prepare(5);
    EXPECT_EQ(alphaBeta(mainThread, 2, -10, 10, WHITE, 0), 0);
    EXPECT_EQ(stones, pos.moveCount);
}

TEST(NodeEntry, NoMoveOnOpenBoardIsALossBoundedByAlpha) {
    // Only blocked points of the block table remain: no move, but not a full board.
    fixture::newBoard(pos, 0, 6, 6);
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
            if (!(x == 5 && y >= 4)) makeMove(pos, x, y, ((x / 2 + y) % 2) + 1);
    clearBlockTable();
    game.blockTable[5][4] = 1;
    game.blockTable[5][5] = 1;
    EXPECT_EQ(searchRoot(2, BLACK), -9999998 - 2);
    EXPECT_EQ(mainThread.root.bestX, -1);
    clearBlockTable();
    searchRoot(2, BLACK);
    EXPECT_EQ(mainThread.root.bestX, 5);
}

TEST(NodeEntry, BlockTablePointsAreNeverSearchedAtTheRoot) {
    // White threatens five at (7,5); the block is banned, so black has no move.
    fixture::setup(pos, 0, R"(
        ...............
        ...............
        ...............
        ...............
        ...............
        ..XOOOO........
        ...............
        ...............
        ....XX.........
        ...............)");
    clearBlockTable();
    game.blockTable[7][5] = 1;
    EXPECT_EQ(searchRoot(4, BLACK), -9999998 - 4);
    EXPECT_EQ(mainThread.root.bestX, -1);
    // Elsewhere in the tree the point is an ordinary move.
    fixture::setup(pos, 0, kQuietMiddle);
    game.blockTable[6][4] = 1;
    game.blockTable[7][6] = 1;
    game.blockTable[4][8] = 1;
    Capture capture;
    prepare(8);
    settings.showDetail = 1;
    settings.maxNode = 40;  // the messages of the first root moves are enough
    alphaBeta(mainThread, 8, -FULL_WINDOW, FULL_WINDOW, BLACK, 0);
    for (const std::string& line : capture.lines()) {
        EXPECT_EQ(line.find(" 6,4"), std::string::npos) << line;
        EXPECT_EQ(line.find(" 7,6"), std::string::npos) << line;
        EXPECT_EQ(line.find(" 4,8"), std::string::npos) << line;
    }
    clearBlockTable();
}

TEST(NodeEntry, EmptyBoardRootTakesEveryPoint) {
    fixture::newBoard(pos, 0);
    clearBlockTable();
    searchRoot(1, BLACK);
    EXPECT_EQ(mainThread.control.branchSum, 225.0);
    EXPECT_TRUE(onBoard(mainThread.root.bestX, mainThread.root.bestY));
    game.blockTable[7][7] = 1;
    searchRoot(1, BLACK);
    EXPECT_EQ(mainThread.control.branchSum, 224.0);
    EXPECT_FALSE(mainThread.root.bestX == 7 && mainThread.root.bestY == 7);
    clearBlockTable();
}
