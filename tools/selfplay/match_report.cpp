#include "match_report.h"

#include <cstdio>

namespace {

std::string eloText(const EloEstimate& e) {
    char text[96];
    std::snprintf(text, sizeof text, "%+.1f [%+.1f, %+.1f]", e.elo, e.low, e.high);
    return text;
}

std::string sprtText(const Sprt& sprt, const MatchTally& tally) {
    const double llr = sprtLlr(sprt, tally.perPair());
    char text[128];
    std::snprintf(text, sizeof text, "LLR %.2f [%.2f, %.2f]", llr, sprtLowerBound(sprt),
                  sprtUpperBound(sprt));
    std::string out = text;
    switch (sprtVerdict(sprt, llr)) {
        case SprtVerdict::AcceptH0:
            return out + " H0 accepted";
        case SprtVerdict::AcceptH1:
            return out + " H1 accepted";
        default:
            return out;
    }
}

void printTimes(const char* seat, const Seat& s, const ReplyTimes& t, int timeoutTurn) {
    const double average = t.replies ? static_cast<double>(t.totalMs) / t.replies : 0.0;
    std::printf(
        "  %s %s: %d moves, average %.1f ms (%.0f%% of timeout_turn), longest %d ms; first reply "
        "%d ms\n",
        seat, s.name.c_str(), t.replies, average, 100.0 * average / timeoutTurn, t.longestMs,
        t.longestFirstMs);
}

}  // namespace

EloEstimate bestEstimate(const MatchTally& tally, std::string& unit) {
    ScoreSample pairs = tally.perPair();
    if (pairs.units >= 2) {
        unit = std::to_string(pairs.units) + " pairs";
        return estimateElo(pairs);
    }
    ScoreSample games = tally.perGame();
    unit = std::to_string(games.units) + " games";
    return estimateElo(games);
}

void printRunningLine(const MatchTally& tally, int games, const Sprt* sprt) {
    std::string unit;
    EloEstimate e = bestEstimate(tally, unit);
    std::printf("  after %d of %d: A +%d -%d =%d, %d abandoned, score %.1f%%, Elo %s over %s",
                tally.played(), games, tally.wins, tally.losses, tally.draws, tally.abandoned,
                tally.scorePercent(), eloText(e).c_str(), unit.c_str());
    if (sprt) std::printf(", %s", sprtText(*sprt, tally).c_str());
    std::printf("\n");
}

void printSummary(const MatchTally& tally, const Seat& a, const Seat& b, const GameLimits& limits,
                  const Sprt* sprt) {
    std::printf(
        "Result for A (%s) against B (%s): %d wins, %d losses, %d draws, %d abandoned; score "
        "%.1f%%\n",
        a.name.c_str(), b.name.c_str(), tally.wins, tally.losses, tally.draws, tally.abandoned,
        tally.scorePercent());
    std::printf("Elo difference A - B, 95%% interval:\n");
    std::printf("  per game (trinomial, %d games): %s\n", tally.perGame().units,
                eloText(estimateElo(tally.perGame())).c_str());
    std::vector<int> penta = tally.pentanomial();
    std::printf("  per pair (pentanomial, %d pairs scoring 0/0.5/1/1.5/2: %d/%d/%d/%d/%d): %s\n",
                tally.perPair().units, penta[0], penta[1], penta[2], penta[3], penta[4],
                eloText(estimateElo(tally.perPair())).c_str());
    if (sprt)
        std::printf("SPRT elo0 %g, elo1 %g, alpha %g, beta %g: %s\n", sprt->elo0, sprt->elo1,
                    sprt->alpha, sprt->beta, sprtText(*sprt, tally).c_str());
    std::printf("Reply times after each engine's first reply (timeout_turn %d ms, limit %d ms):\n",
                limits.timeoutTurn, limits.timeoutTurn + limits.tolerance);
    printTimes("A", a, tally.timesA, limits.timeoutTurn);
    printTimes("B", b, tally.timesB, limits.timeoutTurn);
    std::printf("Longest reply: %d ms (%s), the engine's budget %d ms\n", tally.longestReply,
                tally.longestAt.c_str(), tally.longestBudget);
    std::printf("Longest first reply of an engine (tables built): %d ms\n",
                tally.longestFirstReply);
    std::printf("Faults: %zu (games with a fault of A: %d, of B: %d)\n", tally.faults.size(),
                tally.faultGamesA, tally.faultGamesB);
    for (const std::string& f : tally.faults) std::printf("  %s\n", f.c_str());
}
