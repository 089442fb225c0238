// The self-play referee's own Renju judge and win detection, on drawn positions
// and against the engine's forbidden test on random positions: the two were
// written apart, so agreement is evidence for both.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "board/position.h"
#include "rules/forbidden.h"
#include "selfplay/referee.h"
#include "support/position_fixture.h"

namespace {

// The engine's position the referee is compared with.
Position pos;

// Same drawing convention as the engine's fixture: one line per y, 'X' black, 'O' white.
RefBoard drawn(const std::string& drawing, int size = 15) {
    RefBoard b;
    b.reset(size, size);
    for (const fixture::Stone& s : fixture::parse(drawing)) b.put(s.x, s.y, s.code);
    return b;
}

TEST(RefereeJudge, FiveOverlineAndFours) {
    RefBoard overline = drawn("XXX.XX");
    EXPECT_TRUE(renjuForbidden(overline, 3, 0));
    // Five in a row beats an overline in another line.
    RefBoard fiveAndSix = drawn(R"(
        ..X
        ..X
        ..X
        XX.XX
        ..X
        ..X)");
    EXPECT_FALSE(renjuForbidden(fiveAndSix, 2, 3));
    fiveAndSix.put(3, 3, REF_WHITE);
    EXPECT_TRUE(renjuForbidden(fiveAndSix, 2, 3)) << "six alone";
    RefBoard twoFoursOneLine = drawn(". X . X . X . X .");
    EXPECT_TRUE(renjuForbidden(twoFoursOneLine, 4, 0));
    RefBoard openFour = drawn(". . X X X . . .");
    EXPECT_FALSE(renjuForbidden(openFour, 5, 0));
    RefBoard fourFour = drawn(R"(
        . . . . X
        . . . . X
        . . . . X
        X X X . .
        . . . . .)");
    EXPECT_TRUE(renjuForbidden(fourFour, 4, 3));
    RefBoard occupied = drawn("XXXXO");
    EXPECT_FALSE(renjuForbidden(occupied, 4, 0));
}

TEST(RefereeJudge, ThreesCountOnlyWhenTheyCanBecomeStraightFours) {
    RefBoard doubleThree = drawn(R"(
        . . . . . . . .
        . . . . . . . .
        . . . . . . . .
        . . . . . . . .
        . . . . . . . .
        . . . . . . . X
        . . . . . . . X
        . . . . . X X .
        . . . . . . . .)");
    EXPECT_TRUE(renjuForbidden(doubleThree, 7, 7));
    // A white stone closes the horizontal three on one side: only one three left.
    RefBoard closed = doubleThree;
    closed.put(4, 7, REF_WHITE);
    EXPECT_FALSE(renjuForbidden(closed, 7, 7));
    // Four-three is allowed.
    RefBoard fourThree = drawn(R"(
        . . . . . . . X
        . . . . . . . X
        . . . . . . . X
        . . . . . X X .
        . . . . . . . .)");
    EXPECT_FALSE(renjuForbidden(fourThree, 7, 3));
    // Both straight-four points of the horizontal three are overline points, so it
    // is no real three and the vertical three alone is allowed.
    RefBoard fake = doubleThree;
    for (int y : {4, 5, 6, 8, 9}) {
        fake.put(4, y, REF_BLACK);
        fake.put(8, y, REF_BLACK);
    }
    ASSERT_TRUE(renjuForbidden(fake, 4, 7));
    ASSERT_TRUE(renjuForbidden(fake, 8, 7));
    EXPECT_FALSE(renjuForbidden(fake, 7, 7));
    // A three whose run touches the edge cannot become a straight four: with
    // the same shape one column further in, the point is a double three.
    RefBoard edge = drawn(R"(
        . .
        . .
        . .
        . .
        . .
        X .
        X .
        . X X)");
    EXPECT_FALSE(renjuForbidden(edge, 0, 7));
    RefBoard inner = drawn(R"(
        . . .
        . . .
        . . .
        . . .
        . . .
        . X .
        . X .
        . . X X)");
    EXPECT_TRUE(renjuForbidden(inner, 1, 7));
}

TEST(RefereeJudge, WinsUnderEachRule) {
    RefBoard six = drawn("XXXXXX");
    EXPECT_TRUE(makesWin(six, 5, 0, REF_BLACK, Rule::FreeStyle));
    EXPECT_FALSE(makesWin(six, 5, 0, REF_BLACK, Rule::Standard));
    EXPECT_FALSE(makesWin(six, 5, 0, REF_BLACK, Rule::Renju));
    RefBoard whiteSix = drawn("OOOOOO");
    EXPECT_TRUE(makesWin(whiteSix, 5, 0, REF_WHITE, Rule::Renju));
    EXPECT_FALSE(makesWin(whiteSix, 5, 0, REF_WHITE, Rule::Standard));
    RefBoard diagonal = drawn(R"(
        . . . . O
        . . . O .
        . . O . .
        . O . . .
        O . . . .)");
    EXPECT_TRUE(makesWin(diagonal, 0, 4, REF_WHITE, Rule::Standard));
    RefBoard four = drawn("XXXX.X");
    EXPECT_FALSE(makesWin(four, 3, 0, REF_BLACK, Rule::FreeStyle));
    // Caro: exactly five, not closed by the opponent at both ends; the edge closes nothing.
    EXPECT_FALSE(makesWin(six, 5, 0, REF_BLACK, Rule::Caro));
    EXPECT_FALSE(makesWin(whiteSix, 5, 0, REF_WHITE, Rule::Caro));
    RefBoard closed = drawn(".OXXXXXO");
    EXPECT_FALSE(makesWin(closed, 4, 0, REF_BLACK, Rule::Caro));
    EXPECT_TRUE(makesWin(closed, 4, 0, REF_BLACK, Rule::Standard));
    RefBoard oneEnd = drawn(".OXXXXX.");
    EXPECT_TRUE(makesWin(oneEnd, 4, 0, REF_BLACK, Rule::Caro));
    RefBoard edge = drawn("OOOOOX");
    EXPECT_TRUE(makesWin(edge, 0, 0, REF_WHITE, Rule::Caro));
    RefBoard whiteClosed = drawn("XOOOOOX");
    EXPECT_FALSE(makesWin(whiteClosed, 1, 0, REF_WHITE, Rule::Caro));
}

// Random crowded Renju positions: the referee and the engine must agree on
// every empty point.
TEST(RefereeJudge, AgreesWithTheEngineOnRandomPositions) {
    std::mt19937 rng(8);
    fixture::newBoard(pos, 2);
    int forbidden = 0, disagreements = 0;
    for (int round = 0; round < 400; ++round) {
        RefBoard b;
        b.reset(15, 15);
        resetBoard(pos);
        int stones = 20 + static_cast<int>(rng() % 50);
        for (int i = 0; i < stones; ++i) {
            // Mostly black stones near the centre, so fours and threes are common.
            int x = 3 + static_cast<int>(rng() % 9), y = 3 + static_cast<int>(rng() % 9);
            if (rng() % 4 == 0) x = static_cast<int>(rng() % 15), y = static_cast<int>(rng() % 15);
            int colour = rng() % 3 == 0 ? REF_WHITE : REF_BLACK;
            if (!b.empty(x, y)) continue;
            b.put(x, y, colour);
            makeMove(pos, x, y, colour);
        }
        for (int x = 0; x < 15; ++x) {
            for (int y = 0; y < 15; ++y) {
                if (!b.empty(x, y)) continue;
                bool ours = renjuForbidden(b, x, y);
                forbidden += ours;
                if (ours != (isForbidden(pos, x, y) != 0) && ++disagreements <= 3)
                    ADD_FAILURE() << "point " << x << "," << y << ": referee " << ours << " in round " << round;
            }
        }
    }
    EXPECT_EQ(disagreements, 0);
    EXPECT_GT(forbidden, 400) << "the positions must exercise the rule";
}

}  // namespace
