// Random Renju positions judged twice: by the engine's forbidden test and by a
// deliberately plain judge written here from the rule itself, which scans the
// lines of a private board with trial stones and knows nothing of shape classes.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>
#include <string>

#include "board/geometry.h"
#include "board/position.h"
#include "rules/forbidden.h"
#include "rules/position_snapshot.h"
#include "support/position_fixture.h"

namespace {

// The position these tests build and change.
Position pos;

constexpr int STEP_X[4] = {0, 1, -1, 1};
constexpr int STEP_Y[4] = {1, 0, 1, 1};

// The rule as a Renju player states it, for black:
// - exactly five wins and is never forbidden;
// - otherwise six or more in a row is forbidden;
// - a four is a set of four stones (in one line, with the new stone) that one
//   more stone turns into exactly five; two fours are forbidden, also in one line;
// - a three is a line in which one more stone makes a straight four (four in a
//   row whose both completions are exactly five), with that stone itself not
//   forbidden at that moment; two threes are forbidden. A line holding a four
//   is not a three.
struct PlainJudge {
    int size = 15;
    int cell[15][15] = {};

    bool on(int x, int y) const { return x >= 0 && y >= 0 && x < size && y < size; }
    bool black(int x, int y) const { return on(x, y) && cell[x][y] == 1; }
    bool empty(int x, int y) const { return on(x, y) && cell[x][y] == 0; }

    // Length of the black run through the black stone (x, y) along d; its first point in start.
    int run(int x, int y, int d, int& startOffset) const {
        int back = 0, ahead = 0;
        while (black(x - (back + 1) * STEP_X[d], y - (back + 1) * STEP_Y[d])) ++back;
        while (black(x + (ahead + 1) * STEP_X[d], y + (ahead + 1) * STEP_Y[d])) ++ahead;
        startOffset = -back;
        return back + ahead + 1;
    }
    int run(int x, int y, int d) const {
        int s;
        return run(x, y, d, s);
    }

    // Fours through the stone at (x, y) in line d: the distinct four-stone sets
    // that an empty point of the line completes to exactly five.
    int fours(int x, int y, int d) {
        std::set<int> stoneSets;
        for (int k = -5; k <= 5; ++k) {
            int qx = x + k * STEP_X[d], qy = y + k * STEP_Y[d];
            if (k == 0 || !empty(qx, qy)) continue;
            cell[qx][qy] = 1;
            int start;
            int len = run(qx, qy, d, start);
            // The five must hold (x, y): its span in offsets from (x, y) is k+start .. k+start+4.
            if (len == 5 && k + start <= 0 && 0 <= k + start + 4) {
                int mask = 0;
                for (int j = 0; j < 5; ++j)
                    if (k + start + j != k) mask |= 1 << (k + start + j + 5);
                stoneSets.insert(mask);
            }
            cell[qx][qy] = 0;
        }
        return static_cast<int>(stoneSets.size());
    }

    // Exactly five when black plays the empty (x, y) in line d.
    bool completesFive(int x, int y, int d) {
        if (!empty(x, y)) return false;
        cell[x][y] = 1;
        bool five = run(x, y, d) == 5;
        cell[x][y] = 0;
        return five;
    }

    // Some empty point of line d makes, with the stone at (x, y), a straight
    // four, and black may play that point.
    bool three(int x, int y, int d) {
        for (int k = -4; k <= 4; ++k) {
            int qx = x + k * STEP_X[d], qy = y + k * STEP_Y[d];
            if (k == 0 || !empty(qx, qy)) continue;
            cell[qx][qy] = 1;
            int start;
            bool straight = false;
            if (run(qx, qy, d, start) == 4 && k + start <= 0 && 0 <= k + start + 3) {
                int ax = qx + (start - 1) * STEP_X[d], ay = qy + (start - 1) * STEP_Y[d];
                int bx = qx + (start + 4) * STEP_X[d], by = qy + (start + 4) * STEP_Y[d];
                straight = completesFive(ax, ay, d) && completesFive(bx, by, d);
            }
            cell[qx][qy] = 0;
            if (straight && !forbidden(qx, qy, x, y)) return true;
        }
        return false;
    }

