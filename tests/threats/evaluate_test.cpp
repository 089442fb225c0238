// Leaf evaluation: the cases of each correction on drawn positions, and a
// comparison with a plain reference on random positions of every rule. The
// reference reads shape classes point by point and walks the 33-point
// neighbourhood itself; it shares no list query or bit mask with the engine.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <vector>

#include "board/combo_weights.h"
#include "board/geometry.h"
#include "board/position.h"
#include "board/types.h"
#include "rules/forbidden.h"
#include "support/position_fixture.h"
#include "support/threat_thread.h"
#include "threats/evaluate.h"
#include "threats/leaf_weights.h"

using fixture::threatThread;

namespace {

// The position of the thread these tests search with.
Position& pos = threatThread.pos;

int cls(int c, int x, int y, int d) { return pos.shapeInfo[d][x][y].shape[c - 1]; }

bool hasClass(int c, int x, int y, int lo, int hi) {
    for (int d = 0; d < 4; ++d)
        if (cls(c, x, y, d) >= lo && cls(c, x, y, d) <= hi) return true;
    return false;
}
bool isFourPoint(int c, int x, int y) { return hasClass(c, x, y, SHAPE_FOUR, SHAPE_FOUR_PLUS); }
bool isThreePoint(int c, int x, int y) { return hasClass(c, x, y, SHAPE_THREE_SPLIT, SHAPE_THREE_OPEN); }
bool isWinPoint(int c, int x, int y) { return hasClass(c, x, y, SHAPE_FOUR_OPEN, SHAPE_FIVE); }
int room(int c, int x, int y) { return pos.shapeInfo[4][x][y].room[c - 1]; }
int blackWeight(int x, int y) { return pos.shapeInfo[4][x][y].shape[0]; }

struct Point {
    int x, y;
};

// Four points, then open-three points, each in x then y order.
std::vector<Point> threatPoints(int c) {
    std::vector<Point> list;
    for (int pass = 0; pass < 2; ++pass)
        for (int x = 0; x < geometry.sizeX; ++x)
            for (int y = 0; y < geometry.sizeY; ++y)
                if (pass == 0 ? isFourPoint(c, x, y) : isThreePoint(c, x, y)) list.push_back({x, y});
    return list;
}

bool inPattern(int dx, int dy) {
    int ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
    if (ax > 3 || ay > 3) return false;
    if (ax == 3) return ay == 0 || ay == 3;
    if (ax == 0) return true;
    return ay <= 2;
}

int clusterCount(int c, int x, int y, const std::set<std::pair<int, int>>& excluded) {
    int n = 0;
    for (int qx = x - 3; qx <= x + 3; ++qx)
        for (int qy = y - 3; qy <= y + 3; ++qy)
            if (onBoard(qx, qy) && inPattern(qx - x, qy - y) && isWinPoint(c, qx, qy) &&
                !excluded.count({qx, qy}))
                ++n;
    return n;
}

int spreadDirections(int c) {
    int dirs = 0;
    for (int x = 0; x < geometry.sizeX; ++x)
        for (int y = 0; y < geometry.sizeY; ++y)
            for (int d = 0; d < 4; ++d)
                if (cls(c, x, y, d) == SHAPE_FIVE || cls(c, x, y, d) == SHAPE_FOUR_OPEN) dirs |= 1 << d;
    return dirs;
}

int allForbiddenSeen = 0;  // positions where black could play none of its threat points

// The weights of the board's rule: the build's defaults (hand-set or fitted).
const LeafWeights& weights() { return leafWeights[comboWeightSet(geometry.rule == RULE_RENJU)]; }

int reference(int side) {
    const int opp = side ^ 3;
    const bool renju = geometry.rule == RULE_RENJU;
    const LeafWeights& w = weights();
    int score = pos.totalValue[side - 1] - pos.totalValue[opp - 1];
    std::set<std::pair<int, int>> forbidden, seen;

    std::vector<Point> own = threatPoints(side);
    if (renju && side == 1)
        for (Point p : own)
            if (isForbidden(pos, p.x, p.y)) forbidden.insert({p.x, p.y});
    bool oppQuiet = true;
    for (int x = 0; x < geometry.sizeX; ++x)
        for (int y = 0; y < geometry.sizeY; ++y)
            if (hasClass(opp, x, y, SHAPE_FOUR, SHAPE_FIVE)) oppQuiet = false;
    for (Point p : own) {
        if (oppQuiet && !seen.insert({p.x, p.y}).second && geometry.rule == RULE_FREESTYLE) return 9999994;
        if (renju && side == 1 && forbidden.count({p.x, p.y})) continue;
        int k = clusterCount(side, p.x, p.y, forbidden) -
                (isFourPoint(side, p.x, p.y) ? w.fourOffset : w.threeOffset);
        score += room(side, p.x, p.y) * k * w.ownCluster / 32;
        if (renju && side == 2 && isForbidden(pos, p.x, p.y))
            score += blackWeight(p.x, p.y) < 158 ? w.forbiddenBare : w.forbiddenStrong;
    }

    std::vector<Point> theirs = threatPoints(opp);
    forbidden.clear();
    if (!theirs.empty()) score += w.oppThreats;
    if (renju && side == 2) {
        for (Point p : theirs)
            if (isForbidden(pos, p.x, p.y)) forbidden.insert({p.x, p.y});
        bool allForbidden = true;
        for (Point p : theirs) allForbidden = allForbidden && forbidden.count({p.x, p.y});
        if (!theirs.empty() && allForbidden) {
            score -= w.allForbidden;
            ++allForbiddenSeen;
        }
    }
    for (Point p : theirs) {
        if (renju && side == 2 && forbidden.count({p.x, p.y})) continue;
        int k = -clusterCount(opp, p.x, p.y, forbidden) +
                (isFourPoint(opp, p.x, p.y) ? w.fourOffset : w.threeOffset);
        score += room(opp, p.x, p.y) * k * w.oppCluster / 32;
        if (renju && side == 1 && isForbidden(pos, p.x, p.y))
            score -= blackWeight(p.x, p.y) < 158 ? w.forbiddenBare : w.forbiddenStrong;
    }

    // The opponent's first five point, else its first open-four point.
    bool found = false;
    for (int kindClass : {SHAPE_FIVE, SHAPE_FOUR_OPEN})
        for (int x = 0; x < geometry.sizeX && !found; ++x)
            for (int y = 0; y < geometry.sizeY && !found; ++y)
                if (hasClass(opp, x, y, kindClass, kindClass)) {
                    score += room(opp, x, y) * w.oppWinRoom / 32;
                    found = true;
                }
    auto manyBits = [](int m) { return m != 0 && (m & (m - 1)) != 0; };
    if (manyBits(spreadDirections(opp))) score -= w.oppSpread;
    if (manyBits(spreadDirections(side))) score += w.ownSpread;
    return score + w.tempo;
}

// Trial stones near points that still hold their initial records refresh them
// from the pattern table, which moves totalValue. Refreshing every record up
// front makes the position exactly restorable, so that the engine and the
// reference (which both place trial stones under Renju) see the same numbers.
void settle() {
    for (int x = 0; x < geometry.sizeX; ++x)
        for (int y = 0; y < geometry.sizeY; ++y)
            if (pos.board[x][y] == 0) {
                makeMove(pos, x, y, 1);
                unmakeMove(pos, x, y, 1);
            }
}

void setupSettled(int rule, const char* drawing) {
    fixture::setup(pos, rule, drawing);
    settle();
}

TEST(EvaluateTest, QuietPositionIsTheValueDifferencePlusTheMove) {
    fixture::setup(pos, RULE_FREESTYLE, R"(
        ...............
        ...............
        ...X...........
        ...............
        .........O.....
        ...............
        ...............
        .......X.......
        ...........O...
    )");
    ASSERT_EQ(pos.setRows[SET_THREE][0] | pos.setRows[SET_THREE][1] | pos.setRows[SET_FOUR][0] |
                  pos.setRows[SET_FOUR][1],
              0u);
    const int tempo = weights().tempo;
    EXPECT_EQ(evaluateLeaf(threatThread, 0, 1), pos.totalValue[0] - pos.totalValue[1] + tempo);
    EXPECT_EQ(evaluateLeaf(threatThread, 0, 2), pos.totalValue[1] - pos.totalValue[0] + tempo);
}

// Black: four (x 4..6, capped by white at x 3) and column two (y 5, 6) meet at (7, 7).
const char* FOUR_THREE = R"(
        ...............
        ...............
        ...............
        ...............
        ...............
        .......X.......
        .......X.......
        ...OXXX........
        ...............
        ...........O...
)";

