#pragma once
// Zobrist keys: one 64-bit key per point of the 20 by 20 grid and cell code 1-3.

// Fills tables.zobristKeys from the engine's own generator, continuing its
// sequence. A rebuild gives new keys; the transposition tables then start a new
// generation, so entries stored under the old keys are never taken for new ones.
void initZobrist();

inline int zobristIndex(int x, int y, int code) { return (x * 20 + y) * 3 + code - 1; }
