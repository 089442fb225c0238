#pragma once
// Which positions of a game teach the evaluation something: quiet ones, where
// the game result is the only label and no tactic is about to decide it.
#include <vector>

#include "labelled_position.h"

struct ThreatThread;

struct QuietFilter {
    int skipStones = 8;  // the opening and the first replies are not the engine's own choice
    // Drop positions that a chain of fours decides, for either colour: the
    // search settles those itself and never asks the evaluation about them.
    bool dropFourWins = false;
};

// Builds the engine's board for the rule and size (tables, empty board,
// evaluation state). infoRule is the INFO rule value. The tables of each rule
// and size are built once and kept; only a change of rule or size costs more
// than an empty board.
void setUpBoard(int infoRule, int size);

// The board setUpBoard builds, with the evaluation scratch that works on it.
ThreatThread& replayThread();

// The next setUpBoard rebuilds the combination tables from the current
// combination weights (call after changing them).
void forgetBoardSetUp();

// The board holds a quiet position for the side to move: neither colour has a
// five point (no four is pending, no win is one stone away) and the leaf
// evaluation is not a decided score.
bool quietForSideToMove(int side);
// The same on another board with its evaluation scratch.
bool quietPosition(ThreatThread& t, int side);

// colour, moving now (or after a pass of the other colour), wins by a chain of
// fours: the engine's continuous-fours search, with no node or time limit and
// the whole depth of its rows.
bool winsByFours(int colour);

// Replays game on the engine's board and returns its quiet positions, each
// labelled with the result from the side to move's point of view. Abandoned
// games give nothing.
std::vector<LabelledPosition> quietPositions(const LoggedGame& game, int gameNumber,
                                             const QuietFilter& filter);
