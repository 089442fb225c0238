#pragma once
// The rules that class one five-point window of a line for the colour whose
// stones it holds. classifyPoint reads them through windowClassTable; this form
// is kept so the table can be checked against the rules.

// occupancy: bit j set when window position j holds a stone before the move.
// blockedLeft / blockedRight: the window's outer neighbours are blocked (an
// opponent stone, a blocked point, a wall, or the edge of the nine points).
// windowIndex i: the window covers pattern positions i .. i+4, so the point
// being played is window position 4 - i.
int windowClassByRules(int occupancy, bool blockedLeft, bool blockedRight, int windowIndex);

// Index into windowClassTable.
constexpr int windowTableIndex(int occupancy, bool blockedLeft, bool blockedRight, int windowIndex) {
    return (occupancy + 32 * blockedLeft + 64 * blockedRight) * 5 + windowIndex;
}