TEST(EvaluateTest, FourThreeShortcutOnlyUnderFreeStyle) {
    setupSettled(RULE_FREESTYLE, FOUR_THREE);
    EXPECT_EQ(evaluateLeaf(threatThread, 0, 1), 9999994);
    EXPECT_NE(evaluateLeaf(threatThread, 0, 2), -9999994) << "only for the side to move";
    EXPECT_EQ(evaluateLeaf(threatThread, 0, 2), reference(2));
    for (int rule : {RULE_STANDARD, RULE_RENJU}) {
        setupSettled(rule, FOUR_THREE);
        int score = evaluateLeaf(threatThread, 0, 1);
        EXPECT_LT(score, 9999200) << "rule " << rule;
        EXPECT_EQ(score, reference(1)) << "rule " << rule;
    }
}

TEST(EvaluateTest, NoFourThreeShortcutAgainstAFour) {
    // White's x 10..12 on y 11, capped by black at x 9: white has four points.
    setupSettled(RULE_FREESTYLE, R"(
        ...............
        ...............
        ...............
        ...............
        ...............
        .......X.......
        .......X.......
        ...OXXX........
        ...............
        ...............
        ...............
        .........XOOO..
    )");
    ASSERT_NE(pos.setRows[SET_FOUR][1], 0u);
    int score = evaluateLeaf(threatThread, 0, 1);
    EXPECT_LT(score, 9999200);
    EXPECT_EQ(score, reference(1));
}

