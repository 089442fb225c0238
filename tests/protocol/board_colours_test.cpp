// Where a BOARD stone's colour comes from: under free-style, standard and Caro
// its who field, whatever the order of the list; under Renju the move order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver_game_session.h"

namespace {

using namespace drivergame;

// Reads up to the engine's move; the MESSAGE lines go to messages.
std::string moveAfter(EngineProcess& engine, const std::string& list,
                      std::vector<std::string>& messages) {
    engine.sendRaw(list);
    return readMove(engine, &messages);
}

bool completesTheFour(const std::string& move) {
    return move == "6,7" || move == "11,7";
}

bool mentions(const std::vector<std::string>& messages, const std::string& text) {
    for (const std::string& m : messages)
        if (m.find(text) != std::string::npos) return true;
    return false;
}

// Own stones 7,7 ... 10,7 make a four; the opponent's stones are scattered.
const char* OWN_FOUR = "7,7,1\n8,7,1\n9,7,1\n10,7,1\n";
const char* SCATTERED = "1,1,2\n1,3,2\n1,5,2\n3,12,2\n";

TEST(BoardColours, FollowWhoInAnyOrder) {
    EngineProcess engine;
    session::configure(engine);
    for (const char* rule : {"0", "1", "8"}) {
        engine.send(std::string("INFO rule ") + rule);
        startGame(engine, 15);
        std::vector<std::string> messages;
        // Black: own stones first.
        std::string move =
            moveAfter(engine, std::string("BOARD\n") + OWN_FOUR + SCATTERED + "DONE\n", messages);
        EXPECT_TRUE(completesTheFour(move)) << "rule " << rule << ": " << move;
        EXPECT_FALSE(mentions(messages, "stone list")) << rule;
        // White: the opponent holds one stone more, listed first.
        move =
            moveAfter(engine, std::string("BOARD\n") + SCATTERED + "13,1,2\n" + OWN_FOUR + "DONE\n",
                      messages);
        EXPECT_TRUE(completesTheFour(move)) << "rule " << rule << ": " << move;
    }
    // The record keeps each stone's colour: a stone taken back and made again
    // by the opponent is the same colour, and the four is still the engine's.
    startGame(engine, 15);
    engine.sendRaw(std::string("QVBOARD\n") + OWN_FOUR + SCATTERED + "DONE\nTAKEBACK 3,12\n");
    EXPECT_EQ(engine.readLine(), "OK");
    engine.send("TURN 3,12");
    const std::string move = readMove(engine);
    EXPECT_TRUE(completesTheFour(move)) << move;
}

// A list that fits no colour rule is read in list order, as it always was, and
// a MESSAGE (never an ERROR: a manager may take that for the answer) says so.
TEST(BoardColours, ListsThatFitNoRuleAreReadInOrder) {
    EngineProcess engine;
    session::configure(engine);
    startGame(engine, 15);
    std::vector<std::string> messages;
    // Two own stones more than the opponent's.
    std::string move = moveAfter(engine, "BOARD\n7,7,1\n8,8,1\n9,9,1\n7,8,2\nDONE\n", messages);
    EXPECT_TRUE(session::parseMove(move, 15, 15)) << move;
    EXPECT_TRUE(mentions(messages, "stone list")) << move;
    // Renju: own stones first contradicts the move order.
    engine.send("INFO rule 4");
    startGame(engine, 15);
    messages.clear();
    move = moveAfter(engine, "BOARD\n7,7,1\n9,9,1\n7,8,2\n3,3,2\nDONE\n", messages);
    EXPECT_TRUE(session::parseMove(move, 15, 15)) << move;
    EXPECT_TRUE(mentions(messages, "stone list")) << move;
    // In move order nothing is said.
    startGame(engine, 15);
    messages.clear();
    move = moveAfter(engine, "BOARD\n7,7,1\n7,8,2\n9,9,1\n3,3,2\nDONE\n", messages);
    EXPECT_TRUE(session::parseMove(move, 15, 15)) << move;
    EXPECT_FALSE(mentions(messages, "stone list")) << move;
}

}  // namespace
