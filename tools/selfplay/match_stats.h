#pragma once
// Match statistics: Elo difference from a score, its 95% interval, and a
// sequential probability ratio test between two Elo hypotheses.
//
// The results come as independent units, each scored in [0, 1] for engine A:
// a game (1 win, 0.5 draw, 0 loss) or a game pair with colours swapped, scored
// as the mean of its two games (the pentanomial view: 0, 1/4, 1/2, 3/4, 1).
// Pairs are the better unit: a pair cancels most of the advantage an opening
// gives one colour, so its spread is smaller and the interval honest.
#include <vector>

// Expected score against an opponent elo points weaker (logistic model).
double scoreFromElo(double elo);

// The inverse; +-infinity at scores 1 and 0.
double eloFromScore(double score);

struct ScoreSample {
    int units = 0;
    double mean = 0;
    double variance = 0;  // of one unit, over units (not units - 1)
};

ScoreSample summarise(const std::vector<double>& unitScores);

// Identical results would give variance 0: a zero-width interval and an
// infinite SPRT ratio. Both use the variance floored at what one unit a
// quarter point off the mean would give, 1 / (16 * units), so a short run of
// equal results is not taken for certainty while a long one still decides.
double flooredVariance(const ScoreSample& sample);

// Elo from the mean score; the interval maps mean -+ 1.96 standard errors
// (sqrt(flooredVariance / units)) through eloFromScore, clamped into [0, 1].
// One unit or none says nothing of the spread: the interval is unbounded.
struct EloEstimate {
    double elo = 0;
    double low = 0;
    double high = 0;
};

EloEstimate estimateElo(const ScoreSample& sample);

// H0: A is elo0 stronger than B; H1: elo1 stronger. alpha is the chance to
// accept H1 when H0 holds, beta the reverse.
struct Sprt {
    double elo0 = 0;
    double elo1 = 0;
    double alpha = 0.05;
    double beta = 0.05;
};

enum class SprtVerdict { Continue, AcceptH0, AcceptH1 };

double sprtLowerBound(const Sprt& test);  // log(beta / (1 - alpha))
double sprtUpperBound(const Sprt& test);  // log((1 - beta) / alpha)

// Log-likelihood ratio of H1 against H0 in the normal approximation (a
// generalised SPRT): the unit scores are taken as normal with the observed
// variance and mean s0 = scoreFromElo(elo0) or s1 = scoreFromElo(elo1), which
// gives units * (s1 - s0) * (2 * mean - s0 - s1) / (2 * variance).
// The variance is flooredVariance; fewer than two units give 0.
double sprtLlr(const Sprt& test, const ScoreSample& sample);

SprtVerdict sprtVerdict(const Sprt& test, double llr);
