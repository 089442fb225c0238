#pragma once
// Victory by continuous fours: can side win by an unbroken chain of fours?
#include <cstdint>

#include "board/types.h"

struct Position;

struct ThreatThread;

// Asks the caches for what the fours search of side to move in the position
// with this key reads first.
void prefetchThreatSearch(int side, uint64_t key);

// Positive: side wins (10000000 + 400 - ply of the win); 0: no win found (or stopped).
int threatSearch(ThreatThread& t, int remaining, int side, int role, int ply);

// h + 10000000 if the side to move wins at once, else 0.
int checkImmediateWin(Position& pos, int h, int side);

// The two further defence points against colour's open three whose open-four
// point is (x, y); writes entries[0..1] and returns 2, or returns 0.
int threeDefencePoints(Position& pos, MoveEntry* entries, int colour, int x, int y);

// Window of row x's direction-0 line word: mask shifted by a - b, restricted to board points.
uint64_t lineWindowMask(Position& pos, int x, int a, int b, int64_t mask);
