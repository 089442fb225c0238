// The match statistics against values worked out by hand (a calculator and
// the formulas in match_stats.h), where a wrong sign, unit or bound would show.
#include "selfplay/match_stats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(MatchStats, EloAndScoreAreInverse) {
    EXPECT_NEAR(eloFromScore(0.75), 190.8485, 1e-3);  // 400 log10(3)
    EXPECT_NEAR(eloFromScore(0.25), -190.8485, 1e-3);
    EXPECT_EQ(eloFromScore(0.5), 0.0);
    EXPECT_FALSE(std::signbit(eloFromScore(0.5)));
    EXPECT_NEAR(scoreFromElo(190.8485), 0.75, 1e-6);
    EXPECT_TRUE(std::isinf(eloFromScore(1.0)) && eloFromScore(1.0) > 0);
    EXPECT_TRUE(std::isinf(eloFromScore(0.0)) && eloFromScore(0.0) < 0);
}

TEST(MatchStats, IntervalFromTheSpreadOfUnits) {
    // Four pairs scoring 2, 1, 1.5 and 1 points: mean 0.6875, variance
    // 0.04296875, standard error sqrt(variance / 4).
    ScoreSample pairs = summarise({1.0, 0.5, 0.75, 0.5});
    EXPECT_EQ(pairs.units, 4);
    EXPECT_DOUBLE_EQ(pairs.mean, 0.6875);
    EXPECT_DOUBLE_EQ(pairs.variance, 0.04296875);
    EloEstimate e = estimateElo(pairs);
    EXPECT_NEAR(e.elo, 136.969, 1e-2);
    EXPECT_NEAR(e.low, -10.874, 1e-2);
    EXPECT_NEAR(e.high, 364.343, 1e-2);

    // Three wins and a loss: the upper end passes a score of 1 and is clamped.
    EloEstimate games = estimateElo(summarise({1, 1, 1, 0}));
    EXPECT_NEAR(games.elo, 190.8485, 1e-3);
    EXPECT_TRUE(std::isinf(games.high) && games.high > 0);
    EXPECT_LT(games.low, 0);

    // Two drawn pairs: the floor 1 / (16 units) still leaves an interval,
    // 0.5 -+ 1.96 sqrt(1 / 64); a single unit leaves it unbounded.
    EloEstimate drawn = estimateElo(summarise({0.5, 0.5}));
    EXPECT_NEAR(drawn.low, -186.246, 1e-2);
    EXPECT_NEAR(drawn.high, 186.246, 1e-2);
    EloEstimate single = estimateElo(summarise({0.75}));
    EXPECT_NEAR(single.elo, 190.8485, 1e-3);
    EXPECT_TRUE(std::isinf(single.low) && std::isinf(single.high));
}

TEST(MatchStats, SprtRatioBoundsAndVerdict) {
    Sprt test{0, 10, 0.05, 0.05};
    EXPECT_NEAR(sprtUpperBound(test), 2.9444, 1e-4);  // log(19)
    EXPECT_NEAR(sprtLowerBound(test), -2.9444, 1e-4);
    Sprt lopsided{0, 10, 0.05, 0.10};
    EXPECT_NEAR(sprtUpperBound(lopsided), std::log(0.90 / 0.05), 1e-9);
    EXPECT_NEAR(sprtLowerBound(lopsided), std::log(0.10 / 0.95), 1e-9);

    // 100 units, mean 0.55, variance 0.04: 100 (s1 - s0)(1.1 - s0 - s1) / 0.08.
    ScoreSample sample{100, 0.55, 0.04};
    EXPECT_NEAR(sprtLlr(test, sample), 1.5397, 1e-3);
    EXPECT_EQ(sprtVerdict(test, 1.5397), SprtVerdict::Continue);
    EXPECT_EQ(sprtVerdict(test, 3.0), SprtVerdict::AcceptH1);
    EXPECT_EQ(sprtVerdict(test, -3.0), SprtVerdict::AcceptH0);

    // Identical results: the variance floor 1 / (16 units) keeps the ratio
    // finite; eight won pairs decide, eight drawn pairs do not yet.
    std::vector<double> won(8, 1.0), drawn(8, 0.5);
    EXPECT_NEAR(sprtLlr(test, summarise(won)), 7.2603, 1e-3);
    EXPECT_NEAR(sprtLlr(test, summarise(drawn)), -0.1060, 1e-3);
    EXPECT_EQ(sprtLlr(test, summarise({1.0})), 0.0);
}

}  // namespace
