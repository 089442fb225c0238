// Continuous-threats search: wins by threes and fours under each rule and for
// either colour, refutations by a counter-four, by the defender's own open
// four and by a forbidden completion point, and a position whose only defence
// is a counter-four.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "board/geometry.h"
#include "board/position.h"
#include "core/clock.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "core/signals.h"
#include "support/position_fixture.h"
#include "threats/threat_table.h"
#include "threats/vct_search.h"

namespace {

constexpr int WIN = 10000000;
constexpr int DEPTH = 7;
constexpr int64_t NODES = 2000000;

std::string swapColours(std::string drawing) {
    for (char& ch : drawing) ch = ch == 'X' ? 'O' : ch == 'O' ? 'X' : ch;
    return drawing;
}

class VctSearchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setThreatTableCount(1 << 14);
        resizeThreatTable();
    }

    void SetUp() override {
        clearThreatTable();
        settings.maxNode = 2000000000;
        brainSignals.stopRequest = 0;
        resetTurnStatistics();
        searchControl.searchStopFlag = 0;
        searchControl.turnBudget = 1 << 30;
        searchControl.turnStartTime = clockMs();
        searchControl.rootDepth = 0;
    }

    // A fresh proof attempt; the position must come back intact.
    static int prove(int side, int depth = DEPTH) {
        clearThreatTable();
        const uint64_t key = pos.hashKey;
        const int moves = pos.moveCount;
        int board[MAX_SIDE][MAX_SIDE];
        std::memcpy(board, pos.board, sizeof board);
        const int v = vctSearch(side, VctBounds{depth, NODES, 0});
        EXPECT_EQ(key, pos.hashKey);
        EXPECT_EQ(moves, pos.moveCount);
        EXPECT_EQ(0, std::memcmp(board, pos.board, sizeof board));
        EXPECT_FALSE(vctRanOut());
        return v;
    }
};

// Black to move: (7,7) makes two open threes at once.
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

TEST_F(VctSearchTest, DoubleThreeWinsButNeverOnAForbiddenPoint) {
    for (int rule : {RULE_FREESTYLE, RULE_STANDARD, RULE_CARO, RULE_RENJU}) {
        fixture::setup(rule, DOUBLE_THREE);
        EXPECT_GT(prove(BLACK), WIN) << "rule " << rule;
        int x = -1, y = -1;
        ASSERT_TRUE(vctWinningMove(x, y));
        // Under Renju the double three is forbidden; black wins by another road.
        EXPECT_EQ(rule != RULE_RENJU, x == 7 && y == 7) << "rule " << rule;
        fixture::setup(rule, swapColours(DOUBLE_THREE));
        EXPECT_GT(prove(WHITE), WIN) << "rule " << rule;
    }
}

}  // namespace
