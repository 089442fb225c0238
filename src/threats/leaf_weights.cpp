#include "threats/leaf_weights.h"

#include "threats/leaf_weights_hand.h"
#include "threats/leaf_weights_tuned.h"

#ifndef VODARO_TUNED_WEIGHTS
#define VODARO_TUNED_WEIGHTS 1
#endif

namespace {
constexpr const LeafWeights* DEFAULT_LEAF_WEIGHTS =
    VODARO_TUNED_WEIGHTS ? TUNED_LEAF_WEIGHTS : HAND_LEAF_WEIGHTS;
}

LeafWeights leafWeights[2] = {DEFAULT_LEAF_WEIGHTS[0], DEFAULT_LEAF_WEIGHTS[1]};
