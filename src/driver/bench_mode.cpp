#include "driver/bench_mode.h"

#include <cstdlib>
#include <cstring>

#include "board/rule.h"
#include "core/clock.h"
#include "core/game_state.h"
#include "core/output.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "driver/game_setup.h"
#include "driver/turn_driver.h"
#include "driver/table_preparation.h"
#include "driver/turn_limits.h"
#include "driver/turn_state.h"
#include "search/alpha_beta.h"
#include "search/root_report.h"
#include "search/search_table.h"
#include "search/search_thread.h"

namespace {

struct BenchPosition {
    const char* name;
    int rule;           // a GameRule
    int size;           // square board
    const char* moves;  // "x,y" in playing order, black first
};

// Openings, mid-games and forced wins under each rule; the side to move
// follows from the number of stones. Never change a position without saying
// so: the node total is compared across versions.
constexpr BenchPosition POSITIONS[] = {
    {"free 15x15 opening", RULE_FREESTYLE, 15, "7,7 8,7 8,10"},
    {"free 15x15 middle game", RULE_FREESTYLE, 15, "7,7 8,8 6,8 8,6 8,7 6,7 9,8 7,9 5,9 10,9 9,6 7,6 6,5 10,7 11,8 7,5"},
    {"free 15x15 double four to win", RULE_FREESTYLE, 15, "4,7 3,7 5,7 7,3 6,7 10,10 7,4 11,2 7,5 2,11 7,6 12,12"},
    {"free 20x20 opening", RULE_FREESTYLE, 20, "10,10 11,10 11,13"},
    {"free 20x20 middle game", RULE_FREESTYLE, 20,
     "11,12 12,13 10,13 12,11 12,12 10,12 13,13 11,14 9,14 14,14 13,11 11,11 10,10 14,12 15,13 11,10"},
    {"free 20x20 near the edge", RULE_FREESTYLE, 20, "1,1 2,2 2,1 3,1 1,2 1,3 0,3 3,3 3,0 4,4"},
    {"standard 15x15 opening", RULE_STANDARD, 15, "7,7 8,8 7,8"},
    {"standard 15x15 middle game", RULE_STANDARD, 15, "7,7 7,8 8,8 6,6 9,9 10,10 8,9 8,10 6,9 9,7 7,10 5,8 9,10 6,11 4,4"},
    {"standard 15x15 six is no five", RULE_STANDARD, 15, "4,7 4,8 5,7 6,9 6,7 3,7 8,7 10,7 9,7 7,10 8,8 9,8 6,8 5,10"},
    {"renju 15x15 opening", RULE_RENJU, 15, "7,7 7,6 7,5"},
    {"renju 15x15 middle game", RULE_RENJU, 15, "7,7 7,6 8,6 6,8 9,5 10,4 8,8 9,9 6,6 5,5 8,7 8,5 6,7 9,8 4,4 5,7"},
    {"renju 15x15 four-three to win", RULE_RENJU, 15, "7,4 7,3 7,5 10,10 7,6 11,11 5,7 12,3 6,7 2,12"},
    {"renju 15x15 white to move", RULE_RENJU, 15, "7,7 7,6 7,5 8,6 6,6 8,4 8,5 6,4 9,6 10,7 6,8 5,9 9,4"},
};
constexpr int POSITION_COUNT = static_cast<int>(sizeof POSITIONS / sizeof POSITIONS[0]);

// The hash size every bench search uses, whatever INFO set before.
constexpr int BENCH_HASH_ENTRIES = 524288;

void dropOutput(const char*, int) {}

// Fills the game record as BOARD would, for the turn driver to build the board from.
void setUpGame(const BenchPosition& p) {
    game.sizeX = game.sizeY = game.boardSize = p.size;
    game.recordLength = 0;
    game.blockedCount = 0;
    for (const char* s = p.moves; *s;) {
        char* end = nullptr;
        const int x = static_cast<int>(std::strtol(s, &end, 10));
        const int y = static_cast<int>(std::strtol(end + 1, &end, 10));
        StoneRecord& r = game.gameRecord[game.recordLength];
        r = {x, y, (game.recordLength % 2) + 1};
        ++game.recordLength;
        s = end;
        while (*s == ' ') ++s;
    }
    game.appliedRule = -1;
    for (auto& column : game.blockTable)
        for (auto& point : column) point.store(0);
    settings.rule.store(settingForRule(p.rule));
}

// Settings the bench needs, put back afterwards so a caller's session is unharmed.
struct SavedSettings {
    int maxDepth, maxNode, showDetail, hashSize, rule;
    SavedSettings()
        : maxDepth(settings.maxDepth.load()), maxNode(settings.maxNode.load()),
          showDetail(settings.showDetail.load()), hashSize(settings.hashSize.load()), rule(settings.rule.load()) {}
    ~SavedSettings() {
        settings.maxDepth.store(maxDepth);
        settings.maxNode.store(maxNode);
        settings.showDetail.store(showDetail);
        settings.hashSize.store(hashSize);
        settings.rule.store(rule);
    }
};

// Settings, game and tables as position i needs them; the board is built.
void prepareBenchPosition(int i, int depth) {
    // max_node -1 lifts the time and node limits: the search never looks at the
    // clock, so only the depth ends it and the node count is reproducible.
    settings.maxDepth.store(depth);
    settings.maxNode.store(-1);
    settings.showDetail.store(0);
    settings.hashSize.store(BENCH_HASH_ENTRIES);
    setUpGame(POSITIONS[i]);
    // Every position starts from the same state: empty tables, no kept turn value.
    startReproducibleSearch();
    // The board is built here, outside the timed search; with no kept win and
    // no five to block, the turn driver still runs its full search.
    setOutputSink(dropOutput);
    applyRule();
    setOutputSink(nullptr);
}

// The turn driver's search of the prepared position; returns its node count.
int64_t searchPreparedPosition(int& bestX, int& bestY) {
    setOutputSink(dropOutput);
    turnDriver();
    setOutputSink(nullptr);
    bestX = mainThread.root.bestX;
    bestY = mainThread.root.bestY;
    return mainThread.control.nodeCounter;
}

}  // namespace

