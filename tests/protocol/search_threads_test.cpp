// Searches with helper threads through the engine binary: timed games, stops
// and END during searches, clamped thread counts. The thread label runs these
// under ThreadSanitizer, where the helpers' shared tables and stop meet the
// main thread's.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "protocol_session.h"
#include "support/time_bounds.h"

namespace {

using namespace session;

class SearchThreads : public ::testing::TestWithParam<int> {
protected:
    void configureThreads(EngineProcess& engine) {
        configure(engine);
        engine.send("INFO thread_num " + std::to_string(GetParam()));
    }
};

int elapsedMs(std::chrono::steady_clock::time_point since) {
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - since)
                                .count());
}

// A game against a one-thread engine: every reply is a free point and comes
// within the turn, every third turn is stopped at once, and the game ends with
// END during an unlimited search.
TEST_P(SearchThreads, TimedGameWithStopsAndEnd) {
    EngineProcess engine, opponent;
    configureThreads(engine);
    configure(opponent);
    engine.send("INFO show_detail 1");  // the helpers must stay silent
    engine.send("START 15");
    opponent.send("START 15");
    expectWelcome(engine);
    expectWelcome(opponent);
    bool taken[15][15] = {};
    engine.send("BEGIN");
    for (int i = 0; i < 14; ++i) {
        const auto sent = std::chrono::steady_clock::now();
        if (i % 3 == 2) engine.send("QVSTOP");
        std::string line = engine.readLine();
        while (line.rfind("MESSAGE", 0) == 0) line = engine.readLine();
        int mx, my;
        ASSERT_TRUE(parseMove(line, 15, 15, &mx, &my)) << "turn " << i << ": " << line;
        ASSERT_FALSE(taken[mx][my]) << line;
        taken[mx][my] = true;
        EXPECT_LT(elapsedMs(sent), timeBound(2000)) << "turn " << i;
        opponent.send("TURN " + line);
        const std::string reply = opponent.readNonMessage();
        ASSERT_TRUE(parseMove(reply, 15, 15, &mx, &my)) << reply;
        ASSERT_FALSE(taken[mx][my]) << reply;
        taken[mx][my] = true;
        engine.send("TURN " + reply);
    }
    engine.sendRaw("INFO max_node -1\nINFO timeout_turn 100000\nEND\n");
    EXPECT_TRUE(parseMove(engine.readNonMessage(), 15, 15));
    EXPECT_EQ(engine.waitExit(), 0);
}

// A new thread count between searches starts a new set of helpers.
TEST_P(SearchThreads, CountChangesBetweenSearches) {
    EngineProcess engine;
    configureThreads(engine);
    engine.send("START 20");
    expectWelcome(engine);
    const char* counts[] = {"1", "3", "0", "65", "-7"};
    bool taken[20] = {};  // points 0,y: ours or the engine's
    int y = 0;
    for (const char* count : counts) {
        while (taken[y]) ++y;
        taken[y] = true;
        engine.send(std::string("INFO thread_num ") + count);
        engine.send("TURN 0," + std::to_string(y));
        engine.send("QVSTOP");
        int mx, my;
        const std::string move = engine.readNonMessage();
        ASSERT_TRUE(parseMove(move, 20, 20, &mx, &my)) << count << ": " << move;
        if (mx == 0) taken[my] = true;
    }
    expectSilenceThenAbout(engine);
}

INSTANTIATE_TEST_SUITE_P(Threads, SearchThreads, ::testing::Values(2, 4));

}  // namespace
