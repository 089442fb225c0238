// Board model speed: the table build a new game pays for, and a make/unmake
// pair on mid-game positions, the innermost step of every search.
#include <benchmark/benchmark.h>

#include <vector>

#include "board/geometry.h"
#include "board/position.h"
#include "board/shape_queries.h"

namespace {

// The position these tests build and change.
Position pos;

// A mid-game 15 by 15 position, 36 stones: one line per y, 'X' black, 'O' white.
const char* const MIDGAME[15] = {
    "...............",
    "...............",
    "...............",
    "....O..........",
    ".....XO..O.....",
    "....OXXXO......",
    "...X.OXOX......",
    "....XOOXO.X....",
    "...OX.XOXO.....",
    "....O.XO.X.....",
    ".....X.OX......",
    "......O...O....",
    "...............",
    "...............",
    "...............",
};

struct Point {
    int x, y;
};

// Builds the board for the rule with the mid-game stones; returns the empty
// points within two steps of a stone, the moves a search would try.
std::vector<Point> setUpMidgame(int rule) {
    setBoardGeometry(15, 15, rule);
    initTables();
    resetBoard(pos);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x) {
            char ch = MIDGAME[y][x];
            if (ch == 'X') makeMove(pos, x, y, BLACK);
            if (ch == 'O') makeMove(pos, x, y, WHITE);
        }
    std::vector<Point> moves;
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y) {
            if (pos.board[x][y] != EMPTY) continue;
            bool near = false;
            for (int dx = -2; dx <= 2; ++dx)
                for (int dy = -2; dy <= 2; ++dy)
                    if (onBoard(x + dx, y + dy) && pos.board[x + dx][y + dy] != EMPTY) near = true;
            if (near) moves.push_back({x, y});
        }
    // Visit every candidate once so that all records in reach hold table values.
    for (const Point& p : moves) {
        makeMove(pos, p.x, p.y, BLACK);
        unmakeMove(pos, p.x, p.y, BLACK);
    }
    return moves;
}

void BM_InitTables(benchmark::State& state) {
    setBoardGeometry(15, 15, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        initTables();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_InitTables)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_MakeUnmakePair(benchmark::State& state) {
    const std::vector<Point> moves = setUpMidgame(static_cast<int>(state.range(0)));
    size_t next = 0;
    int colour = BLACK;
    for (auto _ : state) {
        const Point& p = moves[next];
        makeMove(pos, p.x, p.y, colour);
        unmakeMove(pos, p.x, p.y, colour);
        benchmark::DoNotOptimize(pos.hashKey);
        if (++next == moves.size()) next = 0, colour ^= 3;
    }
    state.counters["candidates"] = static_cast<double>(moves.size());
}
BENCHMARK(BM_MakeUnmakePair)->Arg(0)->Arg(1)->Arg(2);

void BM_TrialMakeUnmakePair(benchmark::State& state) {
    const std::vector<Point> moves = setUpMidgame(static_cast<int>(state.range(0)));
    size_t next = 0;
    for (auto _ : state) {
        const Point& p = moves[next];
        makeMoveKeepingNoStrongSet(pos, p.x, p.y, BLACK);
        unmakeMoveKeepingNoStrongSet(pos, p.x, p.y, BLACK);
        benchmark::DoNotOptimize(pos.hashKey);
        if (++next == moves.size()) next = 0;
    }
}
BENCHMARK(BM_TrialMakeUnmakePair)->Arg(2);

void BM_ListQueries(benchmark::State& state) {
    setUpMidgame(0);
    MoveEntry entries[MAX_POINTS];
    for (auto _ : state) {
        int n = 0;
        for (int c = 1; c <= 2; ++c)
            n += listFives(pos, entries, c) + listOpenFours(pos, entries, c) +
                 listFours(pos, entries, c) + listOpenThrees(pos, entries, c) +
                 listFourOrThreePoints(pos, entries, c) + neighbourhoodCount(pos, 7, 7, c);
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_ListQueries);

}  // namespace
