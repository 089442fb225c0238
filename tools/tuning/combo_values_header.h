#pragma once
// The generated header that carries a fitted combination value table into the
// engine (board/combo_values_fitted.h).
#include <string>

#include "board/combo_values.h"

// Writes board/combo_values_fitted.h under sourceDir; command goes into its top
// comment. False if the file cannot be written.
bool writeComboValuesHeader(const std::string& sourceDir, const ComboValueTable& table,
                            const std::string& command);
