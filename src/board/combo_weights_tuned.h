#pragma once
// Placeholder until the tuner writes this file: the hand-set values.
#include "board/combo_weights_hand.h"

constexpr ComboWeights TUNED_COMBO_WEIGHTS[2] = {HAND_COMBO_WEIGHTS[0], HAND_COMBO_WEIGHTS[1]};
