// Move generation pieces: filtering and keys, the neighbourhood tests, the
// extension class, penalties and late-move pruning.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "rules/forbidden.h"
#include "search/move_gen.h"
#include "search/search_state.h"
#include "search_setup.h"
#include "search/search_thread.h"
#include "threats/move_rows.h"

using namespace searchtest;

namespace {

// The position of the thread the drivers search with.
Position& pos = mainThread.pos;

// A node at the given ply of an iteration of depth 10, ready to generate moves.
SearchNode nodeAt(int ply, int side, int alpha = -FULL_WINDOW, int beta = FULL_WINDOW, int credit = 0) {
    mainThread.control.rootDepth = 10;
    SearchNode node;
    initSearchNode(node, mainThread, 10 - ply, alpha, beta, side, credit, 10, mainThread.moveRows[ply]);
    node.stamp = ++mainThread.state.plyNodeCounter[ply];
    return node;
}

void setEntry(MoveEntry& e, int x, int y) {
    e.key = 0;
    e.x = static_cast<int16_t>(x);
    e.y = static_cast<int16_t>(y);
}

}  // namespace

TEST(MoveGen, EdgeWeightFallsTowardsTheMiddle) {
    fixture::newBoard(pos, 0);
    EXPECT_EQ(edgeWeight(0, 7), 40);
    EXPECT_EQ(edgeWeight(7, 1), 40);
    EXPECT_EQ(edgeWeight(2, 7), 32);
    EXPECT_EQ(edgeWeight(11, 3), 26);
    EXPECT_EQ(edgeWeight(10, 10), 20);
    EXPECT_EQ(edgeWeight(7, 7), 15);
    EXPECT_EQ(edgeWeight(14, 14), 40);
    // A rectangle measures each coordinate against its own extent.
    fixture::newBoard(pos, 0, 20, 9);
    EXPECT_EQ(edgeWeight(10, 4), 20);
    EXPECT_EQ(edgeWeight(10, 8), 40);
    EXPECT_EQ(edgeWeight(19, 4), 40);
}

TEST(MoveGen, SquareAndWidePatternTests) {
    fixture::newBoard(pos, 0);
    EXPECT_FALSE(squareHasStone(pos, 7, 7));
    EXPECT_FALSE(widePatternHasStone(pos, 7, 7));
    makeMove(pos, 9, 9, BLACK);  // corner of the square
    EXPECT_TRUE(squareHasStone(pos, 7, 7));
    EXPECT_FALSE(squareHasStone(pos, 6, 6));
    unmakeMove(pos, 9, 9, BLACK);
    makeMove(pos, 10, 7, WHITE);  // three away in a row: wide pattern only
    EXPECT_FALSE(squareHasStone(pos, 7, 7));
    EXPECT_TRUE(widePatternHasStone(pos, 7, 7));
    EXPECT_TRUE(widePatternHasStone(pos, 7, 4));   // (x+3, y+3)
    EXPECT_FALSE(widePatternHasStone(pos, 7, 6));  // (x+3, y+1) is outside the pattern
    EXPECT_FALSE(widePatternHasStone(pos, 7, 5));  // (x+3, y+2) too
    unmakeMove(pos, 10, 7, WHITE);
    makeMove(pos, 7, 10, BLACK);  // three away along y
    EXPECT_TRUE(widePatternHasStone(pos, 7, 7));
    EXPECT_FALSE(widePatternHasStone(pos, 6, 7));  // (x+1, y+3) is outside
    unmakeMove(pos, 7, 10, BLACK);
    makeMove(pos, 1, 1, 3);  // blocked points count like stones
    EXPECT_TRUE(squareHasStone(pos, 0, 0));
    EXPECT_TRUE(squareHasStone(pos, 3, 3));
    EXPECT_FALSE(squareHasStone(pos, 4, 0));
    unmakeMove(pos, 1, 1, 3);
}

