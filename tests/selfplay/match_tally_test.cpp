// Scoring of games from engine A's side, faults included, and the pairing of
// games into colour-swapped pairs.
#include "selfplay/match_tally.h"

#include <gtest/gtest.h>

namespace {

GameResult finished(int winner) {
    GameResult r;
    r.winner = winner;
    return r;
}

GameResult faulted(int colours) {
    GameResult r;
    r.winner = -1;
    r.faultedColours = colours;
    r.faults.push_back("fault");
    return r;
}

TEST(MatchTally, ScoresForAWithEitherColour) {
    EXPECT_EQ(scoreForA(finished(REF_BLACK), true), 1.0);
    EXPECT_EQ(scoreForA(finished(REF_BLACK), false), 0.0);
    EXPECT_EQ(scoreForA(finished(REF_WHITE), false), 1.0);
    EXPECT_EQ(scoreForA(finished(0), false), 0.5);
    // A fault loses for the engine that made it, whatever its colour.
    EXPECT_EQ(scoreForA(faulted(REF_WHITE), true), 1.0);
    EXPECT_EQ(scoreForA(faulted(REF_WHITE), false), 0.0);
    EXPECT_EQ(scoreForA(faulted(REF_BLACK), false), 1.0);
    EXPECT_EQ(scoreForA(faulted(REF_BLACK | REF_WHITE), true), 0.5);
}

TEST(MatchTally, AbandonedGamesApartPairsOnlyWhenComplete) {
    MatchTally tally(5);
    tally.add(0, true, finished(REF_BLACK));   // A wins
    tally.add(3, false, faulted(REF_BLACK));   // B, black, faults: A scores
    tally.add(1, false, finished(REF_BLACK));  // A loses
    tally.add(4, true, finished(0));           // unpaired last game
    EXPECT_EQ(tally.wins, 1);
    EXPECT_EQ(tally.losses, 1);
    EXPECT_EQ(tally.draws, 1);
    EXPECT_EQ(tally.abandoned, 1);
    EXPECT_EQ(tally.faultGamesA, 0);
    EXPECT_EQ(tally.faultGamesB, 1);
    EXPECT_EQ(tally.faults.size(), 1u);
    EXPECT_DOUBLE_EQ(tally.scorePercent(), 62.5);  // 2.5 of 4
    EXPECT_EQ(tally.perPair().units, 1);           // game 3 waits for game 2
    EXPECT_DOUBLE_EQ(tally.perPair().mean, 0.5);
    EXPECT_EQ(tally.pentanomial(), (std::vector<int>{0, 0, 1, 0, 0}));
    tally.add(2, true, finished(REF_WHITE));  // A, black, loses
    EXPECT_EQ(tally.perPair().units, 2);
    EXPECT_EQ(tally.pentanomial(), (std::vector<int>{0, 0, 2, 0, 0}));
}

}  // namespace
