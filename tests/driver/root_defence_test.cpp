// The root defence against wins by threats: the moves it sets aside really
// lose to a proof, the ones it keeps include a defence, a quiet position sets
// nothing aside (nor keeps an earlier turn's marks), and the root search never
// plays a move that was set aside.
#include "driver/root_defence.h"

#include <gtest/gtest.h>

#include "board/geometry.h"
#include "board/position.h"
#include "core/game_state.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "rules/forbidden.h"
#include "search/alpha_beta.h"
#include "search/root_report.h"
#include "search/search_state.h"
#include "search/search_table.h"
#include "support/position_fixture.h"
#include "support/search_limits.h"
#include "support/vct_positions.h"
#include "threats/evaluate.h"
#include "threats/threat_table.h"
#include "threats/vct_search.h"

namespace {

constexpr int WIN = 10000000;

class RootDefence : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setHashEntryCount(1 << 14);
        resizeHashTables();
        setThreatTableCount(1 << 14);
        resizeThreatTable();
    }

    void SetUp() override {
        for (auto& column : game.blockTable)
            for (auto& cell : column) cell.store(0);
        clearHashTables();
        clearThreatTable();
        resetSearchState();
        resetEvaluationState();
        fixture::liftSearchLimits(0);
        // A 10 s turn gives the largest node share, a million; the clock is
        // lifted, so that slow builds come to the same result.
        searchControl.turnBudget = 10000;
        settings.maxNode = -1;
    }

    void TearDown() override { settings.maxNode = 2000000000; }

    static int refutedCount() {
        int n = 0;
        for (int x = 0; x < geometry.sizeX; ++x)
            for (int y = 0; y < geometry.sizeY; ++y) n += isRootRefuted(x, y);
        return n;
    }
};

// The proof positions with the attacker's turn passed to the defender.
TEST_F(RootDefence, RefutedMovesLoseAndADefenceIsKept) {
    for (const vct_positions::Won& w : vct_positions::WON) {
        // The Renju proofs need more nodes per move than a turn's share gives.
        if (w.size != 15 || w.rule == RULE_RENJU) continue;
        fixture::setup(w.rule, w.drawing, w.size, w.size);
        const int attacker = w.side;
        const int defender = attacker ^ 3;
        refuteLosingRootMoves(defender);
        const int refuted = refutedCount();
        EXPECT_GT(refuted, 0) << w.name;
        int kept = 0;
        for (int x = 0; x < w.size; ++x) {
            for (int y = 0; y < w.size; ++y) {
                if (pos.board[x][y] != EMPTY) {
                    EXPECT_FALSE(isRootRefuted(x, y)) << w.name << " occupied " << x << "," << y;
                    continue;
                }
                if (!isRootRefuted(x, y)) {
                    ++kept;
                    continue;
                }
                makeMove(x, y, defender);
                clearThreatTable();
                EXPECT_GT(vctSearch(attacker, VctBounds{w.depth, 2000000, 0}), WIN)
                    << w.name << " refuted " << x << "," << y;
                unmakeMove(x, y, defender);
            }
        }
        EXPECT_GT(kept, 0) << w.name;
    }
}

TEST_F(RootDefence, QuietPositionSetsNothingAsideAndClearsOldMarks) {
    const vct_positions::Won& w = vct_positions::WON[0];
    fixture::setup(w.rule, w.drawing, w.size, w.size);
    refuteLosingRootMoves(w.side ^ 3);
    ASSERT_GT(refutedCount(), 0);
    fixture::setup(RULE_FREESTYLE, R"(
        ...............
        ...............
        ...............
        ...............
        ...............
        ...............
        .......X.......
        .......O.......
        ...............
        ...............
        ...............
        ...............
        ...............
        ...............
        ...............)");
    refuteLosingRootMoves(BLACK);
    EXPECT_EQ(0, refutedCount());
}

TEST_F(RootDefence, RootSearchSkipsEveryRefutedMove) {
    fixture::setup(RULE_FREESTYLE, R"(
        ...............
        ...............
        ...............
        ...............
        ...............
        ...............
        .......X.......
        .......XO......
        .......X.......
        ...............
        ...............
        ...............
        ...............
        ...............
        ...............)");
    // White's choice when nothing is set aside, then with that move set aside.
    fixture::liftSearchLimits(4);
    rootResult = RootResult{};
    alphaBeta(4, -100000000, 100000000, WHITE, 0);
    const int firstX = rootResult.bestX, firstY = rootResult.bestY;
    ASSERT_TRUE(onBoard(firstX, firstY));
    searchState.rootRefuted[firstX] |= 1u << firstY;
    resetSearchState();
    searchState.rootRefuted[firstX] |= 1u << firstY;
    clearHashTables();
    fixture::liftSearchLimits(4);
    rootResult = RootResult{};
    alphaBeta(4, -100000000, 100000000, WHITE, 0);
    EXPECT_FALSE(rootResult.bestX == firstX && rootResult.bestY == firstY);
    ASSERT_TRUE(onBoard(rootResult.bestX, rootResult.bestY));
    EXPECT_EQ(EMPTY, pos.board[rootResult.bestX][rootResult.bestY]);
    clearRootRefuted();
}

}  // namespace
