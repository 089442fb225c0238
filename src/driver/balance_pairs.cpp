#include "driver/balance_pairs.h"

#include <algorithm>
#include <cstdlib>

#include "board/geometry.h"
#include "board/position.h"
#include "core/game_state.h"
#include "search/search_thread.h"
#include "threats/evaluate.h"

BalancePair balancePairs[BALANCE_CAPACITY];

namespace {

// Radius, in both coordinates, of the neighbourhood a pair is drawn from.
constexpr int NEAR = 3;

// near[x][y] = 1: an empty point within NEAR steps of an occupied point
// (stones and blocked points alike).
struct NearMarks {
    uint8_t near[MAX_SIDE][MAX_SIDE];
};

void markNear(NearMarks& marks) {
    Position& pos = mainThread.pos;
    const int sx = geometry.sizeX;
    const int sy = geometry.sizeY;
    for (int x = 0; x < MAX_SIDE; ++x)
        for (int y = 0; y < MAX_SIDE; ++y) marks.near[x][y] = 0;
    for (int i = 0; i < sx; ++i) {
        for (int j = 0; j < sy; ++j) {
            if (pos.board[i][j] == EMPTY) continue;
            for (int r = std::max(0, i - NEAR); r <= std::min(sx - 1, i + NEAR); ++r)
                for (int c = std::max(0, j - NEAR); c <= std::min(sy - 1, j + NEAR); ++c)
                    if (pos.board[r][c] == EMPTY) marks.near[r][c] = 1;
        }
    }
}

// A pair is listed when at least two of four conditions hold: the points lie
// close together, the first is near a stone, the second is near a stone, the
// game has no stone yet.
bool pairWanted(const NearMarks& marks, int i, int j, int k, int l) {
    int held = 0;
    if (std::abs(i - k) <= NEAR && std::abs(j - l) <= NEAR) ++held;
    if (marks.near[i][j]) ++held;
    if (marks.near[k][l]) ++held;
    if (game.recordLength == 0) ++held;
    return held >= 2;
}

}  // namespace

int buildPairList(int colour) {
    Position& pos = mainThread.pos;
    static NearMarks marks;
    markNear(marks);
    const int opponent = colour ^ 3;
    const int sx = geometry.sizeX;
    const int sy = geometry.sizeY;
    int n = 0;
    for (int i = 0; i < sx; ++i) {
        for (int j = 0; j < sy; ++j) {
            if (pos.board[i][j] != EMPTY) continue;
            makeMove(pos, i, j, colour);
            for (int k = 0; k < sx; ++k) {
                for (int l = 0; l < sy; ++l) {
                    if (pos.board[k][l] != EMPTY || !pairWanted(marks, i, j, k, l)) continue;
                    if (n >= BALANCE_CAPACITY) continue;  // cannot happen on a 20 by 20 board
                    makeMove(pos, k, l, opponent);
                    const int v = evaluateLeaf(mainThread, 0, colour);
                    unmakeMove(pos, k, l, opponent);
                    balancePairs[n++] = {std::abs(v), static_cast<int16_t>(i),
                                         static_cast<int16_t>(j), static_cast<int16_t>(k),
                                         static_cast<int16_t>(l)};
                }
            }
            unmakeMove(pos, i, j, colour);
        }
    }
    return n;
}

void sortPairs(int n) {
    std::sort(balancePairs, balancePairs + n,
              [](const BalancePair& a, const BalancePair& b) { return a.value < b.value; });
}

int thinnedCount(int n, int depth, int frontValue) {
    if (n >= 32) {
        static constexpr int CAPS[5] = {0, 1024, 512, 256, 128};
        if (depth >= 1 && depth <= 4) return std::min(n, CAPS[depth]);
        const int cut = static_cast<int>(static_cast<double>(n) * 0.6);
        return std::min(n, std::max(cut, 31));
    }
    if (frontValue > 16) return n;
    if (n > 16) return n - 3;
    if (n >= 9) return n - 2;
    if (n >= 5) return n - 1;
    return n;
}