    // Forbidden for black at the empty (x, y); (sx, sy) is the stone already
    // placed on the way here (only for the record: it is on the board).
    bool forbidden(int x, int y, int = -1, int = -1) {
        if (!empty(x, y)) return false;
        cell[x][y] = 1;
        bool five = false, longLine = false;
        for (int d = 0; d < 4; ++d) {
            int len = run(x, y, d);
            five = five || len == 5;
            longLine = longLine || len > 5;
        }
        bool result = false;
        if (!five) {
            if (longLine) {
                result = true;
            } else {
                int fourCount = 0, threeCount = 0;
                bool hasFour[4];
                for (int d = 0; d < 4; ++d) {
                    int f = fours(x, y, d);
                    hasFour[d] = f > 0;
                    fourCount += f;
                }
                if (fourCount >= 2) {
                    result = true;
                } else {
                    for (int d = 0; d < 4 && threeCount < 2; ++d)
                        if (!hasFour[d] && three(x, y, d)) ++threeCount;
                    result = threeCount >= 2;
                }
            }
        }
        cell[x][y] = 0;
        return result;
    }
};

std::string drawing(const PlainJudge& j) {
    std::ostringstream out;
    for (int y = 0; y < j.size; ++y) {
        for (int x = 0; x < j.size; ++x) out << ".XO#"[j.cell[x][y]];
        out << '\n';
    }
    return out.str();
}

// A crowded random position: stones gather in a random window so that threes
// and fours (and their interplay) are common; the window often touches an edge.
void randomPosition(std::mt19937& rng, PlainJudge& judge) {
    auto below = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    int w = 5 + below(7), h = 5 + below(7);
    int x0 = below(15 - w + 1), y0 = below(15 - h + 1);
    int stones = w * h * (25 + below(30)) / 100;
    int blackShare = 50 + below(25);
    for (int i = 0; i < stones; ++i) {
        int x = x0 + below(w), y = y0 + below(h);
        if (judge.cell[x][y] != 0) continue;
        judge.cell[x][y] = below(100) < blackShare ? 1 : 2;
    }
}

TEST(ForbiddenRandomTest, AgreesWithPlainJudgeAndLeavesPositionAlone) {
    std::mt19937 rng(20261207);
    int points = 0, forbiddenPoints = 0, disagreements = 0;
    fixture::newBoard(pos, 2);
    for (int game = 0; game < 1500; ++game) {
        PlainJudge judge;
        randomPosition(rng, judge);
        resetBoard(pos);
        for (int x = 0; x < 15; ++x)
            for (int y = 0; y < 15; ++y)
                if (judge.cell[x][y] != 0) makeMove(pos, x, y, judge.cell[x][y]);
        for (int x = 0; x < 15; ++x) {
            for (int y = 0; y < 15; ++y) {
                snapshot::Snapshot before = snapshot::take(pos);
                int engine = isForbidden(pos, x, y);
                const char* changed = snapshot::difference(before, snapshot::take(pos));
                ASSERT_EQ(changed, nullptr)
                    << "isForbidden(pos, " << x << ", " << y << ") changed " << changed << " in\n"
                    << drawing(judge);
                int plain = judge.forbidden(x, y) ? 1 : 0;
                ++points;
                forbiddenPoints += plain;
                if (engine != plain && ++disagreements <= 5)
                    ADD_FAILURE() << "(" << x << ", " << y << "): engine " << engine << ", plain judge " << plain
                                  << " in\n" << drawing(judge);
            }
        }
    }
    EXPECT_EQ(disagreements, 0);
    RecordProperty("forbiddenPoints", forbiddenPoints);
    // The positions must actually exercise the rule.
    EXPECT_GT(forbiddenPoints, points / 200) << forbiddenPoints << " of " << points;
}

}  // namespace
