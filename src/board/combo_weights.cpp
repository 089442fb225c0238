#include "board/combo_weights.h"

#include "board/combo_weights_hand.h"
#include "board/combo_weights_tuned.h"

#ifndef VODARO_TUNED_WEIGHTS
#define VODARO_TUNED_WEIGHTS 1
#endif

namespace {
constexpr const ComboWeights* DEFAULT_COMBO_WEIGHTS =
    VODARO_TUNED_WEIGHTS ? TUNED_COMBO_WEIGHTS : HAND_COMBO_WEIGHTS;
}

ComboWeights comboWeights[2] = {DEFAULT_COMBO_WEIGHTS[0], DEFAULT_COMBO_WEIGHTS[1]};
