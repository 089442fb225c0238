// The continuous-threats search over a fixed set of won positions (one per
// rule and colour): whether each is solved within the node budget the turn
// driver would give a one-second turn, with the nodes and time it takes, by
// the same deepening one attacker move at a time that the root uses.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "../tests/support/position_fixture.h"
#include "../tests/support/search_limits.h"
#include "../tests/support/threat_thread.h"
#include "../tests/support/vct_positions.h"
#include "core/clock.h"
#include "core/limits.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "core/signals.h"
#include "threats/threat_table.h"
#include "threats/vct_search.h"

using fixture::threatThread;

namespace {

// The position of the thread these benchmarks search with.
Position& pos = threatThread.pos;

constexpr int MOST_DEPTH = 7;
constexpr int64_t NODE_BUDGET = 100000;

void prepare() {
    fixture::liftSearchLimits(threatThread.control, 0);
    setThreatTableCount(1 << 16);
    resizeThreatTable();
}

// Deepens from one attacker move; returns the win's score or 0, and the nodes spent.
int solve(int side, int64_t& nodes) {
    nodes = 0;
    for (int depth = 1; depth <= MOST_DEPTH && nodes < NODE_BUDGET; ++depth) {
        const int v = vctSearch(threatThread, side, VctBounds{depth, NODE_BUDGET - nodes, 0});
        nodes += vctNodesSpent(threatThread);
        if (v > 0) return v;
        if (vctRanOut(threatThread)) break;
    }
    return 0;
}

void BM_SolveVct(benchmark::State& state) {
    const vct_positions::Won& w = vct_positions::WON[state.range(0)];
    fixture::setup(pos, w.rule, w.drawing, w.size, w.size);
    prepare();
    int64_t nodes = 0;
    int solved = 0;
    for (auto _ : state) {
        state.PauseTiming();
        clearThreatTable();
        state.ResumeTiming();
        solved = solve(w.side, nodes) > 0 ? 1 : 0;
    }
    state.SetLabel(w.name);
    state.counters["solved"] = solved;
    state.counters["nodes"] = static_cast<double>(nodes);
    state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SolveVct)->DenseRange(0, vct_positions::WON_COUNT - 1)->Unit(benchmark::kMillisecond);

}  // namespace
