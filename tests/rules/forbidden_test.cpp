// The Renju forbidden-move test on drawn positions: each case of the rule, and
// the position left untouched after every call.
#include <gtest/gtest.h>

#include <cstring>

#include "board/position.h"
#include "rules/forbidden.h"
#include "rules/forbidden_cases.h"
#include "rules/position_snapshot.h"
#include "support/position_fixture.h"

namespace {

// The position these tests build and change.
Position pos;

// isForbidden, with a check that the call left the position as it was.
int judged(int x, int y) {
    snapshot::Snapshot before = snapshot::take(pos);
    int result = isForbidden(pos, x, y);
    const char* changed = snapshot::difference(before, snapshot::take(pos));
    EXPECT_EQ(changed, nullptr) << "isForbidden(pos, " << x << ", " << y << ") changed " << changed;
    return result;
}

// Runs every case of one group; returns how many there were.
int checkGroup(const char* group) {
    int count = 0;
    for (const forbidden_cases::Case& c : forbidden_cases::CASES) {
        if (std::strcmp(c.group, group) != 0) continue;
        ++count;
        fixture::setup(pos, RULE_RENJU, c.drawing, c.sizeX, 15);
        EXPECT_EQ(pos.board[c.x][c.y], 0) << c.what;
        EXPECT_EQ(judged(c.x, c.y), c.expected) << c.what << c.drawing;
    }
    return count;
}

TEST(ForbiddenTest, SingleShapesAreAllowed) { EXPECT_GT(checkGroup("SingleShapesAreAllowed"), 0); }
TEST(ForbiddenTest, DoubleThreeIsForbidden) { EXPECT_GT(checkGroup("DoubleThreeIsForbidden"), 0); }
TEST(ForbiddenTest, DoubleFourInTwoLinesIsForbidden) {
    EXPECT_GT(checkGroup("DoubleFourInTwoLinesIsForbidden"), 0);
}
TEST(ForbiddenTest, DoubleFourInOneLineIsForbidden) { EXPECT_GT(checkGroup("DoubleFourInOneLineIsForbidden"), 0); }
TEST(ForbiddenTest, FiveBeatsOverlineInEitherDirectionOrder) {
    EXPECT_GT(checkGroup("FiveBeatsOverlineInEitherDirectionOrder"), 0);
}
TEST(ForbiddenTest, OverlineIsForbiddenWhateverElseItMakes) {
    EXPECT_GT(checkGroup("OverlineIsForbiddenWhateverElseItMakes"), 0);
}
TEST(ForbiddenTest, FourThreeIsAllowed) { EXPECT_GT(checkGroup("FourThreeIsAllowed"), 0); }
TEST(ForbiddenTest, ThreeAgainstTheEdgeCountsOnlyThroughTheOtherSide) {
    EXPECT_GT(checkGroup("ThreeAgainstTheEdgeCountsOnlyThroughTheOtherSide"), 0);
}
TEST(ForbiddenTest, FalseThreeWhoseOpenFourPointIsForbidden) {
    EXPECT_GT(checkGroup("FalseThreeWhoseOpenFourPointIsForbidden"), 0);
}
TEST(ForbiddenTest, RectangularBoardEdgesEndRuns) { EXPECT_GT(checkGroup("RectangularBoardEdgesEndRuns"), 0); }

TEST(ForbiddenTest, EveryCaseBelongsToATestedGroup) {
    const char* groups[] = {"SingleShapesAreAllowed",
                            "DoubleThreeIsForbidden",
                            "DoubleFourInTwoLinesIsForbidden",
                            "DoubleFourInOneLineIsForbidden",
                            "FiveBeatsOverlineInEitherDirectionOrder",
                            "OverlineIsForbiddenWhateverElseItMakes",
                            "FourThreeIsAllowed",
                            "ThreeAgainstTheEdgeCountsOnlyThroughTheOtherSide",
                            "FalseThreeWhoseOpenFourPointIsForbidden",
                            "RectangularBoardEdgesEndRuns"};
    for (const forbidden_cases::Case& c : forbidden_cases::CASES) {
        bool known = false;
        for (const char* g : groups) known = known || std::strcmp(c.group, g) == 0;
        EXPECT_TRUE(known) << c.group;
    }
}

TEST(ForbiddenTest, OccupiedPointsAreNeverForbidden) {
    fixture::setup(pos, RULE_RENJU, R"(
        ...............
        ...............
        ...............
        ...............
        ...............
        .......X.......
        .......X.......
        .....XXO.......
    )");
    EXPECT_EQ(judged(7, 7), 0);
    EXPECT_EQ(judged(5, 7), 0);
}

}  // namespace
