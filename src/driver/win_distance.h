#pragma once
// How far a proven win or loss is, counted on the board: the analysis plays a
// ranked move's line and looks where it ends. The search's decided scores say
// it only roughly, since move penalties are added to them along the line.
#include <cstdint>

struct Position;

// Plays the line (length moves, colours alternating from colour) on pos up to
// the first point where the side to move has a sure five, takes it back, and
// returns the number of that five's stone counted from the line's first: the
// next stone after a five point, two more after a winning open-four point with
// no five to block. 0 when the line stops short of such a point.
int stoneOfFiveAlongLine(Position& pos, const int16_t (*line)[2], int length, int colour);
