// Whole turns of the turn driver: a 5 second turn from three mid-game positions
// of each rule (prefixes of engine games), reporting the depth reached, the
// selective depth and the speed. Run on a quiet machine; one turn per position.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <string>
#include <vector>

#include "board/rule.h"
#include "core/game_state.h"
#include "core/output.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "core/signals.h"
#include "driver/turn_driver.h"
#include "driver/turn_state.h"
#include "search/search_thread.h"

namespace {

// Engine games, moves "x,y" in order, and the positions each rule is timed on:
// prefixes of one game that a five second search does not decide.
const char* const kGames[2] = {
    "7,7 7,8 8,5 8,6 9,8 6,5 10,6 5,7 5,6 10,7 6,4 9,9 4,8 4,4 6,9 3,6 8,10 7,3 3,5 9,4 10,11 8,11 "
    "11,9 11,10 2,7 4,9",
    "7,7 8,7 5,6 6,6 8,5 5,8 6,4 7,9 6,9 7,4 4,8 9,5 8,10 4,10 9,8 6,11 10,6 3,7 11,4 11,6 5,11 "
    "4,5 9,3 "
    "10,3 7,12 9,10",
};
struct RulePositions {
    int game;
    int prefixes[3];
};
const RulePositions kPositions[3] = {{1, {16, 20, 24}}, {0, {12, 16, 24}}, {1, {16, 20, 24}}};

void discardOutput(const char*, int) {}

// CPU time of this thread in ms: on a shared machine the turn's wall time
// overstates the work done, so the speed is also given per CPU second.
double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

void setUpGame(int rule, int moves) {
    settings.rule = settingForRule(rule);  // the INFO value a manager sends
    game.sizeX = game.sizeY = game.boardSize = 15;
    game.appliedRule = -1;
    game.recordLength = 0;
    turnState.lastTurnValue = 0;
    mainThread.control.rootDepth = 0;
    int x = 0;
    int y = 0;
    int used = 0;
    const char* p = kGames[kPositions[rule].game];
    while (game.recordLength < moves && std::sscanf(p, "%d,%d%n", &x, &y, &used) == 2) {
        game.gameRecord[game.recordLength] = {x, y, (game.recordLength % 2) + 1};
        ++game.recordLength;
        p += used;
    }
}

void BM_FiveSecondTurn(benchmark::State& state) {
    const int rule = static_cast<int>(state.range(0));
    const int moves = kPositions[rule].prefixes[state.range(1)];
    settings.timeoutTurn = 5000;
    settings.timeLeft = 1000000000;
    settings.maxNode = 2000000000;
    settings.maxDepth = 400;
    settings.showDetail = 0;
    brainSignals.stopRequest = 0;
    setOutputSink(&discardOutput);
    double depth = 0;
    double selective = 0;
    double nodes = 0;
    double ms = 0;
    double cpuMs = 0;
    for (auto _ : state) {
        setUpGame(rule, moves);
        const double cpuStart = threadCpuMs();
        turnDriver();
        cpuMs = threadCpuMs() - cpuStart;
        depth = mainThread.control.rootDepth;
        selective = mainThread.control.rootDepth - mainThread.control.lowestRemainingDepth;
        nodes = static_cast<double>(mainThread.control.nodeCounter);
        ms = mainThread.control.turnStartTime;
    }
    setOutputSink(nullptr);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["depth"] = depth;
    state.counters["selective"] = selective;
    state.counters["nodes_per_s"] = ms > 0 ? nodes * 1000.0 / ms : 0;
    state.counters["nodes_per_cpu_s"] = cpuMs > 0 ? nodes * 1000.0 / cpuMs : 0;
    state.counters["value"] = turnState.lastTurnValue;
    state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

BENCHMARK(BM_FiveSecondTurn)
    ->ArgsProduct({{0, 1, 2}, {0, 1, 2}})
    ->ArgNames({"rule", "position"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
