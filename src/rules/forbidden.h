#pragma once
// Renju: black (colour 1) may not make an overline, a double four or a double
// three; exactly five is never forbidden. Callers ask only under Renju, for black.

struct Position;

// 1 if black may not play the empty point (x, y), else 0 (occupied points give 0).
// Leaves the position exactly as it found it.
int isForbidden(Position& pos, int x, int y);
