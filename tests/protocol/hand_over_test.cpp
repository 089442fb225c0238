// The brain thread hand-over through the engine binary: one move per search,
// stops that wait for the search, END and end of input during a search.
#include <gtest/gtest.h>

#include <string>

#include "protocol_session.h"

namespace {

using namespace session;

TEST(HandOver, StopWithNothingRunningWritesNothing) {
    EngineProcess engine;
    engine.send("QVSTOP");
    engine.send("QVSTOP");
    expectSilenceThenAbout(engine);
}

// Rapid sequences: each RESTART must wait for the search before it, so the replies
// come in a fixed order and none is lost or doubled.
TEST(HandOver, RapidBeginStopRestartSequences) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    constexpr int ROUNDS = 300;
    std::string burst;
    for (int i = 0; i < ROUNDS; ++i) burst += "RESTART\nBEGIN\nQVSTOP\n";
    engine.sendRaw(burst);
    for (int i = 0; i < ROUNDS; ++i) {
        ASSERT_EQ(engine.readLine(), WELCOME) << "round " << i;
        ASSERT_EQ(engine.readLine(), "OK") << "round " << i;
        std::string move = engine.readNonMessage();
        ASSERT_TRUE(parseMove(move, 15, 15)) << "round " << i << ": " << move;
    }
    expectSilenceThenAbout(engine);
    engine.send("END");
    EXPECT_EQ(engine.waitExit(), 0);
}

// Searches that are interrupted while they run: the stop waits and the move comes first.
TEST(HandOver, StopsDuringSearchesOfAGame) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    bool taken[15][15] = {};
    int nextFree = 15 * 15 - 1;  // our stones come from the far corner backwards
    for (int i = 0; i < 20; ++i) {
        while (taken[nextFree / 15][nextFree % 15]) --nextFree;
        const int x = nextFree / 15, y = nextFree % 15;
        taken[x][y] = true;
        engine.send("TURN " + std::to_string(x) + "," + std::to_string(y));
        engine.send("QVSTOP");
        std::string move = engine.readNonMessage();
        int mx, my;
        ASSERT_TRUE(parseMove(move, 15, 15, &mx, &my)) << move;
        ASSERT_FALSE(taken[mx][my]) << move;
        taken[mx][my] = true;
    }
    expectSilenceThenAbout(engine);
}

TEST(HandOver, EndDuringASearchWritesTheMoveThenExits) {
    for (int i = 0; i < 30; ++i) {
        EngineProcess engine;
        configure(engine);
        engine.sendRaw("START 15\nBOARD\n7,7,1\n8,8,2\nDONE\nEND\n");
        expectWelcome(engine);
        std::string move = engine.readNonMessage();
        ASSERT_TRUE(parseMove(move, 15, 15)) << "run " << i << ": " << move;
        ASSERT_EQ(engine.waitExit(), 0) << "run " << i;
    }
}

TEST(HandOver, EndOfInputDuringASearchExitsAtOnce) {
    for (int i = 0; i < 10; ++i) {
        EngineProcess engine;
        engine.sendRaw("INFO hash_size 4096\nINFO max_node -1\nSTART 15\nTURN 7,7\n");
        engine.closeInput();
        ASSERT_EQ(engine.waitExit(), 0) << "run " << i;
    }
}

// A new size arrives while a search runs: the search ends with its move on the old
// board before the new extents take effect.
TEST(HandOver, StartDuringASearch) {
    EngineProcess engine;
    configure(engine);
    engine.send("INFO max_node -1");  // only a stop ends the search
    engine.send("START 15");
    expectWelcome(engine);
    engine.sendRaw("BOARD\n7,7,1\n8,8,2\nDONE\nSTART 10\n");
    expectMove(engine, 15, 15);
    expectWelcome(engine);
    engine.sendRaw("BOARD\n2,2,1\n3,3,2\nDONE\nRECTSTART 5,8\n");
    expectMove(engine, 10, 10);
    expectWelcome(engine);
    engine.send("PLAY 7,4");
    EXPECT_EQ(engine.readLine(), "7,4");
    engine.send("PLAY 4,5");
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
    // A refused size does not stop the search (its move normally comes after the
    // refusal, but a search may also end on its own first).
    engine.sendRaw("BOARD\n2,2,1\n3,3,2\nDONE\nSTART 25\nQVSTOP\n");
    int errors = 0, moves = 0;
    for (int i = 0; i < 2; ++i) {
        const std::string line = engine.readNonMessage();
        if (line == "ERROR size of the board") {
            ++errors;
        } else {
            EXPECT_TRUE(parseMove(line, 8, 5)) << line;
            ++moves;
        }
    }
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(moves, 1);
}

TEST(HandOver, PositionCommandsAfterBeginWaitForTheMove) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    for (int i = 0; i < 50; ++i) {
        engine.sendRaw("BEGIN\nTAKEBACK 0,0\n");
        std::string move = engine.readNonMessage();
        ASSERT_TRUE(parseMove(move, 15, 15)) << move;
        // TAKEBACK waited for the move, so it sees it as the last stone.
        engine.send("TAKEBACK " + move);
        std::string first = engine.readLine();
        std::string second = engine.readLine();
        const bool moveWasZero = move == "0,0";
        EXPECT_EQ(first, moveWasZero ? "OK" : "ERROR bad coordinates");
        EXPECT_EQ(second, moveWasZero ? "ERROR bad coordinates" : "OK");
    }
}

}  // namespace
