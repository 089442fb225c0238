// The periodic limit check shared by the searches.
#include <gtest/gtest.h>

#include "core/clock.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "core/signals.h"

namespace {

// The limits of the one search thread these tests count nodes for.
SearchControl searchControl;

class SearchLimits : public ::testing::Test {
protected:
    void SetUp() override {
        resetTurnStatistics(searchControl);
        searchControl.searchStopFlag = 0;
        searchControl.turnStartTime = clockMs();
        searchControl.turnBudget = 1000000;  // far away
        settings.maxNode = 2000000000;
        brainSignals.stopRequest = 0;
    }
    void TearDown() override {
        settings.maxNode = 2000000000;
        brainSignals.stopRequest = 0;
        searchGroup.helperNodes = 0;
        searchGroup.helpersStop = 0;
    }
    // Nodes counted until the check asks to stop (0 if it never does within limit).
    int64_t nodesUntilStop(int64_t limit) {
        for (int64_t i = 1; i <= limit; ++i)
            if (countNodeAndCheckLimits(searchControl)) return i;
        return 0;
    }
};

TEST_F(SearchLimits, StopRequestIsSeenAtTheNext1024thNode) {
    EXPECT_EQ(nodesUntilStop(1500), 0);
    brainSignals.stopRequest = 1;
    EXPECT_EQ(nodesUntilStop(5000), 2048 - 1500);
    EXPECT_EQ(searchControl.searchStopFlag, 1);
}

TEST_F(SearchLimits, NodeLimitCountsInUnitsOf1024) {
    settings.maxNode = 2;  // more than 2 * 1024 nodes is too many
    EXPECT_EQ(nodesUntilStop(10000), 3072);
    EXPECT_EQ(searchControl.searchStopFlag, 1);
}

TEST_F(SearchLimits, SpentBudgetStopsUnlessLimitsAreLifted) {
    searchControl.turnBudget = 0;  // already spent
    EXPECT_EQ(nodesUntilStop(1024), 1024);
    SetUp();
    searchControl.turnBudget = 0;
    settings.maxNode = -1;  // only the stop request ends the search
    EXPECT_EQ(nodesUntilStop(4096), 0);
    EXPECT_EQ(searchControl.searchStopFlag, 0);
    brainSignals.stopRequest = 1;
    EXPECT_EQ(nodesUntilStop(4096), 1024);
}

// The main thread's node limit counts the helpers' nodes; a helper leaves the
// limits to the main thread and stops on the group's stop or a stop request.
TEST_F(SearchLimits, HelpersCountTowardsTheLimitAndStopWithTheGroup) {
    settings.maxNode = 4;
    searchGroup.helperNodes = 3 * 1024;
    EXPECT_EQ(nodesUntilStop(10000), 2048);

    SearchControl helper;
    helper.helper = true;
    searchGroup.helperNodes = 0;
    settings.maxNode = 0;
    helper.turnBudget = 0;  // neither limit is the helper's to check
    for (int i = 0; i < 4096; ++i) ASSERT_FALSE(countNodeAndCheckLimits(helper)) << i;
    EXPECT_EQ(searchGroup.helperNodes.load(), 4096);
    searchGroup.helpersStop = 1;
    int n = 1;
    while (!countNodeAndCheckLimits(helper) && n < 5000) ++n;
    EXPECT_EQ(n, 1024);
    EXPECT_EQ(helper.searchStopFlag, 1);
    helper.searchStopFlag = 0;
    searchGroup.helpersStop = 0;
    brainSignals.stopRequest = 1;
    n = 1;
    while (!countNodeAndCheckLimits(helper) && n < 5000) ++n;
    EXPECT_EQ(n, 1024);
}

}  // namespace
