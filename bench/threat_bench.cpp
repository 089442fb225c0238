// Speed of the continuous-fours search: the time to prove each of a fixed set
// of forced wins from an empty table, and the cost of the calls that find
// nothing, which are most of the calls the alpha-beta search makes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "../tests/support/position_fixture.h"
#include "../tests/support/search_limits.h"
#include "../tests/support/threat_thread.h"
#include "board/geometry.h"
#include "board/position.h"
#include "core/clock.h"
#include "core/limits.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "core/signals.h"
#include "threats/threat_search.h"
#include "threats/threat_table.h"

using fixture::threatThread;

namespace {

// The position of the thread these tests search with.
Position& pos = threatThread.pos;

constexpr int ROOT = 20;

struct Puzzle {
    const char* name;
    int rule;
    int side;
    int plies;    // ply of the win the search proves
    bool swapped; // the drawing's colours are exchanged before use
    const char* drawing;
};

// Hand-built forced wins; the chains are those of the threat search tests.
const Puzzle PUZZLES[] = {
    {"double_four", 0, 1, 2, false, R"(
...............
...............
...............
......O........
......X........
......X........
......X........
..OXXX.........
)"},
    {"chain_3_renju", 2, 1, 6, false, R"(
...............
...............
...............
...............
...............
........O......
.......X.......
......X........
...O.X.....X...
OOOO.......X...
.....X.........
......X...X....
.........X.....
...............
.......O.......
)"},
    {"chain_5", 0, 1, 10, false, R"(
...............
...........O...
...............
.......OXXX....
........X...X..
..O..........X.
....XX.O......O
..X............
..X............
...............
...X...........
....X..........
)"},
    {"chain_6_standard", 1, 1, 12, false, R"(
...............
.....XX........
........X......
.......O.X.....
.......X.......
.......X...O...
.......XO.X....
..........X....
......X........
.....X...XO....
........X......
..O.XX.........
......O........
)"},
    {"chain_7_white_renju", 2, 2, 14, true, R"(
...............
............O..
...........X...
...............
....O....X.X...
......XX.O..X..
....X........X.
....X.........O
.....O....XX...
...............
...X...X.......
..X...X........
O.XX...........
....O..........
)"},
    {"chain_10", 0, 1, 20, false, R"(
...............
............O..
........OX.X...
.....OXXX...X..
........X...XO.
.......X.......
......O.O..X...
..XX....X.X....
...X....X......
..X......O.....
...............
OX.....X.......
.X....X........
...XX.O........
.O.............
)"},
};


void prepareSearch() {
    fixture::liftSearchLimits(threatThread.control, ROOT);
    setThreatTableCount(1 << 12);
    resizeThreatTable();
    clearThreatTable();
}

// Time to prove one win from an empty table; nodes per second over all iterations.
void BM_ProveWin(benchmark::State& state) {
    const Puzzle& p = PUZZLES[state.range(0)];
    fixture::setup(pos, p.rule,
                   p.swapped ? fixture::swapColours(p.drawing) : std::string(p.drawing));
    prepareSearch();
    int64_t nodes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        clearThreatTable();
        threatThread.control.nodeCounter = 0;
        state.ResumeTiming();
        const int result = threatSearch(threatThread, ROOT, p.side, 0, 0);
        benchmark::DoNotOptimize(result);
        nodes += threatThread.control.nodeCounter;
        if (result != WIN_SCORE + 400 - p.plies) {
            state.SkipWithError("the win was not proven");
            break;
        }
    }
    state.SetLabel(p.name);
    state.counters["nodes"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kAvgIterations);
    state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ProveWin)->DenseRange(0, static_cast<int>(std::size(PUZZLES)) - 1)->Unit(benchmark::kMicrosecond);

// Crowded middle games where the side to move has many fours and none wins:
// the search has to refute every chain, thousands of nodes deep.
struct Refutation {
    const char* name;
    int rule;
    int side;
    const char* drawing;
};

