// QVBALANCE through the engine binary: the final line, show_detail held at 0
// and restored, and stopping it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "support/time_bounds.h"
#include "driver_game_session.h"

namespace {

using namespace drivergame;

const std::regex FINAL_LINE(
    "MESSAGE DETAIL \\(BALANCE MOVE\\) DEPTH:([0-9]+)-[0-9]+ \\|VAL\\|:[0-9]+ TIME:[0-9]+ms "
    "NODE:[0-9]+m "
    "\\[([0-9]+),([A-Z])\\]\\[([0-9]+),([A-Z])\\]");

// Reads up to the final balance line; the lines before it go to before.
std::string readFinalLine(EngineProcess& engine, std::vector<std::string>& before, int timeoutMs) {
    for (;;) {
        std::string line = engine.readLine(timeoutMs);
        if (line == EngineProcess::TIMEOUT || line == EngineProcess::CLOSED) return line;
        if (line.rfind("MESSAGE DETAIL (BALANCE MOVE)", 0) == 0) return line;
        before.push_back(line);
    }
}

TEST(DriverBalance, EmptyBoardGivesTwoClosePoints) {
    EngineProcess engine;
    session::configure(engine);
    engine.send("INFO timeout_turn 1000");
    startGame(engine, 15);
    engine.send("QVBALANCE");
    std::vector<std::string> before;
    const std::string line = readFinalLine(engine, before, 5000);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(line, m, FINAL_LINE)) << line;
    const int x1 = 15 - std::stoi(m[2]);
    const int y1 = m[3].str()[0] - 'A';
    const int x2 = 15 - std::stoi(m[4]);
    const int y2 = m[5].str()[0] - 'A';
    EXPECT_TRUE(x1 != x2 || y1 != y2) << line;
    EXPECT_LE(std::abs(x1 - x2), 3) << line;
    EXPECT_LE(std::abs(y1 - y2), 3) << line;
    for (int v : {x1, y1, x2, y2}) {
        EXPECT_GE(v, 0) << line;
        EXPECT_LT(v, 15) << line;
    }
    for (const std::string& l : before) {
        const bool expected =
            l == "MESSAGE Rule Gomoku (Freestyle)" || l.rfind("MESSAGE DETAIL DEPTH:", 0) == 0;
        EXPECT_TRUE(expected) << l;
    }
    // Nothing is placed and no move is written.
    session::expectSilenceThenAbout(engine);
    engine.send("BEGIN");
    EXPECT_EQ(readMove(engine), "7,7");
}

TEST(DriverBalance, DeepSearchesWriteNoProgressLinesAndDetailStaysOn) {
    EngineProcess engine;
    session::configure(engine);
    engine.send("INFO show_detail 1");
    engine.send("INFO max_node -1");  // only max_depth ends the deepening
    engine.send("INFO max_depth 10");
    startGame(engine, 6);
    // 28 stones on a 6 by 6 board, no five possible: the few pairs are searched
    // well past the depth at which the root reports its progress.
    const std::vector<Stone> stones = {{1, 0}, {0, 1}, {1, 2}, {0, 2}, {1, 4}, {0, 4}, {1, 5},
                                       {1, 1}, {2, 1}, {1, 3}, {2, 3}, {2, 0}, {2, 5}, {2, 2},
                                       {3, 0}, {2, 4}, {3, 2}, {4, 1}, {3, 5}, {4, 2}, {4, 0},
                                       {4, 3}, {5, 0}, {5, 1}, {5, 2}, {5, 3}, {5, 4}, {5, 5}};
    sendStones(engine, "QVBOARD", stones);
    engine.send("QVBALANCE");
    std::vector<std::string> before;
    const std::string line = readFinalLine(engine, before, 20000);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(line, m, FINAL_LINE)) << line;
    EXPECT_EQ(std::stoi(m[1]), 10);
    for (const std::string& l : before) EXPECT_EQ(l.find("REALTIME"), std::string::npos) << l;

    // show_detail is on again for the next turn.
    engine.send("INFO max_node 2000000000");
    engine.send("INFO max_depth 400");
    startGame(engine, 15);
    sendStones(engine, "BOARD", {{7, 7}, {8, 8}, {6, 8}});
    std::vector<std::string> messages;
    EXPECT_TRUE(session::parseMove(readMove(engine, &messages), 15, 15));
    bool detailed = false;
    for (const std::string& l : messages)
        detailed = detailed || l.rfind("MESSAGE Complexity: ", 0) == 0;
    EXPECT_TRUE(detailed);
}

TEST(DriverBalance, StopEndsItWithTheFinalLine) {
    EngineProcess engine;
    session::configure(engine);
    engine.send("INFO max_node -1");
    startGame(engine, 15);
    sendStones(engine, "QVBOARD", {{5, 5}, {5, 4}, {7, 5}, {6, 5}, {5, 6}, {4, 6}, {6, 6}, {7, 6}});
    engine.send("QVBALANCE");
    pause(700);
    const auto sent = std::chrono::steady_clock::now();
    engine.send("QVSTOP");
    std::vector<std::string> before;
    const std::string line = readFinalLine(engine, before, 3000);
    EXPECT_TRUE(std::regex_match(line, FINAL_LINE)) << line;
    EXPECT_LT(msSince(sent), timeBound(2000));
    session::expectSilenceThenAbout(engine);
}

}  // namespace