TEST(EvaluateTest, LoneThreePointsCostTheirRoom) {
    // A black open two in the column: four lone open-three points.
    setupSettled(RULE_STANDARD, R"(
        ...............
        ...............
        ...............
        ...............
        ...............
        ...............
        .......X.......
        .......X.......
    )");
    const Point points[4] = {{7, 4}, {7, 5}, {7, 8}, {7, 9}};
    const LeafWeights& w = weights();
    int own = 0, asOpponent = 0;
    for (Point p : points) {
        ASSERT_TRUE(isThreePoint(1, p.x, p.y));
        own += room(1, p.x, p.y) * w.threeOffset * w.ownCluster / 32;
        asOpponent += room(1, p.x, p.y) * w.threeOffset * w.oppCluster / 32;
    }
    const int base = pos.totalValue[0] - pos.totalValue[1];
    EXPECT_EQ(evaluateLeaf(threatThread, 0, 1), base - own + w.tempo);
    EXPECT_EQ(evaluateLeaf(threatThread, 0, 2), -base + w.oppThreats + asOpponent + w.tempo);
}

TEST(EvaluateTest, LoneFourPointsCostTheirRoomByTheFourOffset) {
    setupSettled(RULE_STANDARD, R"(
        ...............
        ...............
        ...............
        ...............
        .......O.......
        .......X.......
        .......X.......
        .......X.......
    )");
    // Four points (7, 8) and (7, 9); the capped three gives no open-three point.
    ASSERT_EQ(pos.setRows[SET_THREE][0], 0u);
    const LeafWeights& w = weights();
    int own = room(1, 7, 8) * w.fourOffset * w.ownCluster / 32 +
              room(1, 7, 9) * w.fourOffset * w.ownCluster / 32;
    const int base = pos.totalValue[0] - pos.totalValue[1];
    EXPECT_EQ(evaluateLeaf(threatThread, 0, 1), base - own + w.tempo);
}

TEST(EvaluateTest, ThreatsInTwoDirectionsCountTheSpreadTerms) {
    // Black open three in the column and in the row: open-four points in two directions.
    const char* twoDirections = R"(
        ...............
        ...............
        ...............
        ...............
        ...............
        ...............
        ..XXX..........
        ...............
        .......X.......
        .......X.......
        .......X.......
    )";
    setupSettled(RULE_STANDARD, twoDirections);
    EXPECT_EQ(evaluateLeaf(threatThread, 0, 2), reference(2));
    EXPECT_EQ(evaluateLeaf(threatThread, 0, 1), reference(1));
    // The same threats in one line (two open threes far apart in the column).
    const char* oneDirection = R"(
        .......X.......
        .......X.......
        .......X.......
        ...............
        ...............
        ...............
        ...............
        ...............
        .......X.......
        .......X.......
        .......X.......
    )";
    ASSERT_EQ(spreadDirections(1), 3);  // open-four points in the column and the row
    ASSERT_EQ(spreadDirections(2), 0);
    setupSettled(RULE_STANDARD, oneDirection);
    ASSERT_EQ(spreadDirections(1), 1);
    EXPECT_EQ(evaluateLeaf(threatThread, 0, 2), reference(2));
    EXPECT_EQ(evaluateLeaf(threatThread, 0, 1), reference(1));
}

