// A Python tournament judge: START and every INFO line in one write, without
// waiting for "OK"; the first move request of a game is always a BOARD (empty
// when the engine begins); LF line ends; TURN after that.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "manager_replay.h"

namespace {

using namespace replay;

constexpr int SIZE = 15;

// The judge's opening burst. Keys the engine does not know are part of it.
std::vector<std::string> openingBurst(int rule) {
    return {"START 15",
            "INFO timeout_turn 300",
            "INFO timeout_match 90000",
            "INFO time_left 90000",
            "INFO max_memory 367001600",
            "INFO game_type 1",
            "INFO rule " + std::to_string(rule),
            "INFO evaluate 0,0",
            "INFO folder ./workdir/engine0"};
}

// Plays a game from the given first stones (the opponent's, if any): BOARD first,
// TURN for every later move. Returns the engine's move count.
int playFromBoard(Manager& judge, int rule, const std::vector<Stone>& first) {
    Referee board;
    board.size = SIZE;
    std::vector<std::string> request = {"BOARD"};
    for (const Stone& s : first) {
        board.place(s.x, s.y, 2);
        request.push_back(std::to_string(s.x) + "," + std::to_string(s.y) + ",2");
    }
    request.push_back("DONE");
    judge.burst(request);
    const int engineColour = first.empty() ? 1 : 2;
    const std::vector<Stone> opponent = passiveOpponent(SIZE);
    for (int moves = 1;; ++moves) {
        const Answer a = readAnswer(judge.engine, SIZE, SIZE);
        if (a.x < 0) return moves;
        EXPECT_TRUE(board.empty(a.x, a.y)) << "occupied point " << a.move;
        board.place(a.x, a.y, engineColour);
        if (board.wins(a.x, a.y, refereeRule(rule))) return moves;
        if (moves == WIN_WITHIN) {
            ADD_FAILURE() << "no five after " << WIN_WITHIN << " moves against a passive opponent";
            return moves;
        }
        const Stone s = nextFree(board, opponent);
        board.place(s.x, s.y, engineColour ^ 3);
        judge.send("TURN " + std::to_string(s.x) + "," + std::to_string(s.y));
    }
}

TEST(ManagerJudge, BurstThenAnEmptyBoardAsFirstMove) {
    EngineProcess engine;
    Manager judge{engine, LineEnd::LF};
    judge.burst(openingBurst(0));
    expectNewGame(engine);  // and nothing for the INFO lines
    judge.burst({"BOARD", "DONE"});
    const Answer first = readAnswer(engine, SIZE, SIZE);
    EXPECT_EQ(first.move, "7,7");  // the centre of an empty board, at once
    // The rest of the game, from the judge's side.
    judge.send("RESTART");
    expectNewGame(engine);
    EXPECT_GE(playFromBoard(judge, 0, {}), 5);
    judge.send("END");
    EXPECT_EQ(engine.waitExit(5000), 0);
}

// The engine as the second player under each rule the judge runs; the judge
// starts a new game with START, not RESTART, on the same process.
TEST(ManagerJudge, SecondPlayerGamesUnderEachRule) {
    EngineProcess engine;
    Manager judge{engine, LineEnd::LF};
    for (int rule : {1, 4}) {
        judge.burst(openingBurst(rule));
        expectNewGame(engine);
        EXPECT_GE(playFromBoard(judge, rule, {{7, 7}}), 5) << "rule " << rule;
    }
    engine.closeInput();  // a judge that simply goes away
    EXPECT_EQ(engine.waitExit(5000), 0);
}

}  // namespace
