// The first searched moves of a fresh engine process, played through the binary
// as a manager plays them: BOARD with a game's opening, then one move after
// another of a scripted game (TAKEBACK of the engine's reply, PLAY of the
// script's move, TURN with the opponent's). Once with the default tables and
// once with INFO hash_size 16384, so that the node rates of the two can be
// compared move by move: tables that are faulted in during the first searches
// show as a slow start with the default size only. A third run searches with
// INFO thread_num 2: its node rates count all threads, so against the first run
// they show how the search scales on two cores. Prints a line per searched
// move: depth, nodes, milliseconds and nodes per millisecond.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "support/engine_process.h"

namespace {

// A free-style 15x15 game between engines; the engine moves from stone 11 on.
const char* const kScript =
    "7,7 7,8 8,5 8,6 9,8 6,5 10,6 5,7 5,6 10,7 6,4 9,9 4,8 4,4 6,9 3,6 8,10 7,3 3,5 9,4 10,11 8,11 11,9 11,10";
constexpr int kOpening = 10;
constexpr int kSearchedMoves = 6;

struct Move {
    int x, y;
};

std::vector<Move> scriptMoves() {
    std::vector<Move> moves;
    std::istringstream in(kScript);
    for (std::string word; in >> word;) {
        Move m{};
        if (std::sscanf(word.c_str(), "%d,%d", &m.x, &m.y) == 2) moves.push_back(m);
    }
    return moves;
}

std::string point(const Move& m) { return std::to_string(m.x) + "," + std::to_string(m.y); }

struct SearchReport {
    int depth = 0;
    long long ms = 0;
    long long nodes = 0;
};

// Reads up to the move; the summary line "MESSAGE a | depth | sel | e ms | b | speed | ..."
// gives the depth, the time and the node rate (nodes / (ms + 1)).
SearchReport readSearch(EngineProcess& engine, Move& reply) {
    SearchReport r;
    for (;;) {
        const std::string line = engine.readLine(5000);
        if (line == EngineProcess::TIMEOUT || line == EngineProcess::CLOSED) return r;
        double a = 0, b = 0;
        int depth = 0, selective = 0;
        long long ms = 0, speed = 0;
        if (std::sscanf(line.c_str(), "MESSAGE %lf | %d | %d | %lldms | %lf | %lld", &a, &depth, &selective, &ms, &b,
                        &speed) == 6) {
            r.depth = depth;
            r.ms = ms;
            r.nodes = speed * (ms + 1);
            continue;
        }
        if (line.rfind("MESSAGE", 0) == 0) continue;
        if (std::sscanf(line.c_str(), "%d,%d", &reply.x, &reply.y) == 2) return r;
    }
}

void playScript(benchmark::State& state, const char* setting, const char* label) {
    const std::vector<Move> moves = scriptMoves();
    double firstRate = 0, laterRate = 0, firstDepth = 0;
    for (auto _ : state) {
        EngineProcess engine;
        if (setting) engine.send(setting);
        engine.send("START 15");
        engine.send("INFO timeout_turn 1000");
        engine.send("BOARD");
        for (int i = 0; i < kOpening; ++i) engine.send(point(moves[i]) + "," + (i % 2 == kOpening % 2 ? "1" : "2"));
        engine.send("DONE");
        double laterNodes = 0, laterMs = 0;
        for (int k = 0; k < kSearchedMoves; ++k) {
            Move reply{};
            const SearchReport r = readSearch(engine, reply);
            const double rate = static_cast<double>(r.nodes) / static_cast<double>(r.ms + 1);
            std::printf("  %-16s move %d: depth %2d  nodes %9lld  %5lld ms  %7.1f nodes/ms\n",
                        label, k + 1, r.depth, r.nodes, r.ms, rate);
            if (k == 0) {
                firstRate = rate;
                firstDepth = r.depth;
            } else {
                laterNodes += static_cast<double>(r.nodes);
                laterMs += static_cast<double>(r.ms + 1);
            }
            // Back to the script: the engine's stone as the script has it, then the opponent's.
            const int own = kOpening + 2 * k;
            engine.send("TAKEBACK " + point(reply));
            engine.readNonMessage();
            engine.send("PLAY " + point(moves[own]));
            engine.readNonMessage();
            engine.send("TURN " + point(moves[own + 1]));
        }
        Move last{};
        readSearch(engine, last);
        engine.send("END");
        engine.waitExit();
        laterRate = laterMs > 0 ? laterNodes / laterMs : 0;
    }
    state.counters["first_depth"] = firstDepth;
    state.counters["first_nodes_per_ms"] = firstRate;
    state.counters["later_nodes_per_ms"] = laterRate;
}

void BM_FirstMovesDefaultTables(benchmark::State& state) { playScript(state, nullptr, "default tables"); }
void BM_FirstMovesSmallTables(benchmark::State& state) { playScript(state, "INFO hash_size 16384", "hash_size 16384"); }
void BM_FirstMovesTwoThreads(benchmark::State& state) { playScript(state, "INFO thread_num 2", "thread_num 2"); }

BENCHMARK(BM_FirstMovesDefaultTables)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstMovesSmallTables)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstMovesTwoThreads)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
