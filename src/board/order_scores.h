#pragma once
// Learned move-order scores for every multiset of a point's four direction
// classes (board/combo_values.h): own is what the point is worth to the side
// that moves there, read with that side's classes; opp is what it is worth to
// the side to move, read with the opponent's classes there (taking a point the
// opponent wants). vodaro_fit fits them to the moves a deeper search chose and
// generates board/order_scores_fitted.h; the search orders its generated
// batches by own + opp when the build has them and INFO learned_order allows.
#include "board/combo_values.h"
#include "board/types.h"

struct OrderScoreTable {
    int16_t own[COMBO_SETS][COMBO_MULTISETS];
    int16_t opp[COMBO_SETS][COMBO_MULTISETS];
};

// Key units per unit of the fitted score tau * (own + opp), a logit: a key
// unit is a hundredth of one. The fit's tau is about 0.04 per unit of combined
// value on small samples, so the starting scores come out at about four key
// units per unit of combined value: the magnitudes of the weight-sum keys, and
// no coarser. Entries are clamped to 16 bits (only fives and the like reach it).
constexpr int ORDER_KEY_UNITS = 100;

// Fills tables.orderTable for the current rule: each colour's entry at every
// ordering of four classes reads the set that colour's classes belong to.
void buildOrderTable(const OrderScoreTable& scores);

// The table from the build's fitted scores, if it has them (part of initTables).
void buildFittedOrderTable();
