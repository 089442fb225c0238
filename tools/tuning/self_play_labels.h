#pragma once
// Self-play games in this process, through the engine's own turn driver, with
// some of their quiet positions labelled by a deeper search: its value and its
// move, and at the end the game's result.
#include <cstdint>
#include <vector>

#include "labelled_position.h"
#include "openings.h"

struct LabelBudget {
    int playDepth = 4;        // the moves between labels: a fixed depth
    int labelDepth = 0;       // a label's search: a fixed depth, or when 0 ...
    int labelNodes = 128;     // ... the node limit INFO max_node would set
    double labelShare = 0.5;  // of the quiet positions after skipStones
    int skipStones = 8;
    int randomStones = 4;  // put after the opening, alternately, near the stones
    int hashEntries = 1 << 18;
};

// A family of games: the rule (INFO rule value), the board and its openings.
struct GameVariant {
    int infoRule = 0;
    int size = 15;
    const std::vector<Opening>* openings = nullptr;
};

// Plays game number gameNumber of the variant (its opening, random stones and
// labelled share all follow from seed and number, so a game played again is
// the same game) and returns its labelled positions; an unfinished game (a
// move the referee refuses, or the board full) is a draw.
std::vector<LabelledPosition> playLabelledGame(const GameVariant& variant,
                                               const LabelBudget& budget, uint64_t seed,
                                               int gameNumber);
