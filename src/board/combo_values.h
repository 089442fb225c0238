#pragma once
// A point's combined value for every multiset of its four direction classes,
// kept as data so that each entry can be fitted on its own (tools/tuning,
// vodaro_fit). Three sets: free-style, standard Gomoku and Caro (both colours
// alike), white under Renju, and black under Renju, whose forbidden
// combinations make the same shapes worth something else.
//
// Without a fitted table the engine computes the values from the combination
// weights (board/combo_weights.h) exactly as before the table existed; a
// fitted table (board/combo_values_fitted.h, generated) replaces them in the
// build with the tuned weights.
#include <cstdint>

enum ComboSet {
    COMBO_SET_COMMON = 0,
    COMBO_SET_RENJU_WHITE = 1,
    COMBO_SET_RENJU_BLACK = 2,
    COMBO_SETS = 3
};

// Multisets of four classes out of 16: C(19, 4).
constexpr int COMBO_MULTISETS = 3876;

constexpr int comboBinomial(int n, int k) {
    if (n < k) return 0;
    int r = 1;
    for (int i = 1; i <= k; ++i) r = r * (n - k + i) / i;
    return r;
}

// Dense index of the classes a >= b >= c >= d: a+3 > b+2 > c+1 > d are
// distinct, so the combinatorial number system numbers them 0 .. 3875.
constexpr int comboMultiset(int a, int b, int c, int d) {
    return comboBinomial(a + 3, 4) + comboBinomial(b + 2, 3) + comboBinomial(c + 1, 2) + d;
}

// The classes packed in a key (k0<<12)|(k1<<8)|(k2<<4)|k3, in any ordering,
// into k highest first.
void classesOfKey(int key, int k[4]);

// The multiset of the classes packed in a key.
int comboMultisetOfKey(int key);

// The set the table of colour (1 black, 2 white) reads under the engine rule.
int comboSetFor(int rule, int colour);

struct ComboValueTable {
    int16_t value[COMBO_SETS][COMBO_MULTISETS];
};

// What the current combination weights make of the classes a >= b >= c >= d.
int weightedComboValue(int set, int a, int b, int c, int d);

// Every entry as the current weights compute it: the fitter's starting point.
void comboValuesFromWeights(ComboValueTable& out);

// The table the combination tables are built from when useFittedComboValues
// is set; the fitter writes into it and sets the flag.
extern ComboValueTable fittedComboValues;
extern bool useFittedComboValues;