TEST(MoveGen, KeyBatchDropsRepeatsForbiddenAndExcludedPoints) {
    fixture::setup(pos, 2, R"(
        ...............
        ...............
        ...............
        ...............
        ...............
        ......X........
        ......X........
        .......XX......
        ...............)");
    // (6,7) would give black an open three twice over (a forbidden double three).
    ASSERT_EQ(isForbidden(pos, 6, 7), 1);
    prepare(10);
    clearBlockTable();
    SearchNode node = nodeAt(0, BLACK);
    ASSERT_TRUE(node.isRoot);
    game.blockTable[3][3] = 1;
    setEntry(node.row[0], 4, 4);
    setEntry(node.row[1], 6, 7);
    setEntry(node.row[2], 3, 3);
    setEntry(node.row[3], 4, 4);
    setEntry(node.row[4], 6, 5);  // occupied
    keyBatch(node, 5);
    EXPECT_NE(node.row[0].key, SKIP_KEY);
    EXPECT_EQ(node.row[1].key, SKIP_KEY);
    EXPECT_EQ(node.row[2].key, SKIP_KEY);
    EXPECT_EQ(node.row[3].key, SKIP_KEY);
    EXPECT_EQ(node.row[4].key, SKIP_KEY);
    EXPECT_EQ(node.generated, 1);
    EXPECT_TRUE(isTaken(node, 4, 4));
    EXPECT_FALSE(isTaken(node, 6, 7)) << "a forbidden point is not marked taken";
    // A later batch of the same node sees (4,4) as taken.
    setEntry(node.row[0], 4, 4);
    setEntry(node.row[1], 5, 4);
    keyBatch(node, 2);
    EXPECT_EQ(node.row[0].key, SKIP_KEY);
    EXPECT_NE(node.row[1].key, SKIP_KEY);
    EXPECT_EQ(node.generated, 2);
    // The block table binds only the root; the next node at this ply starts afresh.
    SearchNode deeper = nodeAt(3, WHITE);
    setEntry(deeper.row[0], 3, 3);
    keyBatch(deeper, 1);
    EXPECT_NE(deeper.row[0].key, SKIP_KEY);
    SearchNode again = nodeAt(0, BLACK);
    EXPECT_FALSE(isTaken(again, 4, 4));
    clearBlockTable();
}

TEST(MoveGen, KeysPreferOwnWeightOverHalfTheOpponents) {
    fixture::setup(pos, 0, R"(
        ...............
        ...............
        ...............
        ...............
        ......XX.......
        ...............
        ...OO..........
        ...............)");
    prepare(10);
    SearchNode node = nodeAt(1, BLACK);
    setEntry(node.row[0], 8, 4);
    setEntry(node.row[1], 5, 6);
    keyBatch(node, 2);
    const ShapeInfo& own = pos.shapeInfo[4][8][4];
    const ShapeInfo& theirs = pos.shapeInfo[4][5][6];
    EXPECT_EQ(node.row[0].key, -(own.shape[0] + (own.shape[1] >> 1)));
    EXPECT_EQ(node.row[1].key, -(theirs.shape[0] + (theirs.shape[1] >> 1)));
    sortBatch(node.row, 2);
    EXPECT_LE(node.row[0].key, node.row[1].key);
}

TEST(MoveGen, TableBatchSkipsOccupiedAndEmptySlots) {
    fixture::setup(pos, 0, R"(
        ...............
        ...............
        ...............
        ...............
        ......X........)");
    prepare(10);
    SearchNode node = nodeAt(2, WHITE);
    const int xs[3] = {6, -1, 7}, ys[3] = {4, -1, 4};
    ASSERT_EQ(tableBatch(node, xs, ys), 1);
    EXPECT_EQ(node.row[0].x, 7);
    EXPECT_EQ(node.row[0].y, 4);
}

TEST(MoveGen, ScanBatchNeverRepeatsAPoint) {
    // Strong points and stone neighbours overlap heavily; the scan lists each once.
    fixture::setup(pos, 0, R"(
        ...............
        ...............
        ..X.O...X.O....
        ...............
        ....XOX..OX....
        ...X...O.......
        ..O..XO..X.O...
        ....O..X.......
        ...X.O..O.X....
        ...............
        ....X..O.......)");
    prepare(10);
    clearBlockTable();
    for (int ply : {0, 1, 4}) {
        SearchNode node = nodeAt(ply, WHITE);
        int phase = PHASE_SCAN;
        const int count = generateBatch(node, phase);
        std::set<std::pair<int, int>> seen;
        for (int i = 0; i < count; ++i) {
            EXPECT_TRUE(seen.insert({node.row[i].x, node.row[i].y}).second) << "ply " << ply;
            EXPECT_EQ(pos.board[node.row[i].x][node.row[i].y], EMPTY);
        }
        EXPECT_GT(count, 0);
    }
}

TEST(MoveGen, ExtensionClassRisesAtPvNodesAndQuietMovesHaveNone) {
    fixture::setup(pos, 0, R"(
        ...............
        ...............
        ...............
        ...............
        ...............
        ...............
        ...............
        ....XXX........
        ...............)");
    prepare(10);
    SearchNode zw = nodeAt(3, BLACK, 10, 11);
    SearchNode pv = nodeAt(3, BLACK, 10, 50);
    const MoveClass quiet = classifyMove(zw, 12, 12);
    EXPECT_EQ(quiet.extension, 0);
    EXPECT_EQ(quiet.penalty, 0);
    const MoveClass atZw = classifyMove(zw, 7, 7);  // makes an open four
    const MoveClass atPv = classifyMove(pv, 7, 7);
    EXPECT_GE(atZw.extension, 1);
    EXPECT_EQ(atPv.extension, std::min(atZw.extension + 1, 4));
    EXPECT_LE(atZw.penalty, 0);
}

