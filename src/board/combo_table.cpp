// The combination tables: one correction per ordering of four direction
// classes, added to the plain weight sum of a point. It rewards shapes that
// meet at one point and, for black under Renju, punishes the forbidden
// combinations.
//
// The tables hold the point's whole combined value (board/combo_values.h) less
// its plain weight sum, so that the incremental records, which add the weight
// sum they keep anyway, end with the combined value.
#include "board/combo_values.h"
#include "board/geometry.h"
#include "board/pattern_table.h"

int comboValue(int t, int a, int b, int c, int d) {
    const int set = comboSetFor(geometry.rule, t + 1);
    const int weights = shapeWeight[a] + shapeWeight[b] + shapeWeight[c] + shapeWeight[d];
    const int combined = useFittedComboValues
                             ? fittedComboValues.value[set][comboMultiset(a, b, c, d)]
                             : weightedComboValue(set, a, b, c, d);
    return combined - weights;
}

void buildComboTables() {
    for (int index = 0; index < 65536; ++index) {
        int k[4];
        classesOfKey(index, k);
        for (int t = 0; t < 2; ++t)
            tables.comboTable[t][index] =
                static_cast<int16_t>(comboValue(t, k[0], k[1], k[2], k[3]));
    }
}
