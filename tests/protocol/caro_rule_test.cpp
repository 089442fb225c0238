// The rule a manager's INFO rule flags select, and the Caro win rule as the
// engine binary plays it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol_session.h"

namespace {

using namespace session;

struct Point {
    int x, y;
};

std::string point(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

// The rule line among the messages before the engine's move.
std::string ruleLineBeforeMove(EngineProcess& engine) {
    std::string rule;
    for (;;) {
        std::string line = engine.readLine();
        if (line.rfind("MESSAGE Rule ", 0) == 0) rule = line.substr(13);
        if (line.rfind("MESSAGE", 0) != 0) {
            EXPECT_TRUE(parseMove(line, 15, 15)) << line;
            return rule;
        }
    }
}

// Every flag value a manager can send: 4 Renju, else 8 Caro, else 1 standard,
// else free-style; 2 (continuous game) changes nothing. Values outside 0..15
// stay Renju.
TEST(CaroRule, InfoRuleFlagsSelectTheRule) {
    EngineProcess engine;
    configure(engine);
    engine.send("INFO max_depth 1");
    for (int v = -1; v <= 16; ++v) {
        const char* expected = (v < 0 || v > 15 || (v & 4)) ? "Renju"
                               : (v & 8)                     ? "Caro"
                               : (v & 1)                     ? "Gomoku (Standard)"
                                                             : "Gomoku (Freestyle)";
        engine.send("INFO rule " + std::to_string(v));
        engine.send("START 15");
        expectWelcome(engine);
        engine.sendRaw("BOARD\n7,7,2\n8,8,1\n7,9,2\nDONE\n");
        EXPECT_EQ(ruleLineBeforeMove(engine), expected) << "INFO rule " << v;
    }
}

// The engine (black, to move) holds a line on row 5 with one point that may
// complete five; white holds a four on row 10 that must be blocked at (13, 10).
// The engine takes its own five when the rule lets it win and blocks otherwise.
std::string caroReply(const std::vector<Point>& own, const std::vector<Point>& opponent) {
    std::vector<Point> black = own;
    std::vector<Point> white = opponent;
    black.push_back({8, 10});  // closes white's four on the left
    for (int x : {9, 10, 11, 12}) white.push_back({x, 10});
    // Far stones on the top and bottom rows even the counts: black moves.
    for (int x = 14; black.size() < white.size(); x -= 3) black.push_back({x, 0});
    for (int x = 14; white.size() < black.size(); x -= 3) white.push_back({x, 14});
    EngineProcess engine;
    configure(engine);
    engine.send("INFO rule 8");
    engine.send("START 15");
    expectWelcome(engine);
    std::string list = "BOARD\n";
    for (size_t i = 0; i < black.size(); ++i) list += point(black[i]) + ",1\n" + point(white[i]) + ",2\n";
    engine.sendRaw(list + "DONE\n");
    return engine.readNonMessage();
}

TEST(CaroRule, FiveWinsUnlessClosedAtBothEndsOrLonger) {
    const std::string block = "13,10";
    // Opponent stones at both ends, the far one beyond the nine points and then
    // within them.
    EXPECT_EQ(caroReply({{4, 5}, {5, 5}, {6, 5}, {7, 5}}, {{3, 5}, {9, 5}}), block);
    EXPECT_EQ(caroReply({{4, 5}, {5, 5}, {7, 5}, {8, 5}}, {{3, 5}, {9, 5}}), block);
    // One end closed.
    EXPECT_EQ(caroReply({{4, 5}, {5, 5}, {6, 5}, {7, 5}}, {{3, 5}}), "8,5");
    // The edge at one end and the opponent at the other: the edge closes nothing.
    EXPECT_EQ(caroReply({{0, 5}, {1, 5}, {2, 5}, {3, 5}}, {{5, 5}}), "4,5");
    // Six in a row, with the new stone at the end and inside the line.
    EXPECT_EQ(caroReply({{2, 5}, {3, 5}, {4, 5}, {5, 5}, {7, 5}}, {{1, 5}}), block);
    EXPECT_EQ(caroReply({{2, 5}, {3, 5}, {5, 5}, {6, 5}, {7, 5}}, {}), block);
}

}  // namespace
