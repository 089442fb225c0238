// The combination tables: one correction per multiset of four direction classes,
// added to the plain weight sum of a point. It rewards shapes that meet at one
// point and, for black under Renju, punishes the forbidden combinations.
//
// The tables are built from the combination weights as the point's whole
// combined value less its plain weight sum, so that the incremental records,
// which add the weight sum they keep anyway, end with the weighted value.
#include <algorithm>

#include "board/combo_weights.h"
#include "board/geometry.h"
#include "board/pattern_table.h"

namespace {

int classValueSum(const ComboWeights& w, int a, int b, int c, int d) {
    return w.classValue[a] + w.classValue[b] + w.classValue[c] + w.classValue[d];
}

// The discount of the highest class and the bonus for exactly two shapes.
int generalCorrection(const ComboWeights& w, int a, int b, int c, int d) {
    int value = -w.topDiscount[a];
    if (c == 0 && d == 0) {
        if (b >= 1) value += 3 * w.pairFactor[a] * w.pairFactor[b] / 256;
        else if (a >= 1) value += 3 * w.pairFactor[a] / 256;
    }
    return value;
}

bool isFour(int k) { return k >= SHAPE_FOUR && k <= SHAPE_FOUR_OPEN; }
bool isOpenThree(int k) { return k == SHAPE_THREE_SPLIT || k == SHAPE_THREE_OPEN; }

// Black under Renju: overlines, double fours and double threes are forbidden,
// so such points lose the value their shapes would otherwise add up to.
int renjuBlackCombined(const ComboWeights& w, int a, int b, int c, int d) {
    const int k[4] = {a, b, c, d};
    const int values = classValueSum(w, a, b, c, d);
    int openFours = 0, fours = 0, threes = 0;
    for (int v : k) {
        openFours += v == SHAPE_FOUR_OPEN;
        fours += isFour(v);
        threes += isOpenThree(v);
    }
    if (a == SHAPE_OVERLINE) {
        if (b == SHAPE_FIVE || c == SHAPE_FIVE || d == SHAPE_FIVE) return values;
        int openFoursBelow =
            (b == SHAPE_FOUR_OPEN) + (c == SHAPE_FOUR_OPEN) + (d == SHAPE_FOUR_OPEN);
        if (openFoursBelow > 0) return values - w.overlineOpenFour * openFoursBelow;
        return w.classValue[a];
    }
    if (fours >= 2 && a != SHAPE_FIVE)
        return w.fourFourOpen * openFours + w.fourFourOther * (fours - openFours);
    if (threes >= 2) return fours > 0 ? 0 : values - w.topDiscount[a] - w.threeThree;
    return values + generalCorrection(w, a, b, c, d);
}

}  // namespace

int comboValue(int t, int a, int b, int c, int d) {
    const bool renju = geometry.rule == RULE_RENJU;
    const ComboWeights& w = comboWeights[comboWeightSet(renju)];
    const int weights = shapeWeight[a] + shapeWeight[b] + shapeWeight[c] + shapeWeight[d];
    if (t == 0 && renju) return renjuBlackCombined(w, a, b, c, d) - weights;
    return classValueSum(w, a, b, c, d) + generalCorrection(w, a, b, c, d) - weights;
}

void buildComboTables() {
    for (int index = 0; index < 65536; ++index) {
        int k[4] = {index >> 12, (index >> 8) & 15, (index >> 4) & 15, index & 15};
        std::sort(k, k + 4, [](int l, int r) { return l > r; });
        for (int t = 0; t < 2; ++t)
            tables.comboTable[t][index] = static_cast<int16_t>(comboValue(t, k[0], k[1], k[2], k[3]));
    }
}
