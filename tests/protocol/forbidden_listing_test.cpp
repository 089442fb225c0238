// QVSHOWFORBID through the binary, and the commands that wait for a running search.
#include <gtest/gtest.h>

#include <string>

#include "protocol_session.h"

namespace {

using namespace session;

// Black (first, third, ... stone) holds (7,5), (7,6) and (5,7), (6,7): playing
// (7,7) would make two open threes. White's stones sit in the corners.
const char* const DOUBLE_THREE_LIST =
    "7,5,1\n0,0,2\n7,6,1\n0,14,2\n5,7,1\n14,0,2\n6,7,1\n14,14,2\nDONE\n";

// The listing's points, checked for the format: "FORBID ", four digits per point, ".".
std::string pointsOf(const std::string& line) {
    const std::string head = "FORBID ";
    if (line.rfind(head, 0) != 0 || line.empty() || line.back() != '.') return "<bad listing: " + line + ">";
    std::string points = line.substr(head.size(), line.size() - head.size() - 1);
    if (points.size() % 4 != 0 || points.find_first_not_of("0123456789") != std::string::npos)
        return "<bad listing: " + line + ">";
    return points;
}

bool lists(const std::string& points, const char* xxyy) {
    for (size_t i = 0; i + 4 <= points.size(); i += 4)
        if (points.compare(i, 4, xxyy) == 0) return true;
    return false;
}

TEST(ForbiddenListing, NothingUnderGomokuRules) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    engine.send("QVSHOWFORBID");
    engine.send("INFO rule 1");
    engine.send("QVSHOWFORBID");
    expectSilenceThenAbout(engine);
}

TEST(ForbiddenListing, EmptyBoardAndNoGame) {
    EngineProcess engine;
    configure(engine);
    engine.send("INFO rule 4");
    engine.send("QVSHOWFORBID");  // no game yet: nothing is forbidden
    EXPECT_EQ(engine.readLine(), "FORBID .");
    engine.send("START 15");
    expectWelcome(engine);
    engine.send("QVSHOWFORBID");
    EXPECT_EQ(engine.readLine(), "FORBID .");
}

TEST(ForbiddenListing, DoubleThreeUnderManagerRenjuFlag) {
    EngineProcess engine;
    configure(engine);
    engine.send("INFO rule 4");
    engine.send("START 15");
    expectWelcome(engine);
    engine.sendRaw(std::string("QVBOARD\n") + DOUBLE_THREE_LIST);
    engine.send("QVSHOWFORBID");
    // Built for Renju on demand, without a rule line.
    const std::string points = pointsOf(engine.readLine());
    EXPECT_TRUE(lists(points, "0707")) << points;
    EXPECT_FALSE(lists(points, "0705")) << points;  // occupied
    EXPECT_FALSE(lists(points, "1010")) << points;  // far from everything

    // The board is already built for Renju: the search writes no rule line.
    engine.send("TURN 13,13");
    std::string line = engine.readLine();
    while (line.rfind("MESSAGE", 0) == 0) {
        EXPECT_NE(line, "MESSAGE Rule Renju");
        line = engine.readLine();
    }
    EXPECT_TRUE(parseMove(line, 15, 15)) << line;

    // Taking back black's (6,7) removes the double three.
    engine.send("TAKEBACK " + line);
    EXPECT_EQ(engine.readLine(), "OK");
    engine.send("TAKEBACK 13,13");
    EXPECT_EQ(engine.readLine(), "OK");
    engine.send("TAKEBACK 14,14");
    EXPECT_EQ(engine.readLine(), "OK");
    engine.send("TAKEBACK 6,7");
    EXPECT_EQ(engine.readLine(), "OK");
    engine.send("QVSHOWFORBID");
    EXPECT_FALSE(lists(pointsOf(engine.readLine()), "0707"));
}

TEST(ForbiddenListing, RuleChangeRebuildsForRenju) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    engine.sendRaw(std::string("QVBOARD\n") + DOUBLE_THREE_LIST);
    engine.send("BEGIN");  // builds the board for free-style
    std::string move = expectMove(engine, 15, 15);
    engine.send("TAKEBACK " + move);
    EXPECT_EQ(engine.readLine(), "OK");
    engine.send("INFO rule 4");
    engine.send("QVSHOWFORBID");
    EXPECT_TRUE(lists(pointsOf(engine.readLine()), "0707"));
}

// Commands that must not stop a search wait for it: their output follows the move.
TEST(ForbiddenListing, WaitsForARunningSearch) {
    EngineProcess engine;
    configure(engine);
    engine.send("INFO rule 4");
    engine.send("INFO max_node -1");  // only a stop ends the search
    engine.send("START 15");
    expectWelcome(engine);
    engine.sendRaw(std::string("BOARD\n") + DOUBLE_THREE_LIST);
    engine.send("QVSHOWFORBID");
    engine.send("QVHASHCLEAR");
    engine.send("QVSHOWFORBID");
    engine.send("QVSTOP");
    const std::string move = engine.readNonMessage();
    EXPECT_TRUE(parseMove(move, 15, 15)) << move;
    for (int i = 0; i < 2; ++i) {
        const std::string listing = engine.readLine();
        EXPECT_EQ(pointsOf(listing).rfind("<bad listing", 0), std::string::npos) << listing;
    }
    expectSilenceThenAbout(engine);
}

}  // namespace
