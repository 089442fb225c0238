#include "self_play_labels.h"

#include <algorithm>
#include <random>

#include "board/rule.h"
#include "core/game_state.h"
#include "core/output.h"
#include "core/settings.h"
#include "driver/game_setup.h"
#include "driver/table_preparation.h"
#include "driver/turn_driver.h"
#include "driver/turn_limits.h"
#include "driver/turn_state.h"
#include "quiet_positions.h"
#include "referee.h"
#include "rules/forbidden.h"
#include "search/alpha_beta.h"
#include "search/search_table.h"
#include "search/search_thread.h"

namespace {

void dropOutput(const char*, int) {}

Rule refereeRule(int infoRule) {
    switch (ruleFromSetting(infoRule)) {
        case RULE_STANDARD:
            return Rule::Standard;
        case RULE_RENJU:
            return Rule::Renju;
        case RULE_CARO:
            return Rule::Caro;
        default:
            return Rule::FreeStyle;
    }
}

// A game in play: the engine's record and the referee's board side by side.
struct SelfPlayGame {
    Rule rule;
    RefBoard ref;
    int winner = 0;  // 1 black, 2 white, 0 none yet or drawn
    bool over = false;
};

// An empty game record for the variant; the board is built at the first search.
void startEngineGame(const GameVariant& v, const LabelBudget& budget) {
    game.sizeX = game.sizeY = game.boardSize = v.size;
    game.recordLength = 0;
    game.blockedCount = 0;
    game.appliedRule = -1;
    for (auto& column : game.blockTable)
        for (auto& point : column) point.store(0);
    settings.rule.store(v.infoRule);
    settings.hashSize.store(budget.hashEntries);
    startReproducibleSearch();
}

// Adds a stone to the record (the board is built from it later) and the referee.
void recordStone(SelfPlayGame& g, int x, int y) {
    const int colour = sideToMove();
    game.gameRecord[game.recordLength++] = {x, y, colour};
    g.ref.put(x, y, colour);
}

// A random stone for the side to move within two points of the stones so far,
// that neither wins nor (black under Renju) is forbidden; false if none is found.
bool addRandomStone(SelfPlayGame& g, std::mt19937_64& rng) {
    int lowX = g.ref.sizeX, lowY = g.ref.sizeY, highX = -1, highY = -1;
    for (int i = 0; i < game.recordLength; ++i) {
        lowX = std::min(lowX, game.gameRecord[i].x), highX = std::max(highX, game.gameRecord[i].x);
        lowY = std::min(lowY, game.gameRecord[i].y), highY = std::max(highY, game.gameRecord[i].y);
    }
    std::uniform_int_distribution<int> dx(lowX - 2, highX + 2), dy(lowY - 2, highY + 2);
    const int colour = sideToMove();
    for (int tries = 0; tries < 100; ++tries) {
        const int x = dx(rng), y = dy(rng);
        if (!g.ref.empty(x, y) || makesWin(g.ref, x, y, colour, g.rule)) continue;
        if (g.rule == Rule::Renju && colour == REF_BLACK && renjuForbidden(g.ref, x, y)) continue;
        recordStone(g, x, y);
        return true;
    }
    return false;
}

// The engine's search of the side to move with the depth or node budget given;
// it plays its move on the engine's board and record. Returns its value.
int searchAndPlay(int depth, int nodes) {
    settings.maxDepth.store(depth);
    settings.maxNode.store(nodes);
    // The kept value is the other colour's (one engine plays both): left in
    // place, a win it proved would send this colour down its shortcut and
    // report that value as this colour's.
    turnState.lastTurnValue = 0;
    setOutputSink(dropOutput);
    turnDriver();
    setOutputSink(nullptr);
    return turnState.lastTurnValue;
}

// The referee's view of the move the engine just played.
void judgeMove(SelfPlayGame& g) {
    const StoneRecord& r = game.gameRecord[game.recordLength - 1];
    if (!g.ref.empty(r.x, r.y)) {
        g.over = true;  // a refused move: no result to learn from
        return;
    }
    if (g.rule == Rule::Renju && r.colour == REF_BLACK && renjuForbidden(g.ref, r.x, r.y)) {
        g.winner = REF_WHITE;
        g.over = true;
        return;
    }
    const bool wins = makesWin(g.ref, r.x, r.y, r.colour, g.rule);
    g.ref.put(r.x, r.y, r.colour);
    if (wins) g.winner = r.colour;
    g.over = wins || g.ref.full();
}

LabelledPosition positionHere(const GameVariant& v, int gameNumber) {
    LabelledPosition p;
    p.infoRule = v.infoRule;
    p.size = v.size;
    p.game = gameNumber;
    for (int i = 0; i < game.recordLength; ++i)
        p.stones.push_back(
            {static_cast<int8_t>(game.gameRecord[i].x), static_cast<int8_t>(game.gameRecord[i].y)});
    return p;
}

void setResults(std::vector<LabelledPosition>& positions, int winner) {
    for (LabelledPosition& p : positions) {
        const int side = static_cast<int>(p.stones.size() % 2) + 1;
        p.result = winner == 0 ? 0.5 : winner == side ? 1 : 0;
    }
}

}  // namespace

std::vector<LabelledPosition> playLabelledGame(const GameVariant& v, const LabelBudget& budget,
                                               uint64_t seed, int gameNumber) {
    std::mt19937_64 rng(seed * 1000003u + static_cast<uint64_t>(gameNumber));
    std::uniform_real_distribution<double> share(0, 1);
    SelfPlayGame g{refereeRule(v.infoRule), {}, 0, false};
    g.ref.reset(v.size, v.size);
    startEngineGame(v, budget);
    const Opening& opening = (*v.openings)[rng() % v.openings->size()];
    for (const Point& s : opening) recordStone(g, s.x, s.y);
    for (int i = 0; i < budget.randomStones; ++i)
        if (!addRandomStone(g, rng)) break;
    setOutputSink(dropOutput);
    applyRule();  // the board, for the first quiet test
    setOutputSink(nullptr);

    std::vector<LabelledPosition> positions;
    while (!g.over) {
        const int side = sideToMove();
        const bool label = game.recordLength >= budget.skipStones &&
                           share(rng) < budget.labelShare && quietPosition(mainThread, side);
        if (!label) {
            searchAndPlay(budget.playDepth, -1);
        } else {
            LabelledPosition p = positionHere(v, gameNumber);
            p.value = budget.labelDepth > 0 ? searchAndPlay(budget.labelDepth, -1)
                                            : searchAndPlay(400, budget.labelNodes);
            p.searched = true;
            const StoneRecord& r = game.gameRecord[game.recordLength - 1];
            p.best = {static_cast<int8_t>(r.x), static_cast<int8_t>(r.y)};
            positions.push_back(p);
        }
        judgeMove(g);
    }
    setResults(positions, g.winner);
    return positions;
}
