// The positions the tuner learns from: read from a match log line, replayed on
// the engine's board, kept only while quiet, labelled for the side to move.
#include "quiet_positions.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "labelled_position.h"

namespace {

// Black builds a column at x = 7 while white plays far away on x = 0: stone 7
// (7,10) makes an open four, stone 9 (7,11) the five.
const char* const COLUMN_GAME =
    "game 3\topening freestyle15_piskvork_A#2\trule 0\tsize 15\tblack a\twhite b\tresult "
    "1-0\tfault -\t"
    "stones 7,7 0,0 7,8 0,2 7,9 0,4 7,10 0,6 7,11 ";

LoggedGame parsed(const std::string& line) {
    LoggedGame g;
    EXPECT_TRUE(parseLoggedGame(line, g));
    return g;
}

TEST(QuietPositions, KeepsPositionsUntilAFivePointAppearsLabelledForTheSideToMove) {
    const LoggedGame g = parsed(COLUMN_GAME);
    ASSERT_EQ(g.winner, 1);
    ASSERT_EQ(g.stones.size(), 9u);
    std::vector<LabelledPosition> kept = quietPositions(g, 5, QuietFilter{0});
    // After 7 stones black has five points (white to move must block), after 8
    // black to move has them itself: neither is quiet. Before that all are.
    ASSERT_EQ(kept.size(), 7u);
    for (size_t n = 0; n < kept.size(); ++n) {
        EXPECT_EQ(kept[n].stones.size(), n);
        EXPECT_EQ(kept[n].result, n % 2 == 0 ? 1.0 : 0.0)
            << "black won; black moves after an even count";
        EXPECT_EQ(kept[n].game, 5);
        EXPECT_EQ(kept[n].infoRule, 0);
    }
    EXPECT_EQ(quietPositions(g, 5, QuietFilter{4}).size(), 3u);
}

// From a self-play game (free-style 15x15). After 8 to 10 stones neither
// colour wins by fours, and the old filter keeps every position up to 12.
// After 11 stones (white to move) black would win by fours were white to pass;
// after 12 black to move wins by fours (5,9 makes an open four of the row 6,9
// 7,9 8,9) although the evaluation reads only a modest lead.
const char* const THREE_GAME =
    "game 96\topening x\trule 0\tsize 15\tblack a\twhite b\tresult 1-0\tfault -\t"
    "stones 7,7 8,8 7,8 7,5 6,9 10,9 8,7 9,6 8,9 6,7 7,9 7,10 0,0 ";

std::vector<size_t> stoneCounts(const std::vector<LabelledPosition>& kept) {
    std::vector<size_t> counts;
    for (const LabelledPosition& p : kept) counts.push_back(p.stones.size());
    return counts;
}

TEST(QuietPositions, DroppingFourWinsLeavesOutWinsOfEitherColourOnly) {
    const LoggedGame g = parsed(THREE_GAME);
    EXPECT_EQ(stoneCounts(quietPositions(g, 1, QuietFilter{8, false})),
              (std::vector<size_t>{8, 9, 10, 11, 12}));
    // 11: black wins by fours after a white pass; 12: black to move wins by fours.
    EXPECT_EQ(stoneCounts(quietPositions(g, 1, QuietFilter{8, true})),
              (std::vector<size_t>{8, 9, 10}));
}

TEST(QuietPositions, DrawsAreHalfAndAbandonedGamesGiveNothing) {
    std::string drawn = COLUMN_GAME;
    drawn.replace(drawn.find("result 1-0"), 10, "result 1/2-1/2");
    for (const LabelledPosition& p : quietPositions(parsed(drawn), 1, QuietFilter{0}))
        EXPECT_EQ(p.result, 0.5);
    std::string abandoned = COLUMN_GAME;
    abandoned.replace(abandoned.find("result 1-0"), 10, "result *");
    EXPECT_TRUE(quietPositions(parsed(abandoned), 1, QuietFilter{0}).empty());
}

TEST(QuietPositions, WrittenPositionsReadBack) {
    LabelledPosition p;
    p.infoRule = 4;
    p.size = 15;
    p.result = 0.5;
    p.game = 42;
    p.stones = {{7, 7}, {8, 6}, {19, 0}};
    std::ostringstream out;
    writePosition(out, p);
    LabelledPosition back;
    std::string error;
    ASSERT_TRUE(parsePosition(out.str(), back, error)) << error;
    EXPECT_EQ(back.infoRule, 4);
    EXPECT_EQ(back.result, 0.5);
    EXPECT_EQ(back.game, 42);
    ASSERT_EQ(back.stones.size(), 3u);
    EXPECT_EQ(back.stones[2].x, 19);
    EXPECT_FALSE(parsePosition("0 15 0.7 1 7,7", back, error)) << "a result is 0, 0.5 or 1";
}

}  // namespace
