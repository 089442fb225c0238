#pragma once
// Shared set-up for alpha-beta tests: small tables, fresh per-game state, limits
// that never stop a search, and captured output.
#include <cstring>
#include <string>
#include <vector>

#include "board/geometry.h"
#include "board/position.h"
#include "core/clock.h"
#include "core/game_state.h"
#include "core/output.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "core/signals.h"
#include "search/alpha_beta.h"
#include "search/root_report.h"
#include "search/search_table.h"
#include "search/search_thread.h"
#include "support/position_fixture.h"
#include "threats/evaluate.h"

namespace searchtest {

constexpr int FULL_WINDOW = 100000000;

inline void clearBlockTable() {
    for (auto& column : game.blockTable)
        for (auto& cell : column) cell.store(0);
}

// Everything a search reads besides the position.
inline void prepare(int depth) {
    setHashEntryCount(1 << 16);
    resizeHashTables();
    clearHashTables();
    prefaultHashTables(nullptr);
    resetSearchState(mainThread);
    resetEvaluationState(mainThread);
    resetTurnStatistics(mainThread.control);
    settings.maxNode = 2000000000;
    settings.cautionFactor = 1;
    settings.showDetail = 0;
    brainSignals.stopRequest = 0;
    mainThread.control.turnBudget = 1 << 30;
    mainThread.control.turnStartTime = clockMs();
    mainThread.control.rootDepth = depth;
    mainThread.control.searchStopFlag = 0;
    mainThread.root = RootResult{};
}

// A root search with the turn driver's window.
inline int searchRoot(int depth, int side) {
    prepare(depth);
    return alphaBeta(mainThread, depth, -FULL_WINDOW, FULL_WINDOW, side, 0);
}

// Lines written while installed.
struct Capture {
    static std::string& text() {
        static std::string t;
        return t;
    }
    static void sink(const char* s, int len) { text().append(s, static_cast<size_t>(len)); }
    Capture() {
        text().clear();
        setOutputSink(&Capture::sink);
    }
    ~Capture() { setOutputSink(nullptr); }
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        size_t start = 0;
        const std::string& t = text();
        while (start < t.size()) {
            size_t end = t.find('\n', start);
            if (end == std::string::npos) end = t.size();
            out.push_back(t.substr(start, end - start));
            start = end + 1;
        }
        return out;
    }
};

// The parts of the position a search must leave exactly as it found them.
struct Snapshot {
    Position p;
    Snapshot() { std::memcpy(&p, &mainThread.pos, sizeof(Position)); }
    bool sameBoard() const {
        return std::memcmp(p.board, mainThread.pos.board, sizeof(p.board)) == 0;
    }
    bool sameLines() const {
        return std::memcmp(p.lineBits0, mainThread.pos.lineBits0, sizeof(p.lineBits0)) == 0 &&
               std::memcmp(p.lineBits1, mainThread.pos.lineBits1, sizeof(p.lineBits1)) == 0 &&
               std::memcmp(p.lineBits2, mainThread.pos.lineBits2, sizeof(p.lineBits2)) == 0 &&
               std::memcmp(p.lineBits3, mainThread.pos.lineBits3, sizeof(p.lineBits3)) == 0;
    }
    bool sameSets() const {
        return std::memcmp(p.setRows, mainThread.pos.setRows, sizeof(p.setRows)) == 0 &&
               std::memcmp(p.setCols, mainThread.pos.setCols, sizeof(p.setCols)) == 0 &&
               std::memcmp(p.setDirs, mainThread.pos.setDirs, sizeof(p.setDirs)) == 0;
    }
    bool samePosition() const {
        return sameBoard() && sameLines() && sameSets() && p.hashKey == mainThread.pos.hashKey &&
               p.moveCount == mainThread.pos.moveCount;
    }
};

}  // namespace searchtest
