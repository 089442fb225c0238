// The tournament manager on Windows: CRLF line ends, the INFO lines of a match
// before START 20, INFO time_left before every BEGIN and TURN, RESTART between
// games, END at the close; and the turn clock at its edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "manager_replay.h"

namespace {

using namespace replay;

constexpr int SIZE = 20;
constexpr int MATCH_MS = 120000;

// The lines the manager sends before the first game of a match.
void openMatch(Manager& manager, int rule) {
    manager.send("INFO timeout_match " + std::to_string(MATCH_MS));
    manager.send("INFO timeout_turn 300");
    manager.send("INFO max_memory 83886080");
    manager.send("INFO game_type 1");
    manager.send("INFO rule " + std::to_string(rule));
    manager.send("INFO folder C:\\Users\\gomocup\\AppData\\Local\\Temp\\pbrain-vodaro64");
    manager.send("START " + std::to_string(SIZE));
    expectNewGame(manager.engine);  // INFO said nothing
}

// One game against the passive opponent: the manager keeps the match clock and
// announces it before every move request. Returns the engine's move count.
int playGame(Manager& manager, int rule, bool engineBegins, int& timeLeft) {
    Referee board;
    board.size = SIZE;
    const std::vector<Stone> opponent = passiveOpponent(SIZE);
    int colour = 1;  // of the next stone
    int engineMoves = 0;
    bool engineToMove = engineBegins;
    std::string request = "BEGIN";
    for (;;) {
        if (!engineToMove) {
            const Stone s = nextFree(board, opponent);
            board.place(s.x, s.y, colour);
            colour ^= 3;
            request = "TURN " + std::to_string(s.x) + "," + std::to_string(s.y);
        }
        manager.send("INFO time_left " + std::to_string(timeLeft));
        manager.send(request);
        const Answer a = readAnswer(manager.engine, SIZE, SIZE);
        if (a.x < 0) return engineMoves;
        EXPECT_TRUE(board.empty(a.x, a.y)) << "occupied point " << a.move;
        board.place(a.x, a.y, colour);
        timeLeft -= a.elapsedMs;
        ++engineMoves;
        if (board.wins(a.x, a.y, refereeRule(rule))) return engineMoves;
        colour ^= 3;
        engineToMove = false;
        if (engineMoves == WIN_WITHIN) {
            ADD_FAILURE() << "no five after " << WIN_WITHIN << " moves against a passive opponent";
            return engineMoves;
        }
    }
}

TEST(ManagerTournament, TwoGamesOfAMatchOverCrlf) {
    EngineProcess engine;
    Manager manager{engine, LineEnd::CRLF};
    openMatch(manager, 1);
    int timeLeft = MATCH_MS;
    EXPECT_GE(playGame(manager, 1, true, timeLeft), 5);
    manager.send("RESTART");
    expectNewGame(engine);
    timeLeft = MATCH_MS;
    EXPECT_GE(playGame(manager, 1, false, timeLeft), 5);
    manager.send("END");
    EXPECT_EQ(engine.readLine(5000), EngineProcess::CLOSED);  // nothing more, then gone
    EXPECT_EQ(engine.waitExit(5000), 0);
}

// Windows would end text-mode input at a Ctrl-Z byte; the engine reads bytes.
TEST(ManagerTournament, ControlZIsAnOrdinaryByte) {
    EngineProcess engine;
    Manager manager{engine, LineEnd::CRLF};
    manager.send("\x1a");
    EXPECT_EQ(engine.readLine(), "UNKNOWN command");
    manager.send("ABOUT\x1a");
    EXPECT_EQ(engine.readLine(), session::ABOUT);
    manager.send("ABOUT");
    EXPECT_EQ(engine.readLine(), session::ABOUT);
}

// timeout_turn 0 asks for a move at once. The first request builds the board
// (tables and all); after that every answer must come well within 300 ms. The
// bound here is generous so that only a search that ignores the zero fails.
TEST(ManagerTournament, TimeoutTurnZeroAnswersAtOnce) {
    EngineProcess engine;
    Manager manager{engine, LineEnd::CRLF};
    manager.send("INFO timeout_turn 0");
    manager.send("INFO time_left 2147483647");
    manager.send("START 20");
    expectNewGame(engine);
    manager.send("TURN 10,10");
    readAnswer(engine, SIZE, SIZE);  // builds the board
    Referee board;
    board.size = SIZE;
    const std::vector<Stone> opponent = passiveOpponent(SIZE);
    int slowest = 0;
    for (int i = 0; i < 6; ++i) {
        const Stone s = nextFree(board, opponent);
        board.place(s.x, s.y, 1);
        manager.send("TURN " + std::to_string(s.x) + "," + std::to_string(s.y));
        const Answer a = readAnswer(engine, SIZE, SIZE);
        if (a.x < 0) return;
        board.place(a.x, a.y, 2);
        slowest = std::max(slowest, a.elapsedMs);
    }
    std::printf("timeout_turn 0: slowest answer %d ms\n", slowest);
    EXPECT_LT(slowest, 1000);
}

// The depth of the summary line ("MESSAGE c | depth | ...").
int summaryDepth(const Answer& a) {
    const auto fields = drivergame::summaryOf(a.messages);
    return fields.size() == 8 ? std::stoi(fields[1]) : -1;
}

// time_left 2147483647 is the managers' "no match limit": the turn time alone
// bounds the search, which then goes deeper than an answer at once. A clock
// already overdrawn still gets a move.
TEST(ManagerTournament, MatchClockAtItsEdges) {
    const std::vector<Stone> position = {{10, 10}, {11, 11}, {10, 11}, {9, 10}, {11, 9}, {12, 10}};
    auto depthWith = [&](const std::string& turnMs, const std::string& leftMs, int* elapsed) {
        EngineProcess engine;
        Manager manager{engine, LineEnd::CRLF};
        manager.send("INFO hash_size 65536");
        manager.send("INFO timeout_turn " + turnMs);
        manager.send("INFO time_left " + leftMs);
        manager.send("START 20");
        expectNewGame(engine);
        std::vector<std::string> lines = {"BOARD"};
        for (size_t i = 0; i < position.size(); ++i)
            lines.push_back(std::to_string(position[i].x) + "," + std::to_string(position[i].y) +
                            "," + (i % 2 ? "2" : "1"));
        lines.push_back("DONE");
        manager.burst(lines);
        const Answer a = readAnswer(engine, SIZE, SIZE);
        if (elapsed) *elapsed = a.elapsedMs;
        manager.send("END");
        EXPECT_EQ(engine.waitExit(5000), 0);
        return summaryDepth(a);
    };
    const int atOnce = depthWith("0", "2147483647", nullptr);
    const int unlimited = depthWith("1000", "2147483647", nullptr);
    EXPECT_GE(atOnce, 1);
    EXPECT_GT(unlimited, atOnce);
    int overdrawn = 0;
    EXPECT_GE(depthWith("1000", "-2500", &overdrawn), 1);
    EXPECT_LT(overdrawn, 3000);
    std::printf("depth at once %d, without match limit %d; overdrawn clock answered in %d ms\n",
                atOnce, unlimited, overdrawn);
}

}  // namespace
