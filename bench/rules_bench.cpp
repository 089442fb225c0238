// Speed of the forbidden test, the leaf evaluation and a table probe/store pair.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "../tests/support/threat_thread.h"
#include "board/geometry.h"
#include "board/position.h"
#include "board/types.h"
#include "core/game_state.h"
#include "rules/forbidden.h"
#include "search/search_table.h"
#include "threats/evaluate.h"
#include "threats/threat_table.h"

using fixture::threatThread;

namespace {

// The position of the thread these tests search with.
Position& pos = threatThread.pos;

struct Point {
    int x, y;
};

bool makesFive(int x, int y, int c) {
    for (int d = 0; d < 4; ++d)
        if (pos.shapeInfo[d][x][y].shape[c - 1] == SHAPE_FIVE) return true;
    return false;
}

// A mid-game position: stones alternate on random points of the centre, never
// completing five, and black never plays a forbidden point under Renju.
void midGame(int rule, unsigned seed, int stones) {
    setBoardGeometry(15, 15, rule);
    initTables();
    resetBoard(pos);
    resetEvaluationState(threatThread);
    std::mt19937 rng(seed);
    int colour = BLACK, placed = 0;
    for (int tries = 0; placed < stones && tries < 10000; ++tries) {
        int x = 3 + static_cast<int>(rng() % 9), y = 3 + static_cast<int>(rng() % 9);
        if (pos.board[x][y] != EMPTY || makesFive(x, y, colour)) continue;
        if (rule == RULE_RENJU && colour == BLACK && isForbidden(pos, x, y)) continue;
        makeMove(pos, x, y, colour);
        colour ^= 3;
        ++placed;
    }
}

std::vector<Point> blackThreatPoints() {
    std::vector<Point> points;
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y) {
            if (pos.board[x][y] != EMPTY) continue;
            for (int d = 0; d < 4; ++d) {
                int c = pos.shapeInfo[d][x][y].shape[0];
                if (c >= SHAPE_THREE_SPLIT && c <= SHAPE_FOUR_OPEN) {
                    points.push_back({x, y});
                    break;
                }
            }
        }
    return points;
}

std::vector<Point> emptyPointsNearStones() {
    std::vector<Point> points;
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y) {
            if (pos.board[x][y] != EMPTY) continue;
            bool near = false;
            for (int dx = -2; dx <= 2 && !near; ++dx)
                for (int dy = -2; dy <= 2 && !near; ++dy)
                    near = onBoard(x + dx, y + dy) && pos.board[x + dx][y + dy] != EMPTY;
            if (near) points.push_back({x, y});
        }
    return points;
}

// isForbidden over black's three and four points: the calls that need a trial stone.
void BM_IsForbiddenThreatPoints(benchmark::State& state) {
    midGame(2, 1000 + static_cast<unsigned>(state.range(0)), 36);
    std::vector<Point> points = blackThreatPoints();
    size_t i = 0;
    int forbidden = 0;
    for (auto _ : state) {
        const Point& p = points[i];
        forbidden += isForbidden(pos, p.x, p.y);
        i = i + 1 == points.size() ? 0 : i + 1;
    }
    benchmark::DoNotOptimize(forbidden);
    state.counters["points"] = static_cast<double>(points.size());
}
BENCHMARK(BM_IsForbiddenThreatPoints)->Arg(1)->Arg(2)->Arg(3);

// isForbidden as the move generators call it: every empty point near the stones.
void BM_IsForbiddenCandidates(benchmark::State& state) {
    midGame(2, 1000 + static_cast<unsigned>(state.range(0)), 36);
    std::vector<Point> points = emptyPointsNearStones();
    size_t i = 0;
    int forbidden = 0;
    for (auto _ : state) {
        const Point& p = points[i];
        forbidden += isForbidden(pos, p.x, p.y);
        i = i + 1 == points.size() ? 0 : i + 1;
    }
    benchmark::DoNotOptimize(forbidden);
    state.counters["points"] = static_cast<double>(points.size());
}
BENCHMARK(BM_IsForbiddenCandidates)->Arg(1)->Arg(2)->Arg(3);

// evaluateLeaf for both sides in turn; range(0) is the rule.
void BM_EvaluateLeaf(benchmark::State& state) {
    const int rule = static_cast<int>(state.range(0));
    midGame(rule, 77, 30);
    int side = 1;
    int64_t sum = 0;
    for (auto _ : state) {
        sum += evaluateLeaf(threatThread, 0, side);
        side ^= 3;
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_EvaluateLeaf)->Arg(0)->Arg(1)->Arg(2);

// One store and one probe of another key, on tables of range(0) entries.
void BM_SearchTableStoreProbe(benchmark::State& state) {
    setHashEntryCount(static_cast<int>(state.range(0)));
    resizeHashTables();
    clearHashTables();
    game.recordLength = 20;
    std::mt19937_64 rng(5);
    std::vector<uint64_t> keys(1 << 16);
    for (uint64_t& k : keys) k = rng();
    size_t i = 0;
    int x[3], y[3];
    int64_t sum = 0;
    for (auto _ : state) {
        pos.hashKey = keys[i];
        storeSearchTable(pos, 6, static_cast<int>(i & 1023), 3, 1, 7, 7, 8, 8, -1, -1);
        uint64_t other = keys[(i * 7 + 3) & (keys.size() - 1)];
        sum += probeSearchTable(6, -100, 100, 1, static_cast<uint32_t>(other), static_cast<uint32_t>(other >> 32), x,
                                y, 3);
        i = (i + 1) & (keys.size() - 1);
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_SearchTableStoreProbe)->Arg(1 << 16)->Arg(524288);

void BM_ThreatTableStoreProbe(benchmark::State& state) {
    setHashEntryCount(static_cast<int>(state.range(0)));
    resizeHashTables();
    clearHashTables();
    game.recordLength = 20;
    std::mt19937_64 rng(6);
    std::vector<uint64_t> keys(1 << 16);
    for (uint64_t& k : keys) k = rng();
    size_t i = 0;
    int64_t sum = 0;
    for (auto _ : state) {
        pos.hashKey = keys[i];
        storeThreatTable(pos, static_cast<int>(i & 1023), 390, 0, 0);
        uint64_t other = keys[(i * 7 + 3) & (keys.size() - 1)];
        sum += probeThreatTable(0, 390, 0, static_cast<uint32_t>(other), static_cast<uint32_t>(other >> 32));
        i = (i + 1) & (keys.size() - 1);
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_ThreatTableStoreProbe)->Arg(1 << 16)->Arg(524288);

}  // namespace
