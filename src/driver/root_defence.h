#pragma once
// Defence against wins by threats at the root: when the opponent could win by
// threes and fours if we passed, every root move after which that win still
// stands is set aside, so that the deep search chooses among the moves that
// really defend.

// Whether the turn driver runs the defence: the build's VODARO_ROOT_DEFENCE option.
#ifndef VODARO_ROOT_DEFENCE
#define VODARO_ROOT_DEFENCE 0
#endif

// Marks the refuted root moves of colour in the search's root filter (and
// clears it first). Leaves the filter empty when no threat stands, when the
// proofs run out of nodes, or when every move is refuted (the game is lost
// anyway and the deep search may pick the most stubborn move).
void refuteLosingRootMoves(int colour);
