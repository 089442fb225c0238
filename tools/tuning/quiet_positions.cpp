#include "quiet_positions.h"

#include <cstdlib>
#include <map>
#include <memory>

#include "board/geometry.h"
#include "board/pattern_table.h"
#include "board/position.h"
#include "board/rule.h"
#include "board/types.h"
#include "core/clock.h"
#include "core/limits.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "core/signals.h"
#include "threats/evaluate.h"
#include "threats/threat_search.h"
#include "threats/threat_table.h"
#include "threats/threat_thread.h"

namespace {

struct BuiltTables {
    BoardGeometry geometry;
    BoardTables tables;
};

struct BoardSetUp {
    std::map<int, std::unique_ptr<BuiltTables>> built;  // by rule * 32 + size
    int current = -1;
};
BoardSetUp setUp;

// The board and scratch the tools replay games and evaluate in.
ThreatThread replay;

}  // namespace

void setUpBoard(int infoRule, int size) {
    const int rule = ruleFromSetting(infoRule);
    const int key = rule * 32 + size;
    if (key != setUp.current) {
        std::unique_ptr<BuiltTables>& slot = setUp.built[key];
        if (!slot) {
            setBoardGeometry(size, size, rule);
            initTables();
            slot = std::make_unique<BuiltTables>();
            slot->geometry = geometry;
            slot->tables = tables;
        } else {
            geometry = slot->geometry;
            tables = slot->tables;
            buildComboTables();
        }
        setUp.current = key;
        // The same stones can be a win under one rule and not another.
        if (threatTableCount() > 0) clearThreatTable();
    }
    resetBoard(replay.pos);
    resetEvaluationState(replay);
}

ThreatThread& replayThread() {
    return replay;
}

void forgetBoardSetUp() {
    setUp.current = -1;
}

bool quietForSideToMove(int side) {
    return quietPosition(replay, side);
}

bool quietPosition(ThreatThread& t, int side) {
    const Position& pos = t.pos;
    if (pos.setRows[SET_FIVE][0] != 0 || pos.setRows[SET_FIVE][1] != 0) return false;
    return std::abs(evaluateLeaf(t, 0, side)) < DECIDED;
}

bool winsByFours(int colour) {
    // A small table of its own: the positions of one game share most chains.
    if (threatTableCount() == 0) {
        setThreatTableCount(1 << 16);
        resizeThreatTable();
    }
    settings.maxNode = 2000000000;
    brainSignals.stopRequest = 0;
    SearchControl& sc = replay.control;
    resetTurnStatistics(sc);
    sc.searchStopFlag = 0;
    sc.turnBudget = 1 << 30;
    sc.turnStartTime = clockMs();
    sc.rootDepth = MAX_PLY - 1;  // entered at row 0: every row is there for the chain
    return threatSearch(replay, sc.rootDepth, colour, 0, 0) > 0;
}

namespace {

bool decidedByFours(int side, const QuietFilter& filter) {
    return filter.dropFourWins && (winsByFours(side) || winsByFours(side ^ 3));
}

}  // namespace

std::vector<LabelledPosition> quietPositions(const LoggedGame& game, int gameNumber,
                                             const QuietFilter& filter) {
    std::vector<LabelledPosition> out;
    if (game.winner < 0) return out;
    setUpBoard(game.infoRule, game.size);
    for (size_t n = 0; n < game.stones.size(); ++n) {
        const int side = static_cast<int>(n % 2) + 1;
        if (static_cast<int>(n) >= filter.skipStones && quietForSideToMove(side) &&
            !decidedByFours(side, filter)) {
            LabelledPosition p;
            p.infoRule = game.infoRule;
            p.size = game.size;
            p.result = game.winner == 0 ? 0.5 : game.winner == side ? 1 : 0;
            p.game = gameNumber;
            p.stones.assign(game.stones.begin(), game.stones.begin() + static_cast<long>(n));
            out.push_back(p);
        }
        const Stone s = game.stones[n];
        if (s.x >= game.size || s.y >= game.size || replay.pos.board[s.x][s.y] != EMPTY)
            return {};  // not a game
        makeMove(replay.pos, s.x, s.y, side);
    }
    return out;
}
