// The node count and limit check shared by both searches.
#include <gtest/gtest.h>

#include "core/clock.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "core/signals.h"
#include "support/threat_thread.h"

using fixture::threatThread;

namespace {

class LimitCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetTurnStatistics(threatThread.control);
        threatThread.control.searchStopFlag = 0;
        threatThread.control.turnBudget = 1 << 30;
        threatThread.control.turnStartTime = clockMs();
        settings.maxNode = 2000000000;
        brainSignals.stopRequest = 0;
    }
    void TearDown() override {
        settings.maxNode = 2000000000;
        brainSignals.stopRequest = 0;
        threatThread.control.searchStopFlag = 0;
    }

    // Counts nodes until the check asks to stop; returns the node count then, or 0.
    int64_t nodesUntilStop(int64_t atMost) {
        for (int64_t i = 0; i < atMost; ++i)
            if (countNodeAndCheckLimits(threatThread.control)) return threatThread.control.nodeCounter;
        return 0;
    }
};

TEST_F(LimitCheckTest, LimitsAreReadOncePer1024Nodes) {
    brainSignals.stopRequest = 1;
    EXPECT_EQ(nodesUntilStop(5000), 1024);
    EXPECT_EQ(threatThread.control.searchStopFlag, 1);
    // The count goes on from where it was: the next poll is at 2048.
    threatThread.control.searchStopFlag = 0;
    EXPECT_EQ(nodesUntilStop(5000), 2048);
}

TEST_F(LimitCheckTest, NodeLimitIsInUnitsOf1024AndStopsOnlyWhenExceeded) {
    settings.maxNode = 3;
    EXPECT_EQ(nodesUntilStop(10000), 4 * 1024);
    EXPECT_EQ(threatThread.control.searchStopFlag, 1);
    resetTurnStatistics(threatThread.control);
    threatThread.control.searchStopFlag = 0;
    settings.maxNode = 0;
    EXPECT_EQ(nodesUntilStop(10000), 1024);
}

TEST_F(LimitCheckTest, TimeBudgetKeepsAThirtyMillisecondMargin) {
    // Any budget of 30 ms or less is spent as soon as the clock is read.
    threatThread.control.turnBudget = 30;
    EXPECT_EQ(nodesUntilStop(2000), 1024);
    // A budget that started a long time ago is spent too.
    resetTurnStatistics(threatThread.control);
    threatThread.control.searchStopFlag = 0;
    threatThread.control.turnBudget = 1000;
    threatThread.control.turnStartTime = clockMs() - 5000;
    EXPECT_EQ(nodesUntilStop(2000), 1024);
}

TEST_F(LimitCheckTest, MaxNodeMinusOneLeavesOnlyTheStopRequest) {
    settings.maxNode = -1;
    threatThread.control.turnBudget = 0;
    EXPECT_EQ(nodesUntilStop(5000), 0);
    EXPECT_EQ(threatThread.control.searchStopFlag, 0);
    EXPECT_EQ(threatThread.control.nodeCounter, 5000);
    brainSignals.stopRequest = 1;
    EXPECT_EQ(nodesUntilStop(5000), 5 * 1024);  // the first poll after node 5000
    EXPECT_EQ(threatThread.control.searchStopFlag, 1);
}

TEST_F(LimitCheckTest, TurnStatisticsResetLeavesTheStopFlagAlone) {
    threatThread.control.nodeCounter = 77;
    threatThread.control.expandedNodeCounter = 5;
    threatThread.control.branchSum = 2.5;
    threatThread.control.lowestRemainingDepth = -9;
    threatThread.control.searchStopFlag = 1;
    resetTurnStatistics(threatThread.control);
    EXPECT_EQ(threatThread.control.nodeCounter, 0);
    EXPECT_EQ(threatThread.control.expandedNodeCounter, 0);
    EXPECT_EQ(threatThread.control.branchSum, 0);
    EXPECT_EQ(threatThread.control.lowestRemainingDepth, 0);
    EXPECT_EQ(threatThread.control.searchStopFlag, 1);
}

}  // namespace
