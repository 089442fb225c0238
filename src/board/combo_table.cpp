// The combination tables: one correction per multiset of four direction classes,
// added to the plain weight sum of a point. It rewards shapes that meet at one
// point and, for black under Renju, punishes the forbidden combinations.
#include <algorithm>

#include "board/geometry.h"
#include "board/pattern_table.h"

namespace {

// Discount of the highest class (the weight sum already counts it in full).
constexpr int TOP_DISCOUNT[16] = {0, 2, 4, 4, 5, 8, 21, 108, 125, 196, 196, 411, 1947, 0, 0, 0};
// Factors of the bonus for exactly two shapes at a point.
constexpr int PAIR_FACTOR[16] = {3, 5, 4, 16, 16, 16, 16, 36, 36, 36, 40, 128, 256, 0, 0, 0};

int generalValue(int a, int b, int c, int d) {
    int value = -TOP_DISCOUNT[a];
    if (c == 0 && d == 0) {
        if (b >= 1) value += 3 * PAIR_FACTOR[a] * PAIR_FACTOR[b] / 256;
        else if (a >= 1) value += 3 * PAIR_FACTOR[a] / 256;
    }
    return value;
}

bool isFour(int k) { return k >= SHAPE_FOUR && k <= SHAPE_FOUR_OPEN; }
bool isOpenThree(int k) { return k == SHAPE_THREE_SPLIT || k == SHAPE_THREE_OPEN; }

// Black under Renju: overlines, double fours and double threes are forbidden,
// so such points lose the value their shapes would otherwise add up to.
int renjuBlackValue(int a, int b, int c, int d) {
    const int k[4] = {a, b, c, d};
    int weights = shapeWeight[a] + shapeWeight[b] + shapeWeight[c] + shapeWeight[d];
    int openFours = 0, fours = 0, threes = 0;
    for (int v : k) {
        openFours += v == SHAPE_FOUR_OPEN;
        fours += isFour(v);
        threes += isOpenThree(v);
    }
    if (a == SHAPE_OVERLINE) {
        if (b == SHAPE_FIVE || c == SHAPE_FIVE || d == SHAPE_FIVE) return 0;
        int openFoursBelow = (b == SHAPE_FOUR_OPEN) + (c == SHAPE_FOUR_OPEN) + (d == SHAPE_FOUR_OPEN);
        if (openFoursBelow > 0) return -255 * openFoursBelow;
        return -(shapeWeight[b] + shapeWeight[c] + shapeWeight[d]);
    }
    if (fours >= 2 && a != SHAPE_FIVE) return 256 * openFours + 64 * (fours - openFours) - weights;
    if (threes >= 2) return fours > 0 ? -weights : -TOP_DISCOUNT[a] - 158;
    return generalValue(a, b, c, d);
}

}  // namespace

int comboValue(int t, int a, int b, int c, int d) {
    if (t == 0 && geometry.rule == RULE_RENJU) return renjuBlackValue(a, b, c, d);
    return generalValue(a, b, c, d);
}

void buildComboTables() {
    for (int index = 0; index < 65536; ++index) {
        int k[4] = {index >> 12, (index >> 8) & 15, (index >> 4) & 15, index & 15};
        std::sort(k, k + 4, [](int l, int r) { return l > r; });
        for (int t = 0; t < 2; ++t)
            tables.comboTable[t][index] = static_cast<int16_t>(comboValue(t, k[0], k[1], k[2], k[3]));
    }
}
