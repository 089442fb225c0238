// Random stones after an opening: they must leave a game that is still on,
// never hand black a forbidden point under Renju, and repeat for a variety.
#include <gtest/gtest.h>

#include <vector>

#include "selfplay/game.h"

namespace {

TEST(RandomStones, NeverWinNorForbiddenAndRepeatable) {
    // Black holds an open three on y = 7 and one on x = 7 that cross at (7, 7)
    // with the point (7, 7) free: a double three, forbidden for black. Black
    // also has a four on y = 3, whose completion would win.
    const std::vector<Point> opening = {{5, 7}, {0, 0},  {6, 7}, {0, 2},  {7, 5}, {0, 4},
                                        {7, 6}, {0, 6},  {3, 3}, {0, 8},  {4, 3}, {0, 10},
                                        {5, 3}, {0, 12}, {6, 3}, {14, 14}};
    for (unsigned variety = 0; variety < 200; ++variety) {
        RefBoard board;
        board.reset(15, 15);
        std::vector<Point> record;
        for (size_t i = 0; i < opening.size(); ++i) {
            board.put(opening[i].x, opening[i].y, static_cast<int>(i % 2) + 1);
            record.push_back(opening[i]);
        }
        RefBoard before = board;
        addRandomStones(board, record, Rule::Renju, 3, variety);
        ASSERT_EQ(record.size(), opening.size() + 3);
        for (size_t i = opening.size(); i < record.size(); ++i) {
            const int colour = static_cast<int>(i % 2) + 1;
            const Point p = record[i];
            if (colour == REF_BLACK) {
                EXPECT_FALSE(renjuForbidden(before, p.x, p.y)) << p.x << "," << p.y;
            }
            EXPECT_FALSE(makesWin(before, p.x, p.y, colour, Rule::Renju)) << p.x << "," << p.y;
            before.put(p.x, p.y, colour);
        }
        RefBoard again;
        again.reset(15, 15);
        std::vector<Point> same;
        for (size_t i = 0; i < opening.size(); ++i) {
            again.put(opening[i].x, opening[i].y, static_cast<int>(i % 2) + 1);
            same.push_back(opening[i]);
        }
        addRandomStones(again, same, Rule::Renju, 3, variety);
        for (size_t i = 0; i < record.size(); ++i)
            EXPECT_TRUE(record[i].x == same[i].x && record[i].y == same[i].y);
    }
}

}  // namespace
