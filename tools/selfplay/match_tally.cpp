#include "match_tally.h"

#include <algorithm>

double scoreForA(const GameResult& result, bool aBlack) {
    const int aColour = aBlack ? REF_BLACK : REF_WHITE;
    const int bColour = aBlack ? REF_WHITE : REF_BLACK;
    if (result.winner < 0) {
        const bool aFaulted = (result.faultedColours & aColour) != 0;
        const bool bFaulted = (result.faultedColours & bColour) != 0;
        if (aFaulted == bFaulted) return 0.5;
        return aFaulted ? 0.0 : 1.0;
    }
    if (result.winner == 0) return 0.5;
    return result.winner == aColour ? 1.0 : 0.0;
}

void MatchTally::add(int game, bool aBlack, const GameResult& result) {
    const double score = scoreForA(result, aBlack);
    gameScores_[static_cast<size_t>(game)] = score;
    if (result.winner < 0) {
        ++abandoned;
        if (result.faultedColours & (aBlack ? REF_BLACK : REF_WHITE)) ++faultGamesA;
        if (result.faultedColours & (aBlack ? REF_WHITE : REF_BLACK)) ++faultGamesB;
    } else if (score == 1.0) {
        ++wins;
    } else if (score == 0.0) {
        ++losses;
    } else {
        ++draws;
    }
    faults.insert(faults.end(), result.faults.begin(), result.faults.end());
    timesA.add(result.times[aBlack ? 0 : 1]);
    timesB.add(result.times[aBlack ? 1 : 0]);
    longestFirstReply = std::max(longestFirstReply, result.longestFirst);
    if (result.longestReply > longestReply) {
        longestReply = result.longestReply;
        longestBudget = result.longestBudget;
        longestAt = "game " + std::to_string(game + 1);
    }
}

double MatchTally::scorePercent() const {
    ScoreSample s = perGame();
    return s.units ? 100.0 * s.mean : 0.0;
}

ScoreSample MatchTally::perGame() const {
    std::vector<double> done;
    for (double s : gameScores_)
        if (s >= 0) done.push_back(s);
    return summarise(done);
}

std::vector<double> MatchTally::pairScores() const {
    std::vector<double> pairs;
    for (size_t g = 0; g + 1 < gameScores_.size(); g += 2)
        if (gameScores_[g] >= 0 && gameScores_[g + 1] >= 0)
            pairs.push_back((gameScores_[g] + gameScores_[g + 1]) / 2);
    return pairs;
}

ScoreSample MatchTally::perPair() const {
    return summarise(pairScores());
}

std::vector<int> MatchTally::pentanomial() const {
    std::vector<int> counts(5, 0);
    for (double s : pairScores()) ++counts[static_cast<size_t>(s * 4 + 0.5)];
    return counts;
}
