#pragma once
// The generated header that carries fitted move-order scores into the engine
// (board/order_scores_fitted.h), in the search's key units.
#include <string>

#include "board/order_scores.h"
#include "move_order_fit.h"

// tau * score * ORDER_KEY_UNITS of every entry, rounded and clamped to 16 bits.
OrderScoreTable orderKeyTable(const OrderParams& p);

// Writes board/order_scores_fitted.h under sourceDir; command goes into its top
// comment. False if the file cannot be written.
bool writeOrderScoresHeader(const std::string& sourceDir, const OrderParams& p,
                            const std::string& command);
