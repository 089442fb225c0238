// The value fit assumes the leaf evaluation moves by the features' weight when
// a table entry moves; a wrong set, colour or sign would fit the wrong entry.
#include "combo_features.h"

#include <gtest/gtest.h>

#include <cmath>

#include "board/combo_values.h"
#include "board/position.h"
#include "quiet_positions.h"
#include "support/position_fixture.h"
#include "threats/evaluate.h"
#include "threats/threat_thread.h"

namespace {

int evaluationAfter(int infoRule, const int (*stones)[2], int count, int side) {
    setUpBoard(infoRule, 15);
    ThreatThread& t = replayThread();
    for (int i = 0; i < count; ++i) makeMove(t.pos, stones[i][0], stones[i][1], i % 2 + 1);
    return evaluateLeaf(t, 0, side);
}

TEST(ComboFeatures, PredictTheEvaluationWhenAnEntryMoves) {
    const int stones[][2] = {{7, 7}, {8, 8}, {7, 8}, {9, 6}, {6, 9}, {5, 5}};
    const int count = 6;
    fixture::KeepComboValues keep;
    for (int infoRule : {0, 4}) {
        for (int side : {1, 2}) {
            // Black is to move after six stones, white after five.
            const int n = side == 1 ? count : count - 1;
            useFittedComboValues = false;
            forgetBoardSetUp();
            const int before = evaluationAfter(infoRule, stones, n, side);
            std::vector<ComboFeature> features;
            appendComboFeatures(replayThread(), side, features);
            ASSERT_FALSE(features.empty());
            comboValuesFromWeights(fittedComboValues);
            useFittedComboValues = true;
            for (const ComboFeature& f :
                 {features.front(), features[features.size() / 2], features.back()}) {
                int16_t& entry =
                    fittedComboValues.value[f.param / COMBO_MULTISETS][f.param % COMBO_MULTISETS];
                entry = static_cast<int16_t>(entry + 64);
                forgetBoardSetUp();
                const int moved = evaluationAfter(infoRule, stones, n, side) - before;
                entry = static_cast<int16_t>(entry - 64);
                // Each point's value is rounded on its own: a point or so each.
                EXPECT_NEAR(moved, 64 * f.weight, 2 + std::fabs(f.weight) * 2)
                    << "rule " << infoRule << " side " << side << " entry " << f.param;
            }
            useFittedComboValues = false;
            forgetBoardSetUp();
        }
    }
}

}  // namespace
