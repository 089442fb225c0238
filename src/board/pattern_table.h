#pragma once
#include "board/types.h"

// Classification of one 18-bit pattern code (nine line positions, point at 4)
// under the current geometry's rule.
ShapeInfo classifyPoint(int code);

// Fills the pattern table and both combination tables.
void buildPatternTable();

extern const uint8_t windowClassTable[640];
