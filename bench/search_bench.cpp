// Fixed-depth alpha-beta searches over mid-game positions of each rule. The node
// total is deterministic for a given build: a change in it means the search changed.
#include <benchmark/benchmark.h>

#include <string>

#include "board/geometry.h"
#include "board/position.h"
#include "core/clock.h"
#include "core/game_state.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "core/signals.h"
#include "search/alpha_beta.h"
#include "search/search_table.h"
#include "search/search_thread.h"
#include "threats/evaluate.h"

namespace {

// The position of the thread the drivers search with.
Position& pos = mainThread.pos;

struct BenchPosition {
    const char* drawing;  // one line per y, one character per x
    int side;
};

const BenchPosition kPositions[] = {
    {R"(
        ...............
        ...............
        ...............
        ...............
        ...............
        ......O........
        .....X.X.......
        ....X.XOX......
        .....O..O......
        ......O........)", BLACK},
    {R"(
        ...............
        ...............
        ...............
        ...............
        .......X.......
        ......OXO......
        .....XOOX......
        ......XO.......
        .....O.X.......)", WHITE},
    {R"(
        ...............
        ...............
        ...............
        ...............
        ......X.O......
        .....OXX.......
        ....XO.OX......
        ......OX.......
        ....O...X......)", WHITE},
};

constexpr int kDepth = 6;

// The same tables and keys in every run: the key generator starts where a fresh
// process starts it.
void buildBoard(int rule) {
    tables.randState = 1;
    setBoardGeometry(15, 15, rule);
    initTables();
}

void placeDrawing(const char* drawing) {
    resetBoard(pos);
    int y = 0, x = 0;
    bool lineHasCells = false;
    for (const char* p = drawing; *p; ++p) {
        const char ch = *p;
        if (ch == '\n') {
            if (lineHasCells) ++y;
            x = 0;
            lineHasCells = false;
            continue;
        }
        if (ch == ' ') continue;
        lineHasCells = true;
        if (ch == 'X') makeMove(pos, x, y, BLACK);
        if (ch == 'O') makeMove(pos, x, y, WHITE);
        ++x;
    }
}

int64_t searchPosition(const BenchPosition& p) {
    placeDrawing(p.drawing);
    setHashEntryCount(1 << 16);
    resizeHashTables();
    clearHashTables();
    resetSearchState(mainThread);
    resetEvaluationState(mainThread);
    resetTurnStatistics(mainThread.control);
    settings.maxNode = 2000000000;
    settings.cautionFactor = 1;
    settings.showDetail = 0;
    brainSignals.stopRequest = 0;
    mainThread.control.turnBudget = 1 << 30;
    mainThread.control.turnStartTime = clockMs();
    mainThread.control.rootDepth = kDepth;
    benchmark::DoNotOptimize(alphaBeta(mainThread, kDepth, -100000000, 100000000, p.side, 0));
    return mainThread.control.nodeCounter;
}

void BM_FixedDepthSearch(benchmark::State& state) {
    const int rule = static_cast<int>(state.range(0));
    buildBoard(rule);
    int64_t nodes = 0;
    for (auto _ : state) {
        nodes = 0;
        for (const BenchPosition& p : kPositions) nodes += searchPosition(p);
    }
    state.counters["nodes"] = static_cast<double>(nodes);
    state.SetLabel("total nodes " + std::to_string(nodes));
    state.counters["nodes_per_second"] =
        benchmark::Counter(static_cast<double>(nodes) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_FixedDepthSearch)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