int benchPositionCount() { return POSITION_COUNT; }

int64_t searchBenchPosition(int i, int depth, int& bestX, int& bestY) {
    SavedSettings saved;
    prepareBenchPosition(i, depth);
    return searchPreparedPosition(bestX, bestY);
}

int64_t runBench(int depth) {
    int64_t total = 0;
    int64_t totalMs = 0;
    for (int i = 0; i < POSITION_COUNT; ++i) {
        int x = -1, y = -1;
        SavedSettings saved;
        prepareBenchPosition(i, depth);
        const int start = clockMs();
        const int64_t nodes = searchPreparedPosition(x, y);
        const int ms = clockMs() - start;
        total += nodes;
        totalMs += ms;
        sendReply("Position %2d %-32s depth %d  nodes %10lld  time %6d ms  best %d,%d", i + 1, POSITIONS[i].name, depth,
                  static_cast<long long>(nodes), ms, x, y);
    }
    sendReply("Nodes searched: %lld", static_cast<long long>(total));
    sendReply("Nodes/second: %lld", static_cast<long long>(total * 1000 / (totalMs > 0 ? totalMs : 1)));
    return total;
}

int benchMain(int argc, const char* const* args) {
    int depth = BENCH_DEFAULT_DEPTH;
    if (argc > 0) {
        char* end = nullptr;
        const long d = std::strtol(args[0], &end, 10);
        if (end == args[0] || *end != '\0' || d < 1 || d > MAX_ITERATION_DEPTH) {
            sendReply("ERROR bench depth must be a number from 1 to %d", MAX_ITERATION_DEPTH);
            return 1;
        }
        depth = static_cast<int>(d);
    }
    runBench(depth);
    return 0;
}
