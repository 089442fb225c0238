#pragma once
#include <cstdint>

#include "board/types.h"

// Classification of one 18-bit pattern code (nine line positions, point at 4)
// under the current geometry's rule.
ShapeInfo classifyPoint(int code);

// Fills the pattern table and both combination tables.
void buildPatternTable();

// Fills both combination tables for the current rule (part of buildPatternTable).
void buildComboTables();

// Combination value of the classes a >= b >= c >= d for table t (0 black, 1 white)
// under the current rule; comboTable holds it at every ordering.
int comboValue(int t, int a, int b, int c, int d);

// Window classes indexed by windowTableIndex (board/window_rules.h).
extern const uint8_t windowClassTable[640];
