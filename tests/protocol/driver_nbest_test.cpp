// QVNBEST through the engine binary: the ranked lines after each iteration and
// at the end, a won position, and the ways the analysis ends.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/time_bounds.h"
#include "driver_game_session.h"

namespace {

using namespace drivergame;

const std::regex RANK_LINE(
    "NBEST ([0-9]+) ([0-9]+),([0-9]+) value (W[0-9]+|L[0-9]+|-?[0-9]+) depth ([0-9]+) pv"
    "((?: [0-9]+,[0-9]+)+)");
const std::regex INFO_LINE("NBEST INFO depth ([0-9]+) nodes [0-9]+ ms [0-9]+ nps [0-9]+");
const std::regex DONE_LINE("NBEST DONE depth ([0-9]+) nodes [0-9]+ ms [0-9]+");

// Reads up to the first NBEST INFO line: one iteration has been ranked.
void awaitFirstIteration(EngineProcess& engine) {
    for (;;) {
        const std::string line = engine.readLine();
        if (line.rfind("NBEST INFO", 0) == 0 || line == EngineProcess::TIMEOUT || line == EngineProcess::CLOSED)
            return;
    }
}

// The lines up to NBEST DONE (returned); the others go to before.
std::string readUntilDone(EngineProcess& engine, std::vector<std::string>& before, int timeoutMs) {
    for (;;) {
        std::string line = engine.readLine(timeoutMs);
        if (line == EngineProcess::TIMEOUT || line == EngineProcess::CLOSED) return line;
        if (line.rfind("NBEST DONE", 0) == 0) return line;
        before.push_back(line);
    }
}

// The NBEST lines of one block in order: ranks from 1, distinct empty points,
// each line's pv starting with its move, all at one depth. Returns that depth.
int checkRankBlock(const std::vector<std::string>& block, const std::set<std::string>& taken) {
    std::set<std::string> moves;
    int depth = -1;
    for (size_t i = 0; i < block.size(); ++i) {
        std::smatch m;
        EXPECT_TRUE(std::regex_match(block[i], m, RANK_LINE)) << block[i];
        if (m.empty()) continue;
        EXPECT_EQ(std::stoi(m[1]), static_cast<int>(i) + 1) << block[i];
        const std::string move = m[2].str() + "," + m[3].str();
        EXPECT_TRUE(moves.insert(move).second) << "ranked twice: " << block[i];
        EXPECT_EQ(taken.count(move), 0u) << "a stone stands there: " << block[i];
        EXPECT_EQ(m[6].str().rfind(" " + move, 0), 0u) << block[i];
        if (depth == -1) depth = std::stoi(m[5]);
        EXPECT_EQ(std::stoi(m[5]), depth) << block[i];
    }
    return depth;
}

const std::vector<Stone> MIDDLE_GAME = {{7, 7}, {8, 8}, {7, 8}, {7, 9}, {8, 7}, {6, 7}};

std::set<std::string> pointsOf(const std::vector<Stone>& stones) {
    std::set<std::string> points;
    for (const Stone& s : stones) points.insert(std::to_string(s.x) + "," + std::to_string(s.y));
    return points;
}

TEST(DriverNBest, RanksDistinctMovesAfterEveryIterationThenRepeatsTheLast) {
    EngineProcess engine;
    session::configure(engine);
    engine.send("INFO max_node -1");  // only max_depth ends the deepening
    engine.send("INFO max_depth 5");
    startGame(engine, 15);
    sendStones(engine, "QVBOARD", MIDDLE_GAME);
    engine.send("QVNBEST 3");
    std::vector<std::string> lines;
    const std::string done = readUntilDone(engine, lines, timeBound(10000));
    std::smatch doneMatch;
    ASSERT_TRUE(std::regex_match(done, doneMatch, DONE_LINE)) << done;

    // Blocks of three NBEST lines, each closed by its INFO line, then the last
    // block once more before DONE.
    std::vector<std::vector<std::string>> blocks(1);
    int lastInfoDepth = 0;
    for (const std::string& line : lines) {
        std::smatch m;
        if (std::regex_match(line, m, INFO_LINE)) {
            EXPECT_EQ(blocks.back().size(), 3u) << line;
            EXPECT_EQ(checkRankBlock(blocks.back(), pointsOf(MIDDLE_GAME)), std::stoi(m[1])) << line;
            EXPECT_EQ(std::stoi(m[1]), lastInfoDepth + 1) << line;
            lastInfoDepth = std::stoi(m[1]);
            blocks.emplace_back();
        } else if (line.rfind("NBEST", 0) == 0) {
            blocks.back().push_back(line);
        } else {
            EXPECT_EQ(line.rfind("MESSAGE", 0), 0u) << line;
        }
    }
    ASSERT_EQ(blocks.size(), 6u);
    EXPECT_EQ(blocks.back(), blocks[blocks.size() - 2]);
    EXPECT_EQ(std::stoi(doneMatch[1]), 5);
    // No move follows, and the position is unchanged: white still to move.
    session::expectSilenceThenAbout(engine);
    engine.send("BOARD");
    for (size_t i = 0; i < MIDDLE_GAME.size(); ++i)
        engine.send(std::to_string(MIDDLE_GAME[i].x) + "," + std::to_string(MIDDLE_GAME[i].y) + "," +
                    (i % 2 ? "1" : "2"));
    engine.send("DONE");
    EXPECT_TRUE(session::parseMove(readMove(engine), 15, 15));
}

// The last line before NBEST DONE after QVNBEST 3 on the position.
std::string finalFirstRank(const std::vector<Stone>& stones) {
    EngineProcess engine;
    session::configure(engine);
    engine.send("INFO max_node -1");  // a loaded machine cannot cut it short
    engine.send("INFO max_depth 4");
    startGame(engine, 15);
    sendStones(engine, "QVBOARD", stones);
    engine.send("QVNBEST 3");
    std::vector<std::string> lines;
    EXPECT_TRUE(std::regex_match(readUntilDone(engine, lines, timeBound(3000)), DONE_LINE));
    for (auto it = lines.rbegin(); it != lines.rend(); ++it)
        if (it->rfind("NBEST 1 ", 0) == 0) return *it;
    return "no rank 1";
}

TEST(DriverNBest, ProvenWinsCountTheStonesToTheFive) {
    // Black to move with a four closed at 2,7: only 7,7 completes the five.
    EXPECT_EQ(finalFirstRank({{3, 7}, {2, 7}, {4, 7}, {4, 9}, {5, 7}, {5, 9}, {6, 7}, {12, 12}})
                  .rfind("NBEST 1 7,7 value W1 ", 0),
              0u);
    // Two threes closed at one end meet at 7,7: a double four there, white
    // blocks one, black's five is the third stone.
    const std::string doubleFour = finalFirstRank({{3, 7}, {2, 7}, {4, 7}, {7, 2}, {5, 7}, {12, 12},
                                                   {7, 3}, {0, 12}, {7, 4}, {12, 0}, {7, 5}, {14, 5}});
    EXPECT_EQ(doubleFour.rfind("NBEST 1 7,7 value W3 ", 0), 0u) << doubleFour;
}

TEST(DriverNBest, StopOrAnotherCommandEndsItWithTheFinalLinesAndNoMove) {
    EngineProcess engine;
    session::configure(engine);
    engine.send("INFO timeout_turn 600000");
    startGame(engine, 15);
    sendStones(engine, "QVBOARD", MIDDLE_GAME);
    engine.send("QVNBEST 2");
    awaitFirstIteration(engine);
    auto sent = std::chrono::steady_clock::now();
    engine.send("QVSTOP");
    std::vector<std::string> lines;
    EXPECT_TRUE(std::regex_match(readUntilDone(engine, lines, timeBound(3000)), DONE_LINE));
    EXPECT_LT(msSince(sent), timeBound(2000));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2].rfind("NBEST 1 ", 0), 0u);
    EXPECT_EQ(lines.back().rfind("NBEST 2 ", 0), 0u);
    session::expectSilenceThenAbout(engine);

    // Any other command stops it too, even one that lets a move's search go
    // on; its reply follows the DONE line.
    engine.send("QVNBEST 2");
    awaitFirstIteration(engine);
    engine.send("ABOUT");
    lines.clear();
    EXPECT_TRUE(std::regex_match(readUntilDone(engine, lines, timeBound(3000)), DONE_LINE));
    EXPECT_EQ(engine.readLine(), session::ABOUT);

    engine.send("INFO timeout_turn 300");
    engine.send("QVNBEST 2");
    awaitFirstIteration(engine);
    sent = std::chrono::steady_clock::now();
    engine.send("TURN 9,9");
    lines.clear();
    EXPECT_TRUE(std::regex_match(readUntilDone(engine, lines, timeBound(3000)), DONE_LINE));
    EXPECT_LT(msSince(sent), timeBound(2000));
    EXPECT_TRUE(session::parseMove(readMove(engine), 15, 15));
}

}  // namespace
