// The combined values as the weights compute them: the plain class values,
// less the discount of the highest class, plus the bonus of two shapes that
// meet; black under Renju loses what its forbidden combinations would add up to.
#include "board/combo_values.h"

#include <algorithm>

#include "board/combo_values_fitted.h"
#include "board/combo_weights.h"
#include "board/rule.h"
#include "board/types.h"

#ifndef VODARO_TUNED_WEIGHTS
#define VODARO_TUNED_WEIGHTS 1
#endif

namespace {

int classValueSum(const ComboWeights& w, int a, int b, int c, int d) {
    return w.classValue[a] + w.classValue[b] + w.classValue[c] + w.classValue[d];
}

// The discount of the highest class and the bonus for exactly two shapes.
int generalCorrection(const ComboWeights& w, int a, int b, int c, int d) {
    int value = -w.topDiscount[a];
    if (c == 0 && d == 0) {
        if (b >= 1)
            value += 3 * w.pairFactor[a] * w.pairFactor[b] / 256;
        else if (a >= 1)
            value += 3 * w.pairFactor[a] / 256;
    }
    return value;
}

bool isFour(int k) {
    return k >= SHAPE_FOUR && k <= SHAPE_FOUR_OPEN;
}
bool isOpenThree(int k) {
    return k == SHAPE_THREE_SPLIT || k == SHAPE_THREE_OPEN;
}

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

ComboValueTable fittedComboValues = FITTED_COMBO_VALUES;
bool useFittedComboValues = VODARO_TUNED_WEIGHTS && HAVE_FITTED_COMBO_VALUES;

void classesOfKey(int key, int k[4]) {
    k[0] = key >> 12, k[1] = (key >> 8) & 15, k[2] = (key >> 4) & 15, k[3] = key & 15;
    std::sort(k, k + 4, [](int l, int r) { return l > r; });
}

int comboMultisetOfKey(int key) {
    int k[4];
    classesOfKey(key, k);
    return comboMultiset(k[0], k[1], k[2], k[3]);
}

int comboSetFor(int rule, int colour) {
    if (rule != RULE_RENJU) return COMBO_SET_COMMON;
    return colour == BLACK ? COMBO_SET_RENJU_BLACK : COMBO_SET_RENJU_WHITE;
}

int weightedComboValue(int set, int a, int b, int c, int d) {
    const ComboWeights& w = comboWeights[comboWeightSet(set != COMBO_SET_COMMON)];
    if (set == COMBO_SET_RENJU_BLACK) return renjuBlackCombined(w, a, b, c, d);
    return classValueSum(w, a, b, c, d) + generalCorrection(w, a, b, c, d);
}

void comboValuesFromWeights(ComboValueTable& out) {
    for (int a = 0; a < 16; ++a)
        for (int b = 0; b <= a; ++b)
            for (int c = 0; c <= b; ++c)
                for (int d = 0; d <= c; ++d)
                    for (int set = 0; set < COMBO_SETS; ++set)
                        out.value[set][comboMultiset(a, b, c, d)] =
                            static_cast<int16_t>(weightedComboValue(set, a, b, c, d));
}
