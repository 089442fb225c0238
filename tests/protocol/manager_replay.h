#pragma once
// Replaying the traffic of the programs that run the engine: a tournament
// manager on Windows, a Python tournament judge and an analysis GUI. The bytes
// sent are the ones these programs send (line ends included); the opponent's
// moves come from a fixed list, skipping points the engine already took, so a
// replay stays the same whatever the engine plays.
//
// Every answer is checked for the stdout discipline managers rely on: while a
// move is being computed every line begins with "MESSAGE" except the move, which
// ends the answer; no line carries a carriage return; each line leaves the
// engine in one piece (EngineProcess::splitReads stays 0).
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "driver_game_session.h"

namespace replay {

using drivergame::Referee;
using drivergame::Stone;

// How a manager ends its lines.
enum class LineEnd { LF, CRLF };

struct Manager {
    EngineProcess& engine;
    LineEnd end;

    std::string terminated(const std::string& line) const {
        return line + (end == LineEnd::CRLF ? "\r\n" : "\n");
    }

    // One line, one write, as a manager that flushes after every line.
    void send(const std::string& line) { engine.sendRaw(terminated(line)); }

    // Several lines in a single write, without waiting for any answer.
    void burst(const std::vector<std::string>& lines) {
        std::string bytes;
        for (const std::string& line : lines) bytes += terminated(line);
        engine.sendRaw(bytes);
    }
};

// An answer to a move request: the MESSAGE lines before the move, the move, the time it took.
struct Answer {
    std::vector<std::string> messages;
    std::string move;
    int x = -1;
    int y = -1;
    int elapsedMs = 0;
};

// Reads the answer to the move request just sent and checks its discipline.
inline Answer readAnswer(EngineProcess& engine, int sizeX, int sizeY, int timeoutMs = 10000) {
    const auto sent = std::chrono::steady_clock::now();
    Answer answer;
    for (;;) {
        std::string line = engine.readLine(timeoutMs);
        EXPECT_EQ(line.find('\r'), std::string::npos) << "carriage return in: " << line;
        if (line.rfind("MESSAGE", 0) == 0) {
            answer.messages.push_back(line);
            continue;
        }
        answer.move = line;
        break;
    }
    answer.elapsedMs = drivergame::msSince(sent);
    EXPECT_TRUE(session::parseMove(answer.move, sizeX, sizeY, &answer.x, &answer.y))
        << "not a move: " << answer.move << " (after " << answer.messages.size() << " messages)";
    EXPECT_EQ(engine.splitReads(), 0) << "a line left the engine in pieces";
    return answer;
}

// Exactly the two lines of a new game, and nothing else before them.
inline void expectNewGame(EngineProcess& engine) {
    EXPECT_EQ(engine.readLine(), session::WELCOME);
    EXPECT_EQ(engine.readLine(), "OK");
}

// The opponent's next point: the first free point of its list.
inline Stone nextFree(const Referee& board, const std::vector<Stone>& list) {
    for (const Stone& s : list)
        if (board.empty(s.x, s.y)) return s;
    ADD_FAILURE() << "the opponent's list is used up";
    return {0, 0};
}

// Points far from the centre and never four of them in a line within five: the
// opponent does not fight, so the engine must make five against it quickly.
inline std::vector<Stone> passiveOpponent(int size) {
    const int far = size - 1;
    return {{0, 0},       {far, far},         {0, far},     {far, 0},
            {0, 3},       {far, 3},           {3, 0},       {3, far},
            {0, far - 3}, {far, far - 3},     {far - 3, 0}, {far - 3, far},
            {1, 6},       {far - 1, 6},       {6, 1},       {6, far - 1},
            {1, far - 6}, {far - 1, far - 6}, {far - 6, 1}, {far - 6, far - 1}};
}

// The tournament managers' rule flag: 0 five or more, 1 exactly five, 4 Renju, 8 Caro.
inline int refereeRule(int managerRule) {
    return managerRule == 0 ? 0 : (managerRule == 1 ? 1 : (managerRule == 8 ? 3 : 2));
}

// Engine moves after which a game against the passive opponent must be won.
constexpr int WIN_WITHIN = 20;

}  // namespace replay
