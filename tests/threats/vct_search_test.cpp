// Continuous-threats search: wins by threes and fours under each rule for
// either colour, refutations by a counter-four and by a forbidden completion
// point, and the position must come back intact after every call.
//
// The won positions come from engine games; each needs the number of attacker
// moves given with it, and a full-width search of a second does not see them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "board/geometry.h"
#include "board/position.h"
#include "core/clock.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "core/signals.h"
#include "rules/forbidden.h"
#include "support/position_fixture.h"
#include "support/search_limits.h"
#include "support/threat_thread.h"
#include "support/vct_positions.h"
#include "threats/threat_table.h"
#include "threats/vct_search.h"

using fixture::threatThread;

namespace {

// The position of the thread these tests search with.
Position& pos = threatThread.pos;

constexpr int WIN = 10000000;
constexpr int DEPTH = 7;
constexpr int64_t NODES = 2000000;


class VctSearchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setThreatTableCount(1 << 14);
        resizeThreatTable();
        prefaultThreatTable(nullptr, 1 << 14);
    }

    void SetUp() override {
        fixture::liftSearchLimits(threatThread.control, 0);
    }

    // A fresh proof attempt from an empty table; the position must come back intact.
    static int prove(int side, int depth = DEPTH) {
        clearThreatTable();
        const uint64_t key = pos.hashKey;
        const int moves = pos.moveCount;
        int board[MAX_SIDE][MAX_SIDE];
        std::memcpy(board, pos.board, sizeof board);
        const int v = vctSearch(threatThread, side, VctBounds{depth, NODES, 0});
        EXPECT_EQ(key, pos.hashKey);
        EXPECT_EQ(moves, pos.moveCount);
        EXPECT_EQ(0, std::memcmp(board, pos.board, sizeof board));
        EXPECT_FALSE(vctRanOut(threatThread));
        return v;
    }
};

// ---------------------------------------------------------------------------
// Positions. One text line per y, one character per x.

// (7,7) makes two open threes at once.
const char* const DOUBLE_THREE = R"(
...............
...............
...............
...............
...............
.......X.......
.......X.......
.....XX........
...............
...............
...............
...............
...............
...............
...............
)";

// Black's threats look like a win in three attacker moves, but white holds
// every line only by answering with a four of its own at the right moment.
const char* const FREE_BLACK_COUNTER_FOUR = R"(
...............
...............
...............
.......X.......
.......OO......
.........O.....
......OXXXO....
.....X.XO.X....
......XOO......
.......X.......
........O......
...............
...............
...............
...............
)";

// The same for white: four attacker moves, refuted only by black's counter-fours.
const char* const FREE_WHITE_COUNTER_FOUR = R"(
...............
.........O.....
........X.X....
.....X.XXO.....
......XOOX.....
.......O.OX....
....O.OXXXOO...
....OXXXO.X....
.....OXOO..X...
......OX....O..
.......XO......
...............
...............
...............
...............
)";

// Black's threes look like a win in three moves, but the open-four point of
// a three is forbidden for black, so that three threatens nothing.
const char* const RENJU_FORBIDDEN_COMPLETION = R"(
...............
...............
...............
...............
...............
.........O.....
...O.X.OXX.....
....XOOXOO.....
..OX.XXOXX.....
..OOXXX.OO.....
....O.X........
...............
...............
...............
...............
)";

TEST_F(VctSearchTest, DoubleThreeWinsExceptForBlackUnderRenju) {
    for (int rule : {RULE_FREESTYLE, RULE_STANDARD, RULE_CARO, RULE_RENJU}) {
        fixture::setup(pos, rule, DOUBLE_THREE);
        // Under Renju the double three is forbidden and nothing else wins at once.
        const int v = prove(BLACK, 1);
        EXPECT_EQ(rule != RULE_RENJU, v > WIN) << "rule " << rule;
        int x = -1, y = -1;
        if (v > WIN) {
            ASSERT_TRUE(vctWinningMove(threatThread, x, y));
            EXPECT_TRUE(x == 7 && y == 7) << "rule " << rule;
        }
        fixture::setup(pos, rule, fixture::swapColours(DOUBLE_THREE));
        EXPECT_GT(prove(WHITE, 1), WIN) << "rule " << rule;
    }
}

TEST_F(VctSearchTest, WinsUnderEveryRuleStartOnAPlayablePoint) {
    for (const vct_positions::Won& w : vct_positions::WON) {
        fixture::setup(pos, w.rule, w.drawing, w.size, w.size);
        const int v = prove(w.side, w.depth);
        EXPECT_GT(v, WIN) << w.name;
        int x = -1, y = -1;
        ASSERT_TRUE(vctWinningMove(threatThread, x, y)) << w.name;
        EXPECT_EQ(EMPTY, pos.board[x][y]) << w.name;
        if (w.rule == RULE_RENJU && w.side == BLACK) {
            EXPECT_EQ(0, isForbidden(pos, x, y)) << w.name;
        }
    }
}

TEST_F(VctSearchTest, CounterFoursAndForbiddenCompletionsRefuteThreats) {
    // One attacker move more than the false win needs.
    fixture::setup(pos, RULE_FREESTYLE, FREE_BLACK_COUNTER_FOUR);
    EXPECT_EQ(0, prove(BLACK, 4));
    fixture::setup(pos, RULE_FREESTYLE, FREE_WHITE_COUNTER_FOUR);
    EXPECT_EQ(0, prove(WHITE, 5));
    fixture::setup(pos, RULE_RENJU, RENJU_FORBIDDEN_COMPLETION);
    EXPECT_EQ(0, prove(BLACK, 4));
}

TEST_F(VctSearchTest, StopsWithinItsBudgetAndOnAStopRequest) {
    fixture::setup(pos, RULE_STANDARD, vct_positions::STANDARD_WHITE_WIN, 20, 20);
    clearThreatTable();
    EXPECT_EQ(0, vctSearch(threatThread, WHITE, VctBounds{6, 500, 0}));
    EXPECT_TRUE(vctRanOut(threatThread));
    EXPECT_LE(vctNodesSpent(threatThread), 501);
    clearThreatTable();
    brainSignals.stopRequest = 1;
    EXPECT_EQ(0, vctSearch(threatThread, WHITE, VctBounds{6, NODES, 0}));
    EXPECT_EQ(1, threatThread.control.searchStopFlag);
    EXPECT_LE(threatThread.control.nodeCounter, 1024);
}

}  // namespace
