#pragma once
// Records shared by the board model and everything above it.
#include <cstdint>

// Shape classes: what a colour would have in one line by playing a point.
enum ShapeClass : int {
    SHAPE_NONE = 0,
    SHAPE_ONE = 1,
    SHAPE_TWO_CLOSED = 2,
    SHAPE_TWO_WIDE = 3,
    SHAPE_TWO_SPLIT = 4,
    SHAPE_TWO_OPEN = 5,
    SHAPE_THREE_CLOSED = 6,
    SHAPE_THREE_SPLIT = 7,
    SHAPE_THREE_OPEN = 8,
    SHAPE_FOUR = 9,
    SHAPE_FOUR_PLUS = 10,
    SHAPE_FOUR_OPEN = 11,
    SHAPE_FIVE = 12,
    SHAPE_OVERLINE = 13,
};

// Eight 16-bit fields, each pair indexed by colour - 1.
// Pattern-table entries fill shape and room only. Per-point direction records
// (planes 0-3) use shape and room; the totals record (plane 4) uses all four:
// shape = weight sum, combo = combined value, room = room sum, value = weighted value.
struct ShapeInfo {
    int16_t shape[2];
    int16_t combo[2];
    int16_t room[2];
    int16_t value[2];
};
static_assert(sizeof(ShapeInfo) == 16);

// Learned move-order scores of one colour's classes at a point (board/order_scores.h).
struct OrderScorePair {
    int16_t own;  // the point's worth to this colour moving there
    int16_t opp;  // its worth to the other colour, whose opponent this one is
};

// One entry of a move list: sort key, then the point.
struct MoveEntry {
    int32_t key;
    int16_t x;
    int16_t y;
};
static_assert(sizeof(MoveEntry) == 8);

// Candidate-set kinds.
constexpr int SET_FIVE = 0;       // class 12 in some direction
constexpr int SET_OPEN_FOUR = 1;  // class 11
constexpr int SET_FOUR = 2;       // class 9 or 10
constexpr int SET_THREE = 3;      // class 7 or 8
constexpr int SET_STRONG = 4;     // weight sum >= 316

// Direction steps: 0 (0,+1), 1 (+1,0), 2 (-1,+1), 3 (+1,+1).
constexpr int DIR_DX[4] = {0, 1, -1, 1};
constexpr int DIR_DY[4] = {1, 0, 1, 1};
