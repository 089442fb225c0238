// List queries and the neighbourhood count over the candidate sets.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board/geometry.h"
#include "board/position.h"
#include "board/shape_queries.h"
#include "support/position_fixture.h"

namespace {

// The position these tests build and change.
Position pos;

using Points = std::vector<std::pair<int, int>>;

Points listed(int (*query)(Position&, MoveEntry*, int), int c) {
    MoveEntry entries[MAX_POINTS];
    for (MoveEntry& e : entries) e.key = 12345;
    int count = query(pos, entries, c);
    Points points;
    for (int k = 0; k < count; ++k) {
        EXPECT_EQ(entries[k].key, 12345);  // keys are left to the caller
        points.emplace_back(entries[k].x, entries[k].y);
    }
    return points;
}

void addMember(int kind, int c, int x, int y) {
    pos.setCols[kind][c - 1][x] |= 1u << y;
    pos.setRows[kind][c - 1] |= 1u << x;
}

TEST(ShapeQueries, EmptyBoardListsNothing) {
    fixture::newBoard(pos, 0);
    MoveEntry entries[4] = {};
    for (auto query : {listFives, listOpenFours, listFours, listOpenThrees, listStrongPoints, listFourOrThreePoints})
        for (int c = 1; c <= 2; ++c) {
            EXPECT_EQ(query(pos, entries, c), 0);
            EXPECT_EQ(entries[0].x, 0);
        }
    int x = -1, y = -1;
    EXPECT_FALSE(firstMember(pos, SET_THREE, 1, x, y));
    EXPECT_EQ(x, -1);
}

TEST(ShapeQueries, OpenThreePointsOfAnOpenTwo) {
    fixture::newBoard(pos, 0);
    makeMove(pos, 7, 6, 1);
    makeMove(pos, 7, 7, 1);
    EXPECT_EQ(listed(listOpenThrees, 1), (Points{{7, 4}, {7, 5}, {7, 8}, {7, 9}}));
    EXPECT_TRUE(listed(listFours, 1).empty());
    EXPECT_TRUE(listed(listFives, 1).empty());
    for (auto query : {listFives, listOpenFours, listFours, listOpenThrees, listStrongPoints, listFourOrThreePoints})
        EXPECT_TRUE(listed(query, 2).empty());
    int x, y;
    ASSERT_TRUE(firstMember(pos, SET_THREE, 1, x, y));
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 4);
}

TEST(ShapeQueries, OrderIsRowThenColumn) {
    fixture::newBoard(pos, 0, 20, 20);
    addMember(SET_FIVE, 2, 3, 5);
    addMember(SET_FIVE, 2, 3, 2);
    addMember(SET_FIVE, 2, 1, 7);
    addMember(SET_FIVE, 2, 19, 19);
    EXPECT_EQ(listed(listFives, 2), (Points{{1, 7}, {3, 2}, {3, 5}, {19, 19}}));
    EXPECT_TRUE(listed(listFives, 1).empty());
}

TEST(ShapeQueries, FourOrThreeLeavesOutStrongPoints) {
    fixture::newBoard(pos, 0);
    addMember(SET_FOUR, 1, 2, 2);
    addMember(SET_STRONG, 1, 2, 2);
    addMember(SET_THREE, 1, 2, 4);
    addMember(SET_FOUR, 1, 5, 1);
    addMember(SET_THREE, 1, 5, 1);
    EXPECT_EQ(listed(listFours, 1), (Points{{2, 2}, {5, 1}}));
    EXPECT_EQ(listed(listStrongPoints, 1), (Points{{2, 2}}));
    EXPECT_EQ(listed(listFourOrThreePoints, 1), (Points{{2, 4}, {5, 1}}));
}

TEST(ShapeQueries, FoursOpenFoursAndStrongPoints) {
    // Black (1..3, 7) closed by white, and an open three (7, 4..6).
    fixture::setup(pos, 0, R"(
        ...............
        ...............
        ...............
        ...............
        .......X.......
        .......X.......
        .......X.......
        OXXX...........
    )");
    EXPECT_EQ(listed(listFours, 1), (Points{{4, 7}, {5, 7}, {7, 2}, {7, 8}}));
    EXPECT_EQ(listed(listOpenFours, 1), (Points{{7, 3}, {7, 7}}));
    EXPECT_EQ(listed(listStrongPoints, 1), (Points{{7, 3}, {7, 7}}));
    Points fourOrThree = listed(listFourOrThreePoints, 1);
    for (auto p : Points{{4, 7}, {5, 7}, {7, 2}, {7, 8}})
        EXPECT_NE(std::find(fourOrThree.begin(), fourOrThree.end(), p), fourOrThree.end());
    for (auto p : Points{{7, 3}, {7, 7}})
        EXPECT_EQ(std::find(fourOrThree.begin(), fourOrThree.end(), p), fourOrThree.end());
    EXPECT_EQ(neighbourhoodCount(pos, 7, 7, 1), 1);  // (7, 3) is four steps away
    EXPECT_EQ(neighbourhoodCount(pos, 7, 6, 1), 2);
    EXPECT_EQ(neighbourhoodCount(pos, 7, 6, 2), 0);
}

TEST(NeighbourhoodCount, PatternShapeAndEdges) {
    fixture::newBoard(pos, 0, 20, 20);
    for (int x = 0; x < 20; ++x) {
        pos.setCols[SET_FIVE][0][x] = (1u << 20) - 1;
        pos.setRows[SET_FIVE][0] |= 1u << x;
    }
    EXPECT_EQ(neighbourhoodCount(pos, 10, 10, 1), 33);
    EXPECT_EQ(neighbourhoodCount(pos, 10, 10, 2), 0);
    EXPECT_EQ(neighbourhoodCount(pos, 0, 0, 1), 4 + 3 + 3 + 2);
    EXPECT_EQ(neighbourhoodCount(pos, 19, 19, 1), 12);
    EXPECT_EQ(neighbourhoodCount(pos, 1, 10, 1), 5 + 7 + 5 + 5 + 3);

    uint32_t excluded[MAX_SIDE] = {};
    excluded[10] = 1u << 10;  // the point itself
    excluded[7] = 1u << 13;
    EXPECT_EQ(neighbourhoodCount(pos, 10, 10, 1, excluded), 31);
}

TEST(NeighbourhoodCount, CountsFivesAndOpenFoursOnly) {
    fixture::newBoard(pos, 0);
    addMember(SET_FIVE, 1, 5, 5);
    addMember(SET_OPEN_FOUR, 1, 5, 5);  // one point, counted once
    addMember(SET_OPEN_FOUR, 1, 8, 8);
    addMember(SET_OPEN_FOUR, 1, 2, 2);
    addMember(SET_OPEN_FOUR, 1, 8, 5);
    addMember(SET_FOUR, 1, 5, 6);
    addMember(SET_THREE, 1, 5, 7);
    EXPECT_EQ(neighbourhoodCount(pos, 5, 5, 1), 4);
    EXPECT_EQ(neighbourhoodCount(pos, 5, 4, 1), 1);  // only (5, 5): the others are off the pattern
}

}  // namespace
