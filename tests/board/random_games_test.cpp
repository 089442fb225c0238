// Random games checked against a from-scratch recount after every make and
// every unmake: catches incremental-update faults that hand-made positions miss.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <random>
#include <vector>

#include "board/geometry.h"
#include "board/position.h"
#include "support/position_fixture.h"

namespace {

// The position these tests build and change.
Position pos;

struct Snapshot {
    int board[MAX_SIDE][MAX_SIDE];
    uint64_t lines[4][2 * MAX_SIDE];
    uint64_t hashKey;
    int moveCount;
};

Snapshot take() {
    Snapshot s{};
    std::memcpy(s.board, pos.board, sizeof s.board);
    std::memcpy(s.lines[0], pos.lineBits0, sizeof pos.lineBits0);
    std::memcpy(s.lines[1], pos.lineBits1, sizeof pos.lineBits1);
    std::memcpy(s.lines[2], pos.lineBits2, sizeof pos.lineBits2);
    std::memcpy(s.lines[3], pos.lineBits3, sizeof pos.lineBits3);
    s.hashKey = pos.hashKey;
    s.moveCount = pos.moveCount;
    return s;
}

bool same(const Snapshot& a, const Snapshot& b) {
    return std::memcmp(a.board, b.board, sizeof a.board) == 0 && std::memcmp(a.lines, b.lines, sizeof a.lines) == 0 &&
           a.hashKey == b.hashKey && a.moveCount == b.moveCount;
}

struct Game {
    std::mt19937 rng;
    std::vector<fixture::Stone> made;
    int colour = 1;
    int checks = 0;

    explicit Game(unsigned seed) : rng(seed) {}

    int below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

    bool check(const char* what, bool strongSet = true) {
        char why[256] = "";
        ++checks;
        bool ok = checkConsistency(pos, why, sizeof why, strongSet);
        EXPECT_TRUE(ok) << what << " after " << made.size() << " moves: " << why;
        return ok;
    }

    // A random empty point, mostly next to earlier stones so that real shapes
    // (fours, fives, long lines) arise.
    bool pickPoint(int& x, int& y) {
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (!made.empty() && below(4) != 0) {
                const fixture::Stone& s = made[below(static_cast<int>(made.size()))];
                x = s.x + below(5) - 2;
                y = s.y + below(5) - 2;
            } else {
                x = below(geometry.sizeX);
                y = below(geometry.sizeY);
            }
            if (onBoard(x, y) && pos.board[x][y] == EMPTY) return true;
        }
        for (x = 0; x < geometry.sizeX; ++x)
            for (y = 0; y < geometry.sizeY; ++y)
                if (pos.board[x][y] == EMPTY) return true;
        return false;
    }

    bool make(int code) {
        int x, y;
        if (!pickPoint(x, y)) return false;
        makeMove(pos, x, y, code);
        made.push_back({x, y, code});
        return check("make");
    }

    bool unmakeLast() {
        fixture::Stone s = made.back();
        made.pop_back();
        unmakeMove(pos, s.x, s.y, s.code);
        return check("unmake");
    }

    // A trial stone leaves the strong-point set alone while it stands.
    bool trial() {
        int x, y;
        if (!pickPoint(x, y)) return true;
        makeMoveKeepingNoStrongSet(pos, x, y, colour);
        bool ok = check("trial make", false);
        unmakeMoveKeepingNoStrongSet(pos, x, y, colour);
        return ok && check("trial unmake");
    }

    // Plays until the board is full or `length` steps were taken, with random
    // take-backs, blocked points and trial stones along the way.
    bool play(int length) {
        for (int step = 0; step < length; ++step) {
            int r = below(100);
            bool ok = true;
            if (r < 12 && !made.empty()) ok = unmakeLast();
            else if (r < 15) ok = make(BLOCKED);
            else if (r < 20) ok = trial();
            else {
                if (!make(colour)) break;
                colour ^= 3;
            }
            if (!ok) return false;
        }
        return true;
    }

    bool unwind() {
        while (!made.empty())
            if (!unmakeLast()) return false;
        return true;
    }
};

struct Shape {
    int rule, sizeX, sizeY, games, length;
};

void PrintTo(const Shape& s, std::ostream* out) {
    *out << "rule " << s.rule << " " << s.sizeX << "x" << s.sizeY;
}

void runGames(const Shape& shape) {
    fixture::newBoard(pos, shape.rule, shape.sizeX, shape.sizeY);
    const Snapshot empty = take();
    for (int g = 0; g < shape.games; ++g) {
        resetBoard(pos);
        ASSERT_TRUE(same(take(), empty));
        Game game(static_cast<unsigned>(1000 * shape.rule + 31 * shape.sizeX + shape.sizeY + 7919 * g));
        ASSERT_TRUE(game.check("reset"));
        ASSERT_TRUE(game.play(shape.length));
        ASSERT_TRUE(game.unwind());
        EXPECT_TRUE(same(take(), empty)) << "unwinding did not restore the empty board";
    }
}

class RandomGames : public ::testing::TestWithParam<Shape> {};

TEST_P(RandomGames, RecordsAgreeWithARecount) { runGames(GetParam()); }

INSTANTIATE_TEST_SUITE_P(AllRulesAndSizes, RandomGames,
                         ::testing::Values(Shape{0, 15, 15, 6, 260}, Shape{1, 15, 15, 6, 260},
                                           Shape{2, 15, 15, 6, 260}, Shape{0, 20, 20, 3, 450},
                                           Shape{1, 20, 20, 3, 450}, Shape{2, 20, 20, 3, 450},
                                           Shape{0, 10, 15, 4, 200}, Shape{1, 20, 7, 4, 200},
                                           Shape{2, 6, 13, 4, 120}, Shape{1, 5, 5, 6, 40},
                                           Shape{2, 20, 1, 3, 30}, Shape{3, 15, 15, 6, 260},
                                           Shape{3, 20, 20, 3, 450}, Shape{3, 13, 9, 4, 200}),
                         [](const auto& info) {
                             const Shape& s = info.param;
                             return "rule" + std::to_string(s.rule) + "_" + std::to_string(s.sizeX) + "x" +
                                    std::to_string(s.sizeY);
                         });

}  // namespace
