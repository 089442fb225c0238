// Two engine processes play whole games against each other through the
// protocol under each rule; a referee in the test checks every move, and under
// Renju the white engine's forbidden listing judges every black move. Rules are
// the test referee's: 0 free-style, 1 standard, 2 Renju, 3 Caro.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "driver_game_session.h"

namespace {

using namespace drivergame;

// Black's forbidden points as the other engine lists them ("FORBID xxyy....").
std::set<std::pair<int, int>> forbiddenPoints(EngineProcess& judge) {
    judge.send("QVSHOWFORBID");
    const std::string line = judge.readLine();
    std::set<std::pair<int, int>> points;
    EXPECT_EQ(line.rfind("FORBID ", 0), 0u) << line;
    EXPECT_EQ(line.back(), '.') << line;
    for (size_t i = 7; i + 4 <= line.size() - 1; i += 4)
        points.insert({std::stoi(line.substr(i, 2)), std::stoi(line.substr(i + 2, 2))});
    return points;
}

// The manager's INFO rule flags for each referee rule.
constexpr int INFO_RULE[4] = {0, 1, 4, 8};

void prepare(EngineProcess& engine, int rule, int size) {
    engine.send("INFO hash_size 65536");
    engine.send("INFO timeout_turn 100");
    engine.send("INFO rule " + std::to_string(INFO_RULE[rule]));
    startGame(engine, size);
}

// Plays one game; the opening moves are given to black's engine with BOARD.
void playGame(int rule, int size, const std::vector<Stone>& opening) {
    EngineProcess black;
    EngineProcess white;
    prepare(black, rule, size);
    prepare(white, rule, size);
    Referee board;
    board.size = size;
    std::vector<Stone> record;
    for (size_t i = 0; i < opening.size(); ++i) {
        board.place(opening[i].x, opening[i].y, i % 2 ? 2 : 1);
        record.push_back(opening[i]);
    }
    // The side to move first gets the position with BOARD (or BEGIN when empty);
    // the other side learns it with QVBOARD.
    EngineProcess* mover = opening.size() % 2 ? &white : &black;
    EngineProcess* other = opening.size() % 2 ? &black : &white;
    if (opening.empty()) {
        mover->send("BEGIN");
    } else {
        sendStones(*other, "QVBOARD", opening);
        sendStones(*mover, "BOARD", opening);
    }
    for (;;) {
        const int colour = static_cast<int>(record.size() % 2) + 1;
        std::vector<std::string> messages;
        const std::string reply = readMove(*mover, &messages);
        for (const std::string& m : messages) ASSERT_EQ(m.find("ERROR"), std::string::npos) << m;
        int x = -1;
        int y = -1;
        ASSERT_TRUE(session::parseMove(reply, size, size, &x, &y))
            << "rule " << rule << " move " << record.size() << ": " << reply;
        ASSERT_TRUE(board.empty(x, y)) << "rule " << rule << " occupied point " << reply;
        if (rule == 2 && colour == 1) {
            // The other engine still has black to move: ask it which points are forbidden.
            const auto forbidden = forbiddenPoints(*other);
            ASSERT_EQ(forbidden.count({x, y}), 0u) << "black played the forbidden point " << reply;
        }
        board.place(x, y, colour);
        record.push_back({x, y});
        if (board.wins(x, y, rule)) break;
        ASSERT_LT(board.stones, size * size + 1);
        if (board.stones == size * size) break;  // a full board ends the game drawn
        other->send("TURN " + reply);
        std::swap(mover, other);
    }
    for (EngineProcess* engine : {&black, &white}) {
        engine->send("END");
        EXPECT_EQ(engine->waitExit(5000), 0) << "rule " << rule;
    }
}

TEST(DriverSelfPlay, FreeStyleGame) {
    playGame(0, 15, {});
}

TEST(DriverSelfPlay, StandardGame) {
    playGame(1, 15, {{7, 7}, {8, 8}, {6, 8}});
}

TEST(DriverSelfPlay, RenjuGame) {
    playGame(2, 15, {});
}

TEST(DriverSelfPlay, RenjuGameFromAnOpening) {
    playGame(2, 15, {{7, 7}, {7, 8}, {9, 7}, {8, 9}});
}

TEST(DriverSelfPlay, CaroGame) {
    playGame(3, 15, {{7, 7}, {8, 8}, {8, 6}});
}

TEST(DriverSelfPlay, SmallBoardGameMayFillTheBoard) {
    playGame(1, 7, {});
}

}  // namespace
