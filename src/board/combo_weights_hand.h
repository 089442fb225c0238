#pragma once
// The hand-set combination weights: the class values equal the shape weights,
// so the combination table is a pure correction of the plain weight sum.
#include "board/combo_weights.h"

constexpr ComboWeights HAND_COMBO_WEIGHT_SET = {
    {0, 1, 2, 6, 7, 10, 23, 158, 175, 256, 256, 511, 2047, 0, 0, 0},
    {0, 2, 4, 4, 5, 8, 21, 108, 125, 196, 196, 411, 1947, 0, 0, 0},
    {3, 5, 4, 16, 16, 16, 16, 36, 36, 36, 40, 128, 256, 0, 0, 0},
    255,
    256,
    64,
    158,
};

constexpr ComboWeights HAND_COMBO_WEIGHTS[2] = {HAND_COMBO_WEIGHT_SET, HAND_COMBO_WEIGHT_SET};
