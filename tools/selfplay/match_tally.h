#pragma once
// The running totals of a match, seen from engine A's side.
//
// Fault semantics: a game with any fault is abandoned (counted apart from
// wins, losses and draws, listed, and it makes the tool's exit status
// non-zero); for the score it is a loss of the engine that faulted, or a
// draw when both did. A fault after the last move (a bad exit after END)
// abandons the game the same way.
#include <string>
#include <vector>

#include "game.h"
#include "match_stats.h"

// Engine A's score in one game: 1, 0.5 or 0.
double scoreForA(const GameResult& result, bool aBlack);

class MatchTally {
  public:
    explicit MatchTally(int games) : gameScores_(static_cast<size_t>(games), -1.0) {}

    void add(int game, bool aBlack, const GameResult& result);

    int played() const { return wins + losses + draws + abandoned; }
    double scorePercent() const;

    // Units over the games done so far: every game, or the complete pairs
    // (games 2k and 2k + 1, the same opening with colours swapped).
    ScoreSample perGame() const;
    ScoreSample perPair() const;
    // Counts of complete pairs scoring 0, 0.5, 1, 1.5 and 2 points for A.
    std::vector<int> pentanomial() const;

    int wins = 0, losses = 0, draws = 0, abandoned = 0;  // abandoned not in the first three
    int faultGamesA = 0, faultGamesB = 0;                // games each engine faulted in
    ReplyTimes timesA, timesB;
    int longestFirstReply = 0;  // ms, either engine
    int longestReply = 0;       // ms, either engine, after the first reply
    int longestBudget = 0;      // the engine's own budget at that reply
    std::string longestAt;      // game number of it
    std::vector<std::string> faults;

  private:
    std::vector<double> pairScores() const;

    std::vector<double> gameScores_;  // by game; -1 until played
};