TEST(EvaluateTest, RenjuBlackForbiddenPointsAreLeftOut) {
    // (7, 7) is a double three for black: forbidden.
    const char* drawing = R"(
        ...............
        ...............
        ...............
        ...............
        ...............
        .......X.......
        .......X.......
        .....XX........
        ...............
        ............O..
    )";
    setupSettled(RULE_RENJU, drawing);
    ASSERT_EQ(isForbidden(pos, 7, 7), 1);
    EXPECT_EQ(evaluateLeaf(threatThread, 0, 1), reference(1));
    EXPECT_EQ(evaluateLeaf(threatThread, 0, 2), reference(2));
    // Under standard rules the same point counts: the scores differ.
    int renjuBlack = evaluateLeaf(threatThread, 0, 1);
    setupSettled(RULE_STANDARD, drawing);
    EXPECT_NE(evaluateLeaf(threatThread, 0, 1), renjuBlack);
}

TEST(EvaluateTest, RenjuWhiteGainsWhenAllBlackThreatPointsAreForbidden) {
    // Black's only threat points are (7, 7) and (7, 9), the two four points of
    // the column X.X.X; each makes six in its row. Blocked points cut every
    // other line. White to move.
    setupSettled(RULE_RENJU, R"(
        ...............
        ...............
        ...............
        ...............
        ...............
        .......#.......
        .....#.X.#.....
        ...#XXX.XX#....
        ....###X##.....
        ...#XXX.XX#....
        .....#.X.#.....
        .......#.......
    )");
    std::vector<Point> blackPoints = threatPoints(1);
    ASSERT_EQ(blackPoints.size(), 2u);
    for (Point p : blackPoints) ASSERT_EQ(isForbidden(pos, p.x, p.y), 1) << p.x << "," << p.y;
    allForbiddenSeen = 0;
    int expected = reference(2);
    EXPECT_EQ(allForbiddenSeen, 1);
    int score = evaluateLeaf(threatThread, 0, 2);
    EXPECT_EQ(score, expected);
    // Nothing but the value difference and the move: the bonus for black's
    // threat points is taken back and the forbidden points add nothing.
    const LeafWeights& w = weights();
    EXPECT_EQ(score, pos.totalValue[1] - pos.totalValue[0] + w.oppThreats - w.allForbidden + w.tempo);
    EXPECT_EQ(evaluateLeaf(threatThread, 0, 1), reference(1));
}

TEST(EvaluateTest, RandomPositionsMatchTheReference) {
    std::mt19937 rng(7);
    auto below = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    int shortcuts = 0, compared = 0;
    for (int rule : {RULE_FREESTYLE, RULE_STANDARD, RULE_RENJU}) {
        fixture::newBoard(pos, rule);
        for (int game = 0; game < 120; ++game) {
            resetBoard(pos);
            resetEvaluationState(threatThread);
            int stones = 8 + below(40), colour = 1;
            for (int i = 0; i < stones; ++i) {
                int x = 3 + below(9), y = 3 + below(9);
                if (pos.board[x][y] != 0) continue;
                makeMove(pos, x, y, colour);
                colour ^= 3;
            }
            settle();
            for (int side = 1; side <= 2; ++side) {
                uint64_t key = pos.hashKey;
                int engine = evaluateLeaf(threatThread, 0, side);
                ASSERT_EQ(pos.hashKey, key);
                int expected = reference(side);
                shortcuts += engine == 9999994;
                ++compared;
                ASSERT_EQ(engine, expected) << "rule " << rule << " side " << side << " game " << game;
            }
        }
    }
    EXPECT_GT(shortcuts, 0);
    RecordProperty("shortcuts", shortcuts);
}

// Crowded Renju positions in which black's few threat points are often all
// forbidden: white to move gains nothing from them (their bonus is taken back).
TEST(EvaluateTest, RenjuPositionsWithForbiddenThreatPointsMatchTheReference) {
    std::mt19937 rng(11);
    auto below = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    fixture::newBoard(pos, RULE_RENJU);
    int withForbidden = 0;
    for (int game = 0; game < 400; ++game) {
        resetBoard(pos);
        int w = 5 + below(5), x0 = below(15 - w), y0 = below(15 - w);
        int stones = w * w * (40 + below(30)) / 100;
        for (int i = 0; i < stones; ++i) {
            int x = x0 + below(w), y = y0 + below(w);
            if (pos.board[x][y] == 0) makeMove(pos, x, y, below(100) < 55 ? 1 : 2);
        }
        settle();
        bool any = false;
        for (Point p : threatPoints(1)) any = any || isForbidden(pos, p.x, p.y);
        if (!any) continue;
        ++withForbidden;
        for (int side = 1; side <= 2; ++side) ASSERT_EQ(evaluateLeaf(threatThread, 0, side), reference(side)) << game;
    }
    EXPECT_GT(withForbidden, 10);
}

}  // namespace
