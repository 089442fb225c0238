#pragma once
// The pair list of the balance driver: candidate pairs (a move of the side to
// move, then one of its opponent) near the stones, ranked by how even the
// position is after both.
#include <cstdint>

struct BalancePair {
    int32_t value;   // |score| of the pair's latest evaluation or search, >= 0
    int16_t x1, y1;  // the side to move's move
    int16_t x2, y2;  // the opponent's reply
};
static_assert(sizeof(BalancePair) == 12);

// Every ordered pair of points of a 20 by 20 board fits.
constexpr int BALANCE_CAPACITY = 160000;

extern BalancePair balancePairs[BALANCE_CAPACITY];

// Builds the list for colour on the current board and scores each pair by the
// static evaluation; returns the number of pairs. The board is left unchanged.
int buildPairList(int colour);

// Sorts the first n pairs by value, ascending.
void sortPairs(int n);

// How many pairs the next iteration keeps after the iteration of depth d:
// long lists are capped and then cut by 0.6, short lists with an even front
// pair are trimmed slowly. Never more than n.
int thinnedCount(int n, int depth, int frontValue);