TEST(MoveGen, PenaltyFactorBands) {
    fixture::newBoard(pos, 0);
    EXPECT_EQ(penaltyFactorFor(pos, 600, BLACK), 0.0);
    EXPECT_EQ(penaltyFactorFor(pos, 599, BLACK), 0.1);
    EXPECT_EQ(penaltyFactorFor(pos, 400, BLACK), 0.2);
    EXPECT_EQ(penaltyFactorFor(pos, 300, BLACK), 0.4);
    EXPECT_EQ(penaltyFactorFor(pos, 200, BLACK), 0.6);
    // Below 200 equal room adds 0.1 (an empty board has no room on either side).
    EXPECT_DOUBLE_EQ(penaltyFactorFor(pos, 199, BLACK), 0.9);
    EXPECT_DOUBLE_EQ(penaltyFactorFor(pos, 0, BLACK), 1.1);
    EXPECT_DOUBLE_EQ(penaltyFactorFor(pos, -100, BLACK), 1.2);
    EXPECT_DOUBLE_EQ(penaltyFactorFor(pos, -200, BLACK), 1.4);
    EXPECT_DOUBLE_EQ(penaltyFactorFor(pos, -300, BLACK), 1.7);
    EXPECT_DOUBLE_EQ(penaltyFactorFor(pos, -500, BLACK), 1.9);
}

TEST(MoveGen, PenaltyVanishesWhenTheSideStandsWell) {
    // A four made on the edge carries a penalty, scaled by the node's factor.
    fixture::setup(pos, 0, R"(
        O..............
        X..............
        X..............
        X..............
        ...............)");
    prepare(10);
    SearchNode node = nodeAt(3, BLACK, 10, 11);
    node.staticValue = 0;
    node.penaltyFactor = 1.0;
    const MoveClass scaled = classifyMove(node, 0, 4);
    ASSERT_LT(scaled.penalty, 0);
    node.staticValue = 650;
    node.penaltyFactor = penaltyFactorFor(pos, 650, BLACK);
    EXPECT_EQ(classifyMove(node, 0, 4).penalty, 0);
}

TEST(MoveGen, LatePruningThresholds) {
    fixture::newBoard(pos, 0);
    prepare(10);
    settings.cautionFactor = 1;
    auto node = [](int effective, bool zeroWindow, int ply = 4) {
        SearchNode n = nodeAt(ply, BLACK, 0, zeroWindow ? 1 : 9);
        n.effectiveDepth = effective;
        return n;
    };
    EXPECT_TRUE(latePrune(node(1, true), 10, 4, 0, 0));
    EXPECT_FALSE(latePrune(node(1, true), 9, 4, 0, 0));
    EXPECT_TRUE(latePrune(node(0, true), 7, 5, 1, 0));
    EXPECT_TRUE(latePrune(node(-3, true), 6, 6, 0, 0));
    EXPECT_TRUE(latePrune(node(1, true), 6, PHASE_DEFENCE_LAST, 0, 0));
    EXPECT_TRUE(latePrune(node(2, true), 11, 4, 0, 0));
    EXPECT_FALSE(latePrune(node(2, true), 10, 5, 0, 0));
    EXPECT_TRUE(latePrune(node(2, true), 8, 6, 0, 0));
    EXPECT_TRUE(latePrune(node(3, true), 11, 5, 0, 0));
    EXPECT_FALSE(latePrune(node(3, true), 11, 4, 0, 0));
    EXPECT_TRUE(latePrune(node(4, true), 12, 6, 0, 0));
    EXPECT_FALSE(latePrune(node(4, true), 12, 5, 0, 0));
    EXPECT_FALSE(latePrune(node(5, true), 50, 13, 0, 0));
    // Never at PV nodes, near the root, for extended moves, or when all is lost.
    EXPECT_FALSE(latePrune(node(1, false), 20, 6, 0, 0));
    EXPECT_FALSE(latePrune(node(1, true, 2), 20, 6, 0, 0));
    EXPECT_FALSE(latePrune(node(1, true), 20, 6, 2, 0));
    EXPECT_FALSE(latePrune(node(1, true), 20, 6, 0, -9999200));
    settings.cautionFactor = 2;
    EXPECT_FALSE(latePrune(node(1, true), 20, 6, 0, 0));
    settings.cautionFactor = 1;
}
