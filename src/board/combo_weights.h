#pragma once
// The weights a point's combined value is built from: one value per direction
// class, the discount of the highest class and the bonus of two shapes meeting,
// and black's Renju combinations. The combination tables are built from them;
// shapeWeight, which also serves as the threshold of candidate sets and move
// choices, is not one of them.
//
// Two sets: one for free-style, standard Gomoku and Caro, one for Renju, where
// black's forbidden combinations change what a point is worth. The engine
// starts with the hand-set or the tuned values (build option
// VODARO_TUNED_WEIGHTS); the tuner changes them in place and rebuilds the tables.

struct ComboWeights {
    // Indexed by class 0 .. 15; classes 13 (overline) and up stay 0.
    int classValue[16];   // what one direction's class adds to a point's value
    int topDiscount[16];  // taken off for the point's highest class
    int pairFactor[16];   // exactly two shapes at a point: 3 * F[a] * F[b] / 256 more
    // Black under Renju: an overline beside open fours, per open four (taken off)
    int overlineOpenFour;
    int fourFourOpen;   // the value of a double four per open four in it
    int fourFourOther;  // ... and per other four in it
    int threeThree;     // taken off a double three without a four, besides the discount
};

// [0]: free-style, standard Gomoku and Caro; [1]: Renju.
extern ComboWeights comboWeights[2];

inline int comboWeightSet(bool renju) {
    return renju ? 1 : 0;
}
