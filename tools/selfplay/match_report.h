#pragma once
// What the match prints: a line after each game and the summary at the end.
#include <string>

#include "game.h"
#include "match_stats.h"
#include "match_tally.h"

// sprt is null when no test runs.
void printRunningLine(const MatchTally& tally, int games, const Sprt* sprt);

void printSummary(const MatchTally& tally, const Seat& a, const Seat& b, const GameLimits& limits,
                  const Sprt* sprt);

// Elo estimate and the unit it was computed over: pairs once two are
// complete, single games before.
EloEstimate bestEstimate(const MatchTally& tally, std::string& unit);
