#pragma once
// One game between two engine processes, refereed move by move.
#include <string>
#include <vector>

#include "openings.h"

struct GameLimits {
    int timeoutTurn = 200;    // ms, sent as INFO timeout_turn
    int timeoutMatch = 0;     // ms per engine and game, sent as INFO timeout_match; time_left counts down from it
    int tolerance = 500;      // ms a reply may exceed timeout_turn before it is a fault
    int firstTolerance = 10000;  // the same for an engine's first reply, which builds its tables
    int startTimeout = 5000;  // ms for the reply to START
    int exitTimeout = 1000;   // ms for the exit after END
    long long maxMemory = 0;  // bytes, sent as INFO max_memory; 0 means no limit
    bool verbose = false;     // print every move
    std::vector<std::string> extraInfo;  // "key value" pairs sent as INFO lines after the usual ones
    int randomMoves = 0;      // stones added at random after the opening, for variety
    unsigned seed = 0;        // the random stones' seed, mixed with the game pair's number
    bool randomEachGame = false;  // new random stones for every game, not every pair (self-play)
};

struct Seat {
    std::string name;                  // for reports
    std::vector<std::string> command;  // program and its arguments
    std::vector<std::string> info;     // "key value" pairs sent as INFO lines to this engine only, last
};

// Reply times of one engine over its replies after the first, which also
// builds tables and so is timed apart.
struct ReplyTimes {
    int replies = 0;
    long long totalMs = 0;
    int longestMs = 0;
    int longestFirstMs = 0;

    void add(int ms);
    void add(const ReplyTimes& other);
};

struct GameResult {
    int winner = 0;          // 1 black, 2 white, 0 draw, -1 abandoned after a fault
    int moves = 0;           // stones on the board at the end, opening included
    int longestReply = 0;    // ms, over the replies after each engine's first
    int longestBudget = 0;   // the engine's own turn budget at that reply, ms
    int longestFirst = 0;    // ms, over each engine's first reply (it builds its tables)
    int faultedColours = 0;  // bit REF_BLACK and/or bit REF_WHITE: who caused a fault
    ReplyTimes times[2];     // black's, then white's
    std::vector<std::string> faults;
    std::string record;      // every stone as "x,y", black first, to replay a fault
};

// Plays opening under set's rule with black and white seated; label prefixes
// every fault message. variety picks the random stones added after the
// opening (limits.randomMoves of them): both games of a pair pass the same.
GameResult playGame(const OpeningSet& set, const Opening& opening, const Seat& black, const Seat& white,
                    const GameLimits& limits, const std::string& label, unsigned variety = 0);

// Adds count stones to record (and board) after the opening: each on an empty
// point within two steps of a stone, never a win nor, under Renju, a forbidden
// black point. The same record, rule and variety give the same stones.
void addRandomStones(RefBoard& board, std::vector<Point>& record, Rule rule, int count, unsigned variety);
