#pragma once
// The generated headers that carry fitted tables into the engine: the
// combination values (board/combo_values_fitted.h) and the move-order scores
// (board/order_scores_fitted.h).
#include <ostream>
#include <string>

#include "board/combo_values.h"

// Names of the sets as the generated headers' comments give them.
extern const char* const COMBO_SET_NAMES[COMBO_SETS];

// A static_assert that the build has as many sets as the table written: one
// with fewer rows would still compile, the missing sets all zero.
void writeSetCountCheck(std::ostream& out);

// One brace-enclosed row of a set's COMBO_MULTISETS values, 16 to a line.
void writeMultisetRow(std::ostream& out, const char* comment, const int16_t* values);

// Writes board/combo_values_fitted.h under sourceDir; command goes into its top
// comment. False if the file cannot be written.
bool writeComboValuesHeader(const std::string& sourceDir, const ComboValueTable& table,
                            const std::string& command);
