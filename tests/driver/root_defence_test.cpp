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
#include "search/search_thread.h"
#include "support/position_fixture.h"
#include "support/search_limits.h"
#include "support/vct_positions.h"
#include "threats/evaluate.h"
#include "threats/threat_table.h"
#include "threats/vct_search.h"

namespace {

// The position of the thread the drivers search with.
Position& pos = mainThread.pos;

constexpr int WIN = 10000000;

class RootDefence : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setHashEntryCount(1 << 14);
        resizeHashTables();
        setThreatTableCount(1 << 14);
        resizeThreatTable();
        prefaultHashTables(nullptr);
    }

    void SetUp() override {
        for (auto& column : game.blockTable)
            for (auto& cell : column) cell.store(0);
        clearHashTables();
        clearThreatTable();
        resetSearchState(mainThread);
        resetEvaluationState(mainThread);
        fixture::liftSearchLimits(mainThread.control, 0);
        // A 10 s turn gives the largest node share, a million; the clock is
        // lifted, so that slow builds come to the same result.
        mainThread.control.turnBudget = 10000;
        settings.maxNode = -1;
    }

    void TearDown() override { settings.maxNode = 2000000000; }

    static int refutedCount() {
        int n = 0;
        for (int x = 0; x < geometry.sizeX; ++x)
            for (int y = 0; y < geometry.sizeY; ++y) n += isRootRefuted(mainThread.state, x, y);
        return n;
    }
};

// The proof positions with the attacker's turn passed to the defender.
TEST_F(RootDefence, RefutedMovesLoseAndADefenceIsKept) {
    for (const vct_positions::Won& w : vct_positions::WON) {
        // The Renju proofs need more nodes per move than a turn's share gives.
        if (w.size != 15 || w.rule == RULE_RENJU) continue;
        fixture::setup(pos, w.rule, w.drawing, w.size, w.size);
        const int attacker = w.side;
        const int defender = attacker ^ 3;
        refuteLosingRootMoves(defender);
        const int refuted = refutedCount();
        EXPECT_GT(refuted, 0) << w.name;
        int kept = 0;
        for (int x = 0; x < w.size; ++x) {
            for (int y = 0; y < w.size; ++y) {
                if (pos.board[x][y] != EMPTY) {
                    EXPECT_FALSE(isRootRefuted(mainThread.state, x, y))
                        << w.name << " occupied " << x << "," << y;
                    continue;
                }
                if (!isRootRefuted(mainThread.state, x, y)) {
                    ++kept;
                    continue;
                }
                makeMove(pos, x, y, defender);
                clearThreatTable();
                EXPECT_GT(vctSearch(mainThread, attacker, VctBounds{w.depth, 2000000, 0}), WIN)
                    << w.name << " refuted " << x << "," << y;
                unmakeMove(pos, x, y, defender);
            }
        }
        EXPECT_GT(kept, 0) << w.name;
    }
}

TEST_F(RootDefence, QuietPositionSetsNothingAsideAndClearsOldMarks) {
    const vct_positions::Won& w = vct_positions::WON[0];
    fixture::setup(pos, w.rule, w.drawing, w.size, w.size);
    refuteLosingRootMoves(w.side ^ 3);
    ASSERT_GT(refutedCount(), 0);
    fixture::setup(pos, RULE_FREESTYLE, R"(
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
    fixture::setup(pos, RULE_FREESTYLE, R"(
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
    fixture::liftSearchLimits(mainThread.control, 4);
    mainThread.root = RootResult{};
    alphaBeta(mainThread, 4, -100000000, 100000000, WHITE, 0);
    const int firstX = mainThread.root.bestX, firstY = mainThread.root.bestY;
    ASSERT_TRUE(onBoard(firstX, firstY));
    mainThread.state.rootRefuted[firstX] |= 1u << firstY;
    resetSearchState(mainThread);
    mainThread.state.rootRefuted[firstX] |= 1u << firstY;
    clearHashTables();
    fixture::liftSearchLimits(mainThread.control, 4);
    mainThread.root = RootResult{};
    alphaBeta(mainThread, 4, -100000000, 100000000, WHITE, 0);
    EXPECT_FALSE(mainThread.root.bestX == firstX && mainThread.root.bestY == firstY);
    ASSERT_TRUE(onBoard(mainThread.root.bestX, mainThread.root.bestY));
    EXPECT_EQ(EMPTY, pos.board[mainThread.root.bestX][mainThread.root.bestY]);
    clearRootRefuted(mainThread.state);
}

}  // namespace
