// The root's MESSAGE REALTIME lines and the results it leaves for the drivers.
#include <gtest/gtest.h>

#include "search/search_thread.h"
#include "search_setup.h"

using namespace searchtest;

namespace {

// The position of the thread the drivers search with.
Position& pos = mainThread.pos;

const char* kTwoFivePoints = R"(
    ...............
    ...............
    ...............
    ...............
    ...............
    ...OOOO........
    ...............
    ...............
    ....XX.........
    .........X.....
    ...............)";

// Black's (7,7) makes a four and an open three at once.
const char* kFourThree = R"(
    ...............
    ...............
    ...............
    ...............
    ...............
    .......X.......
    .......X.......
    ...OXXX........
    ...............
    ...............
    ...............)";

const char* kMiddleGame = R"(
    ...............
    ...............
    ...............
    ...............
    ...............
    ......O........
    .....X.X.......
    ....X.XOX......
    .....O..O......
    ......O........
    ...............)";

std::vector<std::string> realtimeLines(const Capture& capture) {
    std::vector<std::string> out;
    for (const std::string& line : capture.lines())
        if (line.rfind("MESSAGE REALTIME", 0) == 0) out.push_back(line);
    return out;
}

}  // namespace

TEST(RootMessages, LosingFirstMoveSequenceWithClampedValueAndLose) {
    fixture::setup(pos, 0, kTwoFivePoints);
    Capture capture;
    prepare(8);
    settings.showDetail = 1;
    alphaBeta(mainThread, 8, -FULL_WINDOW, FULL_WINDOW, BLACK, 0);
    const std::vector<std::string> lines = realtimeLines(capture);
    ASSERT_GE(lines.size(), 8u);
    const std::vector<std::string> expected = {
        "MESSAGE REALTIME BEST 2,5", "MESSAGE REALTIME REFRESH",   "MESSAGE REALTIME POS 2,5",
        "MESSAGE REALTIME DONE 2,5", "MESSAGE REALTIME BEST 2,5",  "MESSAGE REALTIME VAL -10000",
        "MESSAGE REALTIME LOSE 2,5", "MESSAGE REALTIME PV [13F]",
    };
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << i;
    // Every move lost: the unsearched points near stones are reported lost as well.
    ASSERT_GT(lines.size(), expected.size());
    for (size_t i = expected.size(); i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].rfind("MESSAGE REALTIME LOSE ", 0), 0u) << lines[i];
        EXPECT_NE(lines[i], "MESSAGE REALTIME LOSE 2,5");
    }
    EXPECT_EQ(mainThread.root.onlyMoveFlag, 0);
}

TEST(RootMessages, WinningFirstMoveClampsValueAndFailsHighWithoutPv) {
    fixture::setup(pos, 0, kFourThree);
    Capture capture;
    prepare(8);
    settings.showDetail = 1;
    const int score = alphaBeta(mainThread, 8, -100, 100, BLACK, 0);
    EXPECT_EQ(score, 100) << "a fail high at the root returns beta";
    const std::vector<std::string> lines = realtimeLines(capture);
    const std::vector<std::string> expected = {
        "MESSAGE REALTIME BEST 7,7", "MESSAGE REALTIME REFRESH", "MESSAGE REALTIME POS 7,7",
        "MESSAGE REALTIME DONE 7,7", "MESSAGE REALTIME BEST 7,7", "MESSAGE REALTIME VAL 10000",
    };
    EXPECT_EQ(lines, expected);
}

TEST(RootMessages, FirstMoveRaisingAlphaWritesPvOfRootRow) {
    fixture::setup(pos, 0, kMiddleGame);
    Capture capture;
    prepare(8);
    settings.showDetail = 1;
    alphaBeta(mainThread, 8, -FULL_WINDOW, FULL_WINDOW, BLACK, 0);
    const std::vector<std::string> lines = realtimeLines(capture);
    ASSERT_GE(lines.size(), 7u);
    const std::string first = lines[0].substr(std::string("MESSAGE REALTIME BEST ").size());
    EXPECT_EQ(lines[0], "MESSAGE REALTIME BEST " + first);
    EXPECT_EQ(lines[1], "MESSAGE REALTIME REFRESH");
    EXPECT_EQ(lines[2], "MESSAGE REALTIME POS " + first);
    EXPECT_EQ(lines[3], "MESSAGE REALTIME DONE " + first);
    EXPECT_EQ(lines[4], "MESSAGE REALTIME BEST " + first);
    EXPECT_EQ(lines[5].rfind("MESSAGE REALTIME VAL ", 0), 0u);
    EXPECT_EQ(lines[6].rfind("MESSAGE REALTIME PV [", 0), 0u);
    // The PV starts with the first move, in board notation.
    int x = 0, y = 0;
    ASSERT_EQ(sscanf(first.c_str(), "%d,%d", &x, &y), 2);
    char expectedMove[16];
    snprintf(expectedMove, sizeof expectedMove, "[%d%c]", 15 - x, 'A' + y);
    EXPECT_EQ(lines[6].substr(std::string("MESSAGE REALTIME PV ").size(), strlen(expectedMove)), expectedMove);
    // REFRESH once per root call.
    int refresh = 0;
    for (const std::string& line : lines) refresh += line == "MESSAGE REALTIME REFRESH";
    EXPECT_EQ(refresh, 1);
}

TEST(RootMessages, NothingWrittenBelowDepthEightOrWithoutDetailYetResultsSet) {
    for (int variant = 0; variant < 2; ++variant) {
        fixture::setup(pos, 0, kTwoFivePoints);
        Capture capture;
        prepare(variant == 0 ? 7 : 8);
        settings.showDetail = variant == 0 ? 1 : 0;
        alphaBeta(mainThread, mainThread.control.rootDepth, -FULL_WINDOW, FULL_WINDOW, BLACK, 0);
        EXPECT_TRUE(Capture::text().empty()) << Capture::text();
        EXPECT_EQ(mainThread.root.bestX, 2);
        EXPECT_EQ(mainThread.root.bestY, 5);
    }
}

TEST(RootMessages, OnlyMoveFlagWhenExactlyOneMoveDoesNotLose) {
    // White's four needs the block at (7,5); any other move loses, the block does not.
    fixture::setup(pos, 0, R"(
        ...............
        ...............
        ...............
        ...............
        ...............
        ..XOOOO........
        ...............
        ...............
        ....X..........
        ...............)");
    searchRoot(3, BLACK);
    EXPECT_EQ(mainThread.root.bestX, 7);
    EXPECT_EQ(mainThread.root.bestY, 5);
    EXPECT_EQ(mainThread.root.onlyMoveFlag, 1);
    fixture::setup(pos, 0, kMiddleGame);
    searchRoot(3, BLACK);
    EXPECT_EQ(mainThread.root.onlyMoveFlag, 0);
}
