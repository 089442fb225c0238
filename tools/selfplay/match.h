#pragma once
// A match: games between engines A and B over opening sets, several at once,
// with a running report, an optional SPRT stop and an optional game log.
#include <string>
#include <vector>

#include "game.h"
#include "match_stats.h"
#include "openings.h"

struct MatchPlan {
    std::vector<OpeningSet> sets;  // in playing order
    Seat a;
    Seat b;
    GameLimits limits;
    int games = 12;
    int concurrency = 1;  // games played at once, each with its own two processes
    bool sprtOn = false;
    Sprt sprt;
    std::string logPath;  // one line per game; empty for none
};

// Which opening game g plays and whether A has black. Fixed by g alone, so a
// game's opening and colours do not depend on concurrency or on timing.
struct Fixture {
    const OpeningSet* set;
    int opening;
    bool aBlack;
};

Fixture fixtureOf(const std::vector<OpeningSet>& sets, int game);

// Plays the match and prints the summary. Returns the exit status: 0 when no
// fault was seen, 1 otherwise, 2 if the log file cannot be written.
int runMatch(const MatchPlan& plan);
