// An analysis GUI: lowercase commands, its INFO lines before START, START and a
// whole BOARD ... DONE before every search (never RESTART), "info rule 4" for
// Renju, and the extension commands qvboard, qvshowforbid, qvblock and qvstop
// between searches or during them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/time_bounds.h"
#include "manager_replay.h"

namespace {

using namespace replay;

constexpr int SIZE = 15;

// What the GUI sends when it connects, before the first START.
void connect(Manager& gui, const std::string& turnMs, int rule) {
    gui.send("info timeout_match 2147483647");
    gui.send("info timeout_turn " + turnMs);
    gui.send("info time_left 2147483647");
    gui.send("info max_memory 0");
    gui.send("info hash_size 65536");
    gui.send("info rule " + std::to_string(rule));
    gui.send("info thread_num 1");
    gui.send("info caution_factor 1");
}

// START, then the whole game so far as a board list under command ("board" or
// "qvboard"); the engine's stones are its own (1), the player's the other's (2).
void sendPosition(Manager& gui, const std::string& command, const std::vector<Stone>& stones,
                  int engineFirstIndex) {
    gui.send("start " + std::to_string(SIZE));
    expectNewGame(gui.engine);
    std::vector<std::string> lines = {command};
    for (size_t i = 0; i < stones.size(); ++i) {
        const bool own = static_cast<int>(i % 2) == engineFirstIndex;
        lines.push_back(std::to_string(stones[i].x) + "," + std::to_string(stones[i].y) +
                        (own ? ",1" : ",2"));
    }
    lines.push_back("done");
    for (const std::string& line : lines) gui.send(line);
}

// The points of a "FORBID xxyy....yyxx." line; a malformed line fails the test.
std::set<std::pair<int, int>> forbiddenPoints(const std::string& line) {
    std::set<std::pair<int, int>> points;
    const bool framed = line.size() >= 8 && line.rfind("FORBID ", 0) == 0 && line.back() == '.' &&
                        (line.size() - 8) % 4 == 0;
    EXPECT_TRUE(framed) << line;
    if (!framed) return points;
    for (size_t i = 7; i + 4 < line.size(); i += 4)
        points.insert({std::stoi(line.substr(i, 2)), std::stoi(line.substr(i + 2, 2))});
    return points;
}

// A Renju game the GUI's user plays passively with white. Before every engine
// move the GUI shows black's forbidden points for the position; the engine, as
// black, must never choose one of them.
TEST(ManagerGui, RenjuGameWithTheForbiddenPointsShown) {
    EngineProcess engine;
    Manager gui{engine, LineEnd::LF};
    connect(gui, "300", 4);
    Referee board;
    board.size = SIZE;
    std::vector<Stone> stones;
    const std::vector<Stone> player = passiveOpponent(SIZE);
    int engineMoves = 0;
    for (;;) {
        sendPosition(gui, "qvboard", stones, 0);
        gui.send("qvshowforbid");
        const auto forbidden = forbiddenPoints(engine.readLine());
        sendPosition(gui, "board", stones, 0);
        const Answer a = readAnswer(engine, SIZE, SIZE);
        ASSERT_GE(a.x, 0);
        ASSERT_TRUE(board.empty(a.x, a.y)) << "occupied point " << a.move;
        EXPECT_EQ(forbidden.count({a.x, a.y}), 0u) << "black played a forbidden point " << a.move;
        board.place(a.x, a.y, 1);
        stones.push_back({a.x, a.y});
        if (board.wins(a.x, a.y, 2)) break;
        ASSERT_LT(++engineMoves, WIN_WITHIN) << "no five against a passive opponent";
        const Stone s = nextFree(board, player);
        board.place(s.x, s.y, 2);
        stones.push_back(s);
    }
    EXPECT_GE(stones.size(), 9u);
    gui.send("end");
    EXPECT_EQ(engine.waitExit(5000), 0);
}

// A quiet opening, black to move: nothing forces the search to end early.
const std::vector<Stone> QUIET = {{7, 7}, {8, 8}, {6, 8}, {7, 9}};

// Analysis: a search without a limit that the user stops, blocked points, and
// the GUI closing while the engine thinks.
TEST(ManagerGui, AnalysisStoppedBlockedAndClosed) {
    EngineProcess engine;
    Manager gui{engine, LineEnd::LF};
    connect(gui, "2147483647", 4);
    gui.send("info max_node -1");  // "think until I say stop"
    sendPosition(gui, "board", QUIET, 0);
    // Nothing but progress lines while it thinks.
    for (std::string line; (line = engine.readLine(800)) != EngineProcess::TIMEOUT;)
        ASSERT_EQ(line.rfind("MESSAGE", 0), 0u) << line;
    gui.send("qvstop");
    const Answer stopped = readAnswer(engine, SIZE, SIZE, 3000);
    EXPECT_LT(stopped.elapsedMs, timeBound(2000));

    // The user forbids the engine the region around the centre.
    gui.send("info max_node 2000000000");
    gui.send("info timeout_turn 300");
    gui.send("qvblock");
    std::set<std::pair<int, int>> blocked;
    for (int x = 4; x <= 10; ++x)
        for (int y = 4; y <= 10; ++y) {
            gui.send(std::to_string(x) + "," + std::to_string(y));
            blocked.insert({x, y});
        }
    gui.send("done");
    sendPosition(gui, "board", {{7, 7}}, 1);
    const Answer outside = readAnswer(engine, SIZE, SIZE);
    EXPECT_EQ(blocked.count({outside.x, outside.y}), 0u) << outside.move;
    gui.send("qvblockreset");
    sendPosition(gui, "board", {{7, 7}}, 1);
    const Answer near = readAnswer(engine, SIZE, SIZE);
    EXPECT_LE(std::abs(near.x - 7) + std::abs(near.y - 7), 4) << near.move;

    // The GUI quits in the middle of an unlimited search: the move, then exit.
    gui.send("info max_node -1");
    gui.send("info show_detail 1");
    sendPosition(gui, "board", QUIET, 0);
    for (std::string line; (line = engine.readLine(300)) != EngineProcess::TIMEOUT;)
        ASSERT_EQ(line.rfind("MESSAGE", 0), 0u) << line;
    gui.send("end");
    readAnswer(engine, SIZE, SIZE, 3000);
    EXPECT_EQ(engine.waitExit(5000), 0);
}

}  // namespace
