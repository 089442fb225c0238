// The turn driver through the engine binary: first moves, shortcuts, wins,
// stops and the time the engine takes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/time_bounds.h"
#include "driver_game_session.h"

namespace {

using namespace drivergame;

// Black to move in an opening of fourteen stones that neither side has decided.
const std::vector<Stone> MIDGAME = {{7, 7}, {8, 8}, {6, 5},  {6, 7}, {5, 3},  {7, 5},  {4, 6},
                                    {9, 6}, {5, 8}, {11, 7}, {3, 4}, {10, 9}, {11, 8}, {5, 4}};

// Three stones: an open position no search decides within seconds.
const std::vector<Stone> OPENING = {{7, 7}, {8, 8}, {6, 8}};

EngineProcess& configured(EngineProcess& engine) {
    session::configure(engine);
    return engine;
}

TEST(DriverTurn, FirstMovesTakeTheCentre) {
    EngineProcess engine;
    configured(engine);
    startGame(engine, 15);
    engine.send("BEGIN");
    std::vector<std::string> messages;
    EXPECT_EQ(readMove(engine, &messages), "7,7");
    const auto fields = summaryOf(messages);
    ASSERT_EQ(fields.size(), 8u);
    EXPECT_EQ(fields[3], "0ms");

    startGame(engine, 20);
    engine.send("BEGIN");
    EXPECT_EQ(readMove(engine), "10,10");

    engine.send("RECTSTART 15,20");
    session::expectWelcome(engine);
    engine.send("BEGIN");
    EXPECT_EQ(readMove(engine), "10,7");

    engine.send("QVBLOCK");
    engine.send("7,7");
    engine.send("done");
    startGame(engine, 15);
    engine.send("BEGIN");
    EXPECT_EQ(readMove(engine), "6,7");
}

// Builds the board with one search, takes the engine's move back, and has the
// opponent make the last stone with TURN: the engine then answers on the built board.
std::vector<std::string> turnOnBuiltBoard(EngineProcess& engine, const std::vector<Stone>& stones,
                                          Stone last, std::string& reply) {
    startGame(engine, 15);
    sendStones(engine, "BOARD", stones);
    const std::string first = readMove(engine);
    EXPECT_TRUE(session::parseMove(first, 15, 15)) << first;
    engine.send("TAKEBACK " + first);
    EXPECT_EQ(readMove(engine), "OK");
    engine.send("TURN " + std::to_string(last.x) + "," + std::to_string(last.y));
    std::vector<std::string> messages;
    reply = readMove(engine, &messages);
    return messages;
}

TEST(DriverTurn, BlocksAFiveAtOnce) {
    EngineProcess engine;
    configured(engine);
    // Black 4,7 5,7 6,7 against white 3,7; TURN 7,7 leaves one five point, 8,7.
    std::string reply;
    const auto messages = turnOnBuiltBoard(
        engine, {{4, 7}, {3, 7}, {5, 7}, {10, 10}, {6, 7}, {10, 12}}, {7, 7}, reply);
    EXPECT_EQ(reply, "8,7");
    const auto fields = summaryOf(messages);
    ASSERT_EQ(fields.size(), 8u);
    EXPECT_EQ(fields[3], "0ms");
}

// QVBLOCK points are never the reply: not as the five of a won position, not as
// the only block of the opponent's five.
TEST(DriverTurn, BlockedPointsAreNeitherWinNorBlock) {
    EngineProcess engine;
    configured(engine);
    startGame(engine, 15);
    engine.sendRaw("QVBLOCK\n2,7\n7,7\n8,7\nDONE\n");
    sendStones(engine, "BOARD",
               {{3, 7}, {10, 10}, {4, 7}, {10, 11}, {5, 7}, {12, 10}, {6, 7}, {12, 12}});
    std::string reply = readMove(engine);
    EXPECT_TRUE(session::parseMove(reply, 15, 15)) << reply;
    EXPECT_NE(reply, "2,7");
    EXPECT_NE(reply, "7,7");
    // As in BlocksAFiveAtOnce, with the one five point 8,7 blocked.
    turnOnBuiltBoard(engine, {{4, 7}, {3, 7}, {5, 7}, {10, 10}, {6, 7}, {10, 12}}, {7, 7}, reply);
    EXPECT_TRUE(session::parseMove(reply, 15, 15)) << reply;
    EXPECT_NE(reply, "8,7");
}

TEST(DriverTurn, TwoFivesAreReportedAsLost) {
    EngineProcess engine;
    configured(engine);
    std::string reply;
    const auto messages = turnOnBuiltBoard(
        engine, {{4, 7}, {10, 10}, {5, 7}, {10, 12}, {6, 7}, {12, 10}}, {7, 7}, reply);
    EXPECT_EQ(reply, "3,7");
    const auto fields = summaryOf(messages);
    ASSERT_EQ(fields.size(), 8u);
    EXPECT_EQ(fields[7], "-10000 :-(");
}

// A won game's value and depth stay with that game: the next game's first move
// reports a neutral value at depth 0.
TEST(DriverTurn, NewGameReportsNoOldValue) {
    EngineProcess engine;
    configured(engine);
    for (const char* newGame : {"START 15", "RESTART"}) {
        startGame(engine, 15);
        sendStones(engine, "BOARD", {{7, 7}, {0, 0}, {8, 7}, {0, 2}, {9, 7}, {0, 4}, {10, 7}, {0, 6}});
        std::vector<std::string> messages;
        readMove(engine, &messages);
        ASSERT_EQ(summaryOf(messages).at(7), "10000 :-)");  // the open four wins
        engine.send(newGame);
        session::expectWelcome(engine);
        engine.send("BEGIN");
        messages.clear();
        EXPECT_EQ(readMove(engine, &messages), "7,7");
        const auto fields = summaryOf(messages);
        ASSERT_EQ(fields.size(), 8u);
        EXPECT_EQ(fields[1], "0") << newGame;
        EXPECT_EQ(fields[7], "0 ") << newGame;
    }
}

TEST(DriverTurn, FindsAndCompletesAWin) {
    EngineProcess engine;
    configured(engine);
    startGame(engine, 15);
    // Black (the engine, to move) has an open three; white's stones are scattered.
    const std::vector<Stone> stones = {{5, 7}, {10, 10}, {6, 7}, {10, 12}, {7, 7}, {12, 10}};
    Referee board;
    for (size_t i = 0; i < stones.size(); ++i) board.place(stones[i].x, stones[i].y, i % 2 ? 2 : 1);
    sendStones(engine, "BOARD", stones);
    for (int move = 0; move < 8; ++move) {
        std::vector<std::string> messages;
        const std::string reply = readMove(engine, &messages);
        int x = -1;
        int y = -1;
        ASSERT_TRUE(session::parseMove(reply, 15, 15, &x, &y)) << reply;
        ASSERT_TRUE(board.empty(x, y)) << reply;
        board.place(x, y, 1);
        if (move == 0) {
            const auto fields = summaryOf(messages);
            ASSERT_EQ(fields.size(), 8u);
            EXPECT_EQ(fields[7], "10000 :-)") << "the open three wins";
        }
        if (board.wins(x, y, 0)) return;
        // White blocks the first five point, or else the point below the three.
        auto fives = board.fivePoints(1, 0);
        Stone block = fives.empty() ? Stone{7, 14 - move} : fives.front();
        ASSERT_TRUE(board.empty(block.x, block.y));
        board.place(block.x, block.y, 2);
        engine.send("TURN " + std::to_string(block.x) + "," + std::to_string(block.y));
    }
    FAIL() << "no five within eight moves";
}

TEST(DriverTurn, SummaryRadiusFollowsTheRule) {
    const struct {
        int rule;
        const char* radius;
    } cases[] = {{0, "4"}, {1, "5"}, {4, "5"}, {8, "5"}};
    for (const auto& c : cases) {
        EngineProcess engine;
        configured(engine);
        engine.send("INFO rule " + std::to_string(c.rule));
        startGame(engine, 15);
        sendStones(engine, "BOARD", MIDGAME);
        std::vector<std::string> messages;
        EXPECT_TRUE(session::parseMove(readMove(engine, &messages), 15, 15));
        const auto fields = summaryOf(messages);
        ASSERT_EQ(fields.size(), 8u) << "rule " << c.rule;
        EXPECT_EQ(fields[6], c.radius) << "rule " << c.rule;
    }
}

TEST(DriverTurn, StopEndsAnUnlimitedSearchAtOnce) {
    EngineProcess engine;
    configured(engine);
    engine.send("INFO max_node -1");
    startGame(engine, 15);
    sendStones(engine, "BOARD", OPENING);
    // An unlimited search ignores the 300 ms turn time: nothing but messages for a second.
    for (std::string line; (line = engine.readLine(1000)) != EngineProcess::TIMEOUT;)
        ASSERT_EQ(line.rfind("MESSAGE", 0), 0u) << line;
    const auto sent = std::chrono::steady_clock::now();
    engine.send("QVSTOP");
    EXPECT_TRUE(session::parseMove(readMove(engine, nullptr, 3000), 15, 15));
    EXPECT_LT(msSince(sent), timeBound(2000));
    session::expectSilenceThenAbout(engine);
}

TEST(DriverTurn, EndDuringASearchWritesTheMoveAndExits) {
    EngineProcess engine;
    configured(engine);
    engine.send("INFO max_node -1");
    startGame(engine, 15);
    sendStones(engine, "BOARD", OPENING);
    pause(300);
    engine.send("END");
    EXPECT_TRUE(session::parseMove(readMove(engine, nullptr, 3000), 15, 15));
    EXPECT_EQ(engine.waitExit(3000), 0);
}

TEST(DriverTurn, TwoBeginsInARowGiveTwoMoves) {
    EngineProcess engine;
    configured(engine);
    startGame(engine, 15);
    engine.send("BEGIN");
    engine.send("BEGIN");
    EXPECT_EQ(readMove(engine), "7,7");
    const std::string second = readMove(engine);
    EXPECT_TRUE(session::parseMove(second, 15, 15)) << second;
    EXPECT_NE(second, "7,7");
}

TEST(DriverTurn, AnswersWithinTheTurnTime) {
    EngineProcess engine;
    engine.send("INFO timeout_turn 1000");  // default hash_size, as a real game has it
    startGame(engine, 15);
    auto sent = std::chrono::steady_clock::now();
    sendStones(engine, "BOARD", MIDGAME);
    EXPECT_TRUE(session::parseMove(readMove(engine, nullptr, 10000), 15, 15));
    EXPECT_LT(msSince(sent), timeBound(3000));

    engine.send("INFO timeout_turn 30000");
    engine.send("INFO time_left 3200");  // a sixteenth: 200 ms
    engine.send("TURN 3,3");
    sent = std::chrono::steady_clock::now();
    EXPECT_TRUE(session::parseMove(readMove(engine, nullptr, 10000), 15, 15));
    EXPECT_LT(msSince(sent), timeBound(1000));

    // 64 helpers to make (on a machine of few cores) and 768 MiB of tables to
    // allocate, both asked for right before the turn: neither delays the reply
    // (each took about a second inside the turn when it was done there).
    engine.send("INFO timeout_turn 300");
    engine.send("INFO time_left 1000000000");
    engine.send("INFO thread_num 64");
    engine.send("INFO hash_size 2097152");
    engine.send("TURN 14,0");
    sent = std::chrono::steady_clock::now();
    EXPECT_TRUE(session::parseMove(readMove(engine, nullptr, 10000), 15, 15));
    EXPECT_LT(msSince(sent), timeBound(1000));
    engine.send("END");
}

}  // namespace