const Refutation REFUTATIONS[] = {
    {"crowded_free_style", 0, 1, R"(
......X........
.......X..X....
....X..O.O.....
...OX..X.O.O...
..X.XOXO.X.X...
....OOXOXOO....
..OXOOXOXOO.O..
..O.XXOXO.X.X..
..X.OXXX.OXX...
O..XO.OOX...X..
...X..O.O.O.X..
......X.X..O...
..O..OO........
.......X.......
...............
)"},
    {"crowded_renju", 2, 1, R"(
...............
.....OX........
....XX..XOO....
.X.......OX....
...OOXXXO.X.O..
..O.OXXX..OX...
..OX..XOOOX.O..
O..XXXOOXXX...O
...O.OOXOXOX...
....XX.OXX.X...
...XOX.OO......
.....OO.X......
..OO.X..OO.....
...............
...............
)"},
};

void BM_RefuteAll(benchmark::State& state) {
    const Refutation& r = REFUTATIONS[state.range(0)];
    fixture::setup(pos, r.rule, r.drawing);
    prepareSearch();
    setThreatTableCount(1 << 16);  // room for every node of the tree
    resizeThreatTable();
    int64_t nodes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        clearThreatTable();
        threatThread.control.nodeCounter = 0;
        state.ResumeTiming();
        const int result = threatSearch(threatThread, ROOT, r.side, 0, 0);
        benchmark::DoNotOptimize(result);
        nodes += threatThread.control.nodeCounter;
        if (result != 0) {
            state.SkipWithError("a win appeared");
            break;
        }
    }
    state.SetLabel(r.name);
    state.counters["nodes"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kAvgIterations);
    state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RefuteAll)->DenseRange(0, static_cast<int>(std::size(REFUTATIONS)) - 1)->Unit(benchmark::kMillisecond);

// Mid-game positions: stones alternate on random points near the centre,
// never leaving a five point or an open-four point for either side, so that
// every call has to look at fours. The side to move is the one whose turn it is.
struct MidGame {
    std::string drawing;
    int side;
};

std::vector<MidGame> midGames(int count, int stones) {
    std::vector<MidGame> games;
    std::mt19937 rng(12345);
    std::normal_distribution<double> spread(7.0, 2.5);
    for (int g = 0; g < count; ++g) {
        std::string cells(15 * 16, '.');
        for (int y = 0; y < 15; ++y) cells[y * 16 + 15] = '\n';
        fixture::newBoard(pos, 0);
        int placed = 0;
        for (int tries = 0; placed < stones && tries < 10000; ++tries) {
            const int x = static_cast<int>(spread(rng));
            const int y = static_cast<int>(spread(rng));
            if (!onBoard(x, y) || pos.board[x][y] != EMPTY) continue;
            const int colour = placed % 2 == 0 ? BLACK : WHITE;
            makeMove(pos, x, y, colour);
            if (pos.setRows[SET_FIVE][0] | pos.setRows[SET_FIVE][1] | pos.setRows[SET_OPEN_FOUR][0] |
                pos.setRows[SET_OPEN_FOUR][1]) {
                unmakeMove(pos, x, y, colour);  // keep positions where nobody wins at once
                continue;
            }
            cells[y * 16 + x] = colour == BLACK ? 'X' : 'O';
            ++placed;
        }
        games.push_back({cells, placed % 2 == 0 ? BLACK : WHITE});
    }
    return games;
}

// One call per position from an empty table, as at a node the table has not seen.
void BM_MidGameCalls(benchmark::State& state) {
    const std::vector<MidGame> games = midGames(32, static_cast<int>(state.range(0)));
    int64_t nodes = 0;
    int64_t calls = 0;
    int wins = 0;
    fixture::newBoard(pos, 0);
    prepareSearch();
    for (auto _ : state) {
        state.PauseTiming();
        const MidGame& g = games[calls % games.size()];
        const std::vector<fixture::Stone> made = fixture::place(pos, g.drawing);
        clearThreatTable();
        threatThread.control.nodeCounter = 0;
        state.ResumeTiming();
        const int result = threatSearch(threatThread, ROOT, g.side, 0, 0);
        benchmark::DoNotOptimize(result);
        state.PauseTiming();
        fixture::unwind(pos, made);
        state.ResumeTiming();
        nodes += threatThread.control.nodeCounter;
        wins += result > 0;
        ++calls;
    }
    state.counters["nodes"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kAvgIterations);
    state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
    state.counters["win share"] = calls ? static_cast<double>(wins) / static_cast<double>(calls) : 0.0;
}
BENCHMARK(BM_MidGameCalls)->Arg(30)->Arg(60)->Unit(benchmark::kMicrosecond);

}  // namespace
