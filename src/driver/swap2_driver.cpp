#include "driver/swap2_driver.h"

#include <cstdint>

#include "board/geometry.h"
#include "board/position.h"
#include "core/clock.h"
#include "core/game_state.h"
#include "core/output.h"
#include "core/search_control.h"
#include "driver/balance_driver.h"
#include "driver/balance_pairs.h"
#include "driver/game_setup.h"
#include "driver/preselection.h"
#include "driver/table_preparation.h"
#include "driver/turn_driver.h"
#include "driver/turn_limits.h"
#include "driver/turn_state.h"
#include "search/search_thread.h"

namespace {

// Values within this distance of 0 count as level, values beyond it as
// clearly one side's. Openings balanced by hand rate within about 150 either
// way at the depths a short turn reaches; three stones with black's two
// together and white's one far off rate beyond 300 for black from depth 4 on
// (400 to 600 deeper), and the reverse as much for white.
constexpr int LEVEL_BAND = 250;

// Percent of a three-stone turn spent judging the stones; when they are level
// the balance search for two more stones gets the rest.
constexpr int JUDGING_SHARE = 50;

// The opening proposal: the balance search ranks pairs on this percent of the
// turn, then the judging search rates the first few playable pairs on what is
// left and the pair it finds most level is proposed. The balance search looks
// shallower than the judging search the answer to the opening will make, and
// on its own it can leave stones that search rates far from level.
constexpr int RANKING_SHARE = 40;
constexpr int PROPOSAL_CHECKS = 3;

// The turn clock: the request time and the whole budget.
struct Swap2Clock {
    int start;
    int budget;
};

// The turn search for white, the side to move after three or five stones, for
// budget ms from start. Leaves white's move in mainThread.root.
int judgeForWhiteFrom(int start, int budget) {
    mainThread.control.turnBudget = budget > 1 ? budget : 1;
    const int value = searchBestMove(WHITE, start);
    sendReply("MESSAGE Swap2: %d for white to move, depth %d", reportedValue(value),
              mainThread.control.rootDepth);
    return value;
}

// The same on percent of the turn from its start.
int judgeForWhite(const Swap2Clock& clock, int percent) {
    return judgeForWhiteFrom(clock.start,
                             static_cast<int>(static_cast<int64_t>(clock.budget) * percent / 100));
}

// The balance search for colour on what is left of the turn.
int rankPairsOnRestOfTurn(int colour, const Swap2Clock& clock) {
    SearchControl& sc = mainThread.control;
    const int now = clockMs();
    const int left = clock.start + clock.budget - now;
    sc.turnStartTime = now;
    sc.turnBudget = left > 1 ? left : 1;
    return rankBalancedPairs(colour);
}

// Up to most of the first n ranked pairs whose two moves colour and its
// opponent may both play (blocked points; black's forbidden points under
// Renju), the most even first, copied to out. Returns how many.
int playablePairs(int colour, int n, int most, BalancePair* out) {
    Position& pos = mainThread.pos;
    int kept = 0;
    for (int i = 0; i < n && kept < most; ++i) {
        const BalancePair& pair = balancePairs[i];
        if (!mayPlay(colour, pair.x1, pair.y1)) continue;
        makeMove(pos, pair.x1, pair.y1, colour);
        const bool replyAllowed = mayPlay(colour ^ 3, pair.x2, pair.y2);
        unmakeMove(pos, pair.x1, pair.y1, colour);
        if (replyAllowed) out[kept++] = pair;
    }
    return kept;
}

// The level pair for white and black that comes next, played into the record;
// false when no pair can be played.
bool playBalancedPair(const Swap2Clock& clock, BalancePair& pair) {
    const int n = rankPairsOnRestOfTurn(WHITE, clock);
    if (playablePairs(WHITE, n, 1, &pair) == 0) return false;
    placeOwnStone(pair.x1, pair.y1);
    placeOwnStone(pair.x2, pair.y2);
    sendReply("MESSAGE Swap2: the balance search leaves |%d|", reportedValue(pair.value));
    return true;
}

// The search's move for the side to move, played into the record and answered.
void playSearchedMove() {
    const int x = mainThread.root.bestX;
    const int y = mainThread.root.bestY;
    placeOwnStone(x, y);
    sendReply("%d,%d", x, y);
}

// Of the candidate pairs after black's first stone, the one the judging search
// rates nearest level, each on an equal share of what is left of the turn.
const BalancePair* mostLevelForWhite(const Swap2Clock& clock, const BalancePair* pairs, int count) {
    const BalancePair* best = nullptr;
    int bestValue = 0;
    for (int i = 0; i < count; ++i) {
        const int now = clockMs();
        const int share = (clock.start + clock.budget - now) / (count - i);
        placeOwnStone(pairs[i].x1, pairs[i].y1);
        placeOwnStone(pairs[i].x2, pairs[i].y2);
        int value = judgeForWhiteFrom(now, share);
        value = value < 0 ? -value : value;
        takeBack(pairs[i].x2, pairs[i].y2);
        takeBack(pairs[i].x1, pairs[i].y1);
        if (best == nullptr || value < bestValue) {
            best = &pairs[i];
            bestValue = value;
        }
    }
    return best;
}

// No stones: black's first stone where a first move goes, then a pair of white
// and black stones after which the position is level.
void proposeOpening(const Swap2Clock& clock) {
    chooseFirstMove();
    const int x = mainThread.root.bestX;
    const int y = mainThread.root.bestY;
    placeOwnStone(x, y);
    const Swap2Clock ranking = {clock.start,
                                static_cast<int>(static_cast<int64_t>(clock.budget) * RANKING_SHARE / 100)};
    BalancePair candidates[PROPOSAL_CHECKS];
    const int count = playablePairs(WHITE, rankPairsOnRestOfTurn(WHITE, ranking), PROPOSAL_CHECKS, candidates);
    const BalancePair* pair = mostLevelForWhite(clock, candidates, count);
    if (pair == nullptr) {
        takeBack(x, y);
        sendReply("ERROR no room for a swap2 opening");
        return;
    }
    placeOwnStone(pair->x1, pair->y1);
    placeOwnStone(pair->x2, pair->y2);
    sendReply("%d,%d %d,%d %d,%d", x, y, pair->x1, pair->y1, pair->x2, pair->y2);
}

// Three stones: black's when clearly black's, white's fourth stone when
// clearly white's, and two more level stones in between.
void answerThreeStones(const Swap2Clock& clock) {
    const int value = judgeForWhite(clock, JUDGING_SHARE);
    if (value < -LEVEL_BAND) {
        sendReply("SWAP");
        return;
    }
    if (value <= LEVEL_BAND) {
        // The balance search's own root searches overwrite the root move.
        const int x4 = mainThread.root.bestX;
        const int y4 = mainThread.root.bestY;
        BalancePair pair{};
        if (playBalancedPair(clock, pair)) {
            sendReply("%d,%d %d,%d", pair.x1, pair.y1, pair.x2, pair.y2);
            return;
        }
        mainThread.root.bestX = x4;
        mainThread.root.bestY = y4;
    }
    playSearchedMove();
}

// Five stones: the better colour, white to move unless its search says black.
void answerFiveStones(const Swap2Clock& clock) {
    if (judgeForWhite(clock, 100) < 0) {
        sendReply("SWAP");
        return;
    }
    playSearchedMove();
}

}  // namespace

void swap2Driver() {
    SearchControl& sc = mainThread.control;
    resetTurnStatistics(sc);
    const Swap2Clock clock = {takeTurnStartTime(), computeTurnBudget()};
    applyRule();
    tablesForTurn();
    switch (game.recordLength) {
        case 0: proposeOpening(clock); break;
        case 3: answerThreeStones(clock); break;
        default: answerFiveStones(clock); break;
    }
    // Whatever the search proved belongs to a colour the engine may no longer play.
    turnState.lastTurnValue = 0;
    sc.rootDepth = 0;
}
