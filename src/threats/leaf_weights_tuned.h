#pragma once
// Placeholder until the tuner writes this file: the hand-set values.
#include "threats/leaf_weights_hand.h"

constexpr LeafWeights TUNED_LEAF_WEIGHTS[2] = {HAND_LEAF_WEIGHTS[0], HAND_LEAF_WEIGHTS[1]};
