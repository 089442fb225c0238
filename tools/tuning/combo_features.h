#pragma once
// How the leaf evaluation of a position depends on each entry of the
// combination value table (board/combo_values.h). The evaluation adds
// room * combined / 32 of every point for the side to move and takes off the
// same for the opponent, so it moves by the sum of ±room / 32 over the points
// whose classes read an entry when that entry moves: linear, up to the
// rounding of the division.
#include <cstdint>
#include <vector>

struct ThreatThread;
struct Position;

struct ComboFeature {
    int32_t param;  // set * COMBO_MULTISETS + multiset
    float weight;   // d evaluation / d entry
};

// The entry the classes of colour (1 black, 2 white) at (x, y) read.
int comboEntry(const Position& pos, int x, int y, int colour);

// The entries that weigh in the position on t's board for side (1 black, 2
// white) to move, each once, in increasing order of param; appended to out.
void appendComboFeatures(ThreatThread& t, int side, std::vector<ComboFeature>& out);
