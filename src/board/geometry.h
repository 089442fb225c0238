#pragma once
// Board geometry and the precomputed tables. The board is built for one rule and
// one size at a time (by initTables + resetBoard); these fields describe that
// build and do not change while a search runs, whatever INFO or START say.
#include <cstdint>

#include "board/rule.h"
#include "board/types.h"
#include "core/limits.h"

struct BoardGeometry {
    int sizeX = 0;       // extent of x on the built board
    int sizeY = 0;       // extent of y
    int boardSize = 15;  // n = max(sizeX, sizeY); walls of the line words sit at n
    int lineRadius = 4;  // 4 free-style, 5 under the other rules
    int rule = RULE_FREESTYLE;  // a GameRule
    int diagPos2[MAX_SIDE][MAX_SIDE];  // position of (x, y) along its direction-2 line
    int diagPos3[MAX_SIDE][MAX_SIDE];  // position along its direction-3 line
};

extern BoardGeometry geometry;

struct BoardTables {
    ShapeInfo patternTable[1 << 18];  // indexed by the 18-bit pattern code
    int16_t comboTable[2][65536];     // [colour-1][(k0<<12)|(k1<<8)|(k2<<4)|k3]
    OrderScorePair orderTable[2][65536];  // indexed as comboTable; built only with fitted scores
    uint64_t zobristKeys[1200];       // [(x*20 + y)*3 + code-1]
    uint32_t randState = 1;           // generator state; every build continues the sequence
    uint8_t bitIndexTable[32769];
    uint8_t popCount15[32769];
};

extern BoardTables tables;

extern const int16_t shapeWeight[16];

// Sets the build's sizes and rule: call before initTables.
void setBoardGeometry(int sizeX, int sizeY, int rule);

// Builds the pattern, combination, move-order, Zobrist, diagonal-position and bit tables for
// the current geometry. Always followed by resetBoard and a replay of the game.
void initTables();

// The generator the Zobrist keys come from: 15-bit outputs of
// state = state * 214013 + 2531011, (state >> 16) & 0x7FFF.
int nextZobristRandom();

// Index of a single set bit 2^k, 0 <= k <= 30.
inline int bitIndex(uint32_t v) {
    return v <= 32768 ? tables.bitIndexTable[v] : tables.bitIndexTable[v >> 15] + 15;
}

// Bit count of a mask whose bits above 29 are clear.
inline int popCount30(uint32_t m) { return tables.popCount15[m & 0x7FFF] + tables.popCount15[m >> 15]; }

inline bool onBoard(int x, int y) {
    return x >= 0 && y >= 0 && x < geometry.sizeX && y < geometry.sizeY;
}
