#pragma once
// Test helpers for the drivers: a game set up from a drawing the way the front
// end records it, fast settings, captured output and a watchdog.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <sstream>
#include <string>
#include <vector>

#include "board/rule.h"
#include "core/game_state.h"
#include "core/output.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "core/signals.h"
#include "driver/turn_state.h"
#include "search/search_thread.h"
#include "support/position_fixture.h"

namespace drivertest {

inline std::string& capturedText() {
    static std::string text;
    return text;
}

inline void captureSink(const char* text, int len) {
    capturedText().append(text, static_cast<size_t>(len));
}

inline std::vector<std::string> capturedLines() {
    std::vector<std::string> lines;
    std::istringstream in(capturedText());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Settings for quick turns; the tables stay small so the tests start fast.
inline void fastSettings(int rule) {
    settings.timeoutTurn = 300;
    settings.timeLeft = 1000000000;
    settings.maxDepth = 400;
    settings.maxNode = 2000000000;
    settings.cautionFactor = 1;
    settings.hashSize = 4096;
    settings.showDetail = 0;
    settings.rule = settingForRule(rule);
    brainSignals.stopRequest = 0;
    brainSignals.driverRequest = TURN_DRIVER;
}

// A new game as START leaves it: sizes set, empty record, board not built,
// nothing blocked.
inline void startGame(int sizeX = 15, int sizeY = 15) {
    game.sizeX = sizeX;
    game.sizeY = sizeY;
    game.boardSize = sizeX > sizeY ? sizeX : sizeY;
    game.recordLength = 0;
    game.appliedRule = -1;
    for (auto& row : game.blockTable)
        for (auto& cell : row) cell = 0;
    turnState.lastTurnValue = 0;
    mainThread.control.rootDepth = 0;
}

// Records the drawn stones (see support/position_fixture.h) as a game would
// have placed them: black and white alternate, black first, each colour in
// reading order. Black has as many stones as white or one more.
inline void recordDrawing(const std::string& drawing) {
    std::vector<fixture::Stone> black;
    std::vector<fixture::Stone> white;
    for (const fixture::Stone& s : fixture::parse(drawing)) {
        if (s.code == BLACK) black.push_back(s);
        if (s.code == WHITE) white.push_back(s);
    }
    ASSERT_TRUE(black.size() == white.size() || black.size() == white.size() + 1) << "stone counts";
    for (size_t i = 0; i < black.size(); ++i) {
        game.gameRecord[game.recordLength++] = {black[i].x, black[i].y, BLACK};
        if (i < white.size())
            game.gameRecord[game.recordLength++] = {white[i].x, white[i].y, WHITE};
    }
}

// Runs fn on its own thread; a run that outlives the deadline is a hang, and
// a hung search cannot be cancelled, so the test program ends at once.
template <typename Fn>
void runWithin(int deadlineMs, Fn fn) {
    auto done = std::async(std::launch::async, fn);
    if (done.wait_for(std::chrono::milliseconds(deadlineMs)) != std::future_status::ready) {
        std::fprintf(stderr, "driver did not return within %d ms\n", deadlineMs);
        std::_Exit(1);
    }
    done.get();
}

inline int elapsedMs(std::chrono::steady_clock::time_point since) {
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - since)
                                .count());
}

// The fields of a line split at " | ".
inline std::vector<std::string> summaryFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t bar = line.find(" | ", start);
        fields.push_back(
            line.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 3;
    }
    return fields;
}

// The move reply "x,y" (the last line written); false if it is no move.
inline bool parseMove(const std::string& line, int& x, int& y) {
    char tail = 0;
    return std::sscanf(line.c_str(), "%d,%d%c", &x, &y, &tail) == 2;
}

// Captures output while in scope.
struct CapturedOutput {
    CapturedOutput() {
        capturedText().clear();
        setOutputSink(&captureSink);
    }
    ~CapturedOutput() { setOutputSink(nullptr); }
};

}  // namespace drivertest
