#include "match_stats.h"

#include <algorithm>
#include <cmath>
#include <limits>

double scoreFromElo(double elo) {
    return 1.0 / (1.0 + std::pow(10.0, -elo / 400.0));
}

double eloFromScore(double score) {
    if (score <= 0) return -std::numeric_limits<double>::infinity();
    if (score >= 1) return std::numeric_limits<double>::infinity();
    return -400.0 * std::log10(1.0 / score - 1.0) + 0.0;  // + 0.0: no "-0.0" at an even score
}

ScoreSample summarise(const std::vector<double>& unitScores) {
    ScoreSample s;
    s.units = static_cast<int>(unitScores.size());
    if (s.units == 0) return s;
    for (double x : unitScores) s.mean += x;
    s.mean /= s.units;
    for (double x : unitScores) s.variance += (x - s.mean) * (x - s.mean);
    s.variance /= s.units;
    return s;
}

double flooredVariance(const ScoreSample& sample) {
    return sample.units ? std::max(sample.variance, 1.0 / (16.0 * sample.units)) : 0.0;
}

EloEstimate estimateElo(const ScoreSample& sample) {
    EloEstimate e;
    if (sample.units == 0) return e;
    e.elo = eloFromScore(sample.mean);
    if (sample.units < 2) {
        e.low = -std::numeric_limits<double>::infinity();
        e.high = std::numeric_limits<double>::infinity();
        return e;
    }
    const double margin = 1.96 * std::sqrt(flooredVariance(sample) / sample.units);
    e.low = eloFromScore(std::max(0.0, sample.mean - margin));
    e.high = eloFromScore(std::min(1.0, sample.mean + margin));
    return e;
}

double sprtLowerBound(const Sprt& test) {
    return std::log(test.beta / (1 - test.alpha));
}

double sprtUpperBound(const Sprt& test) {
    return std::log((1 - test.beta) / test.alpha);
}

double sprtLlr(const Sprt& test, const ScoreSample& sample) {
    if (sample.units < 2) return 0;
    const double s0 = scoreFromElo(test.elo0);
    const double s1 = scoreFromElo(test.elo1);
    return sample.units * (s1 - s0) * (2 * sample.mean - s0 - s1) / (2 * flooredVariance(sample));
}

SprtVerdict sprtVerdict(const Sprt& test, double llr) {
    if (llr >= sprtUpperBound(test)) return SprtVerdict::AcceptH1;
    if (llr <= sprtLowerBound(test)) return SprtVerdict::AcceptH0;
    return SprtVerdict::Continue;
}
