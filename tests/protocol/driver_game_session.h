#pragma once
// Helpers for the driver tests that play through the engine binary: stone
// lists, move reading with the messages before it, and a referee board.
#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "protocol_session.h"

namespace drivergame {

struct Stone {
    int x, y;
};

// START size, then the engine's welcome lines.
inline void startGame(EngineProcess& engine, int size) {
    engine.send("START " + std::to_string(size));
    session::expectWelcome(engine);
}

// The stones in order (colours alternate, black first) as a BOARD or QVBOARD list.
inline void sendStones(EngineProcess& engine, const char* command,
                       const std::vector<Stone>& stones) {
    engine.send(command);
    for (size_t i = 0; i < stones.size(); ++i)
        engine.send(std::to_string(stones[i].x) + "," + std::to_string(stones[i].y) + "," +
                    (i % 2 ? "2" : "1"));
    engine.send("DONE");
}

// The engine's next move; the MESSAGE lines before it go to messages.
inline std::string readMove(EngineProcess& engine, std::vector<std::string>* messages = nullptr,
                            int timeoutMs = EngineProcess::DEFAULT_TIMEOUT_MS) {
    for (;;) {
        std::string line = engine.readLine(timeoutMs);
        if (line.rfind("MESSAGE", 0) != 0) return line;
        if (messages) messages->push_back(line);
    }
}

// The one-line summary among the messages: its " | " fields.
inline std::vector<std::string> summaryOf(const std::vector<std::string>& messages) {
    for (const std::string& line : messages) {
        std::vector<std::string> fields;
        size_t start = 0;
        for (;;) {
            size_t bar = line.find(" | ", start);
            fields.push_back(
                line.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
            if (bar == std::string::npos) break;
            start = bar + 3;
        }
        if (fields.size() == 8) return fields;
    }
    return {};
}

inline int msSince(std::chrono::steady_clock::time_point t) {
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t)
            .count());
}

inline void pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// A referee's board: which stones stand where, and whether a stone just made
// completes a winning line under a rule (0: five or more, 1: exactly five,
// 2: exactly five for black, five or more for white, 3: Caro).
struct Referee {
    int size = 15;
    int cell[20][20] = {};
    int stones = 0;

    bool onBoard(int x, int y) const { return x >= 0 && y >= 0 && x < size && y < size; }
    bool empty(int x, int y) const { return onBoard(x, y) && cell[x][y] == 0; }

    void place(int x, int y, int colour) {
        cell[x][y] = colour;
        ++stones;
    }

    int runThrough(int x, int y, int dx, int dy) const {
        const int c = cell[x][y];
        int n = 1;
        for (int k = 1; x + k * dx >= 0 && x + k * dx < size && y + k * dy >= 0 &&
                        y + k * dy < size && cell[x + k * dx][y + k * dy] == c;
             ++k)
            ++n;
        for (int k = 1; x - k * dx >= 0 && x - k * dx < size && y - k * dy >= 0 &&
                        y - k * dy < size && cell[x - k * dx][y - k * dy] == c;
             ++k)
            ++n;
        return n;
    }

    // The point past the run of (x, y)'s colour from (x, y) by (dx, dy) holds the opponent.
    bool closedEnd(int x, int y, int dx, int dy) const {
        const int c = cell[x][y];
        int k = 1;
        while (onBoard(x + k * dx, y + k * dy) && cell[x + k * dx][y + k * dy] == c) ++k;
        return onBoard(x + k * dx, y + k * dy) && cell[x + k * dx][y + k * dy] == 3 - c;
    }

    bool wins(int x, int y, int rule) const {
        static const int steps[4][2] = {{0, 1}, {1, 0}, {1, 1}, {1, -1}};
        const bool overlineWins = rule == 0 || (rule == 2 && cell[x][y] == 2);
        for (const auto& s : steps) {
            const int n = runThrough(x, y, s[0], s[1]);
            if (n == 5 && rule == 3 && closedEnd(x, y, s[0], s[1]) && closedEnd(x, y, -s[0], -s[1])) continue;
            if (n == 5 || (n > 5 && overlineWins)) return true;
        }
        return false;
    }

    // The empty points where colour would complete five, in x-then-y order.
    std::vector<Stone> fivePoints(int colour, int rule) {
        std::vector<Stone> points;
        for (int x = 0; x < size; ++x)
            for (int y = 0; y < size; ++y) {
                if (cell[x][y] != 0) continue;
                cell[x][y] = colour;
                if (wins(x, y, rule)) points.push_back({x, y});
                cell[x][y] = 0;
            }
        return points;
    }
};

}  // namespace drivergame
