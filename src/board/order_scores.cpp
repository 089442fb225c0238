#include "board/order_scores.h"

#include "board/geometry.h"
#include "board/order_scores_fitted.h"

void buildOrderTable(const OrderScoreTable& scores) {
    for (int colour = 1; colour <= 2; ++colour) {
        const int set = comboSetFor(geometry.rule, colour);
        for (int index = 0; index < 65536; ++index) {
            const int m = comboMultisetOfKey(index);
            tables.orderTable[colour - 1][index] = {scores.own[set][m], scores.opp[set][m]};
        }
    }
}

void buildFittedOrderTable() {
    // Without fitted scores the search never reads the table.
    if (HAVE_FITTED_ORDER_SCORES) buildOrderTable(FITTED_ORDER_SCORES);
}
