#pragma once
// The hand-set leaf evaluation weights.
#include "threats/leaf_weights.h"

constexpr LeafWeights HAND_LEAF_WEIGHT_SET = {20, 20, 1, 2, 100, 100, 200, 120, 50, 200, 200, 60};

constexpr LeafWeights HAND_LEAF_WEIGHTS[2] = {HAND_LEAF_WEIGHT_SET, HAND_LEAF_WEIGHT_SET};
