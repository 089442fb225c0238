#include "board/geometry.h"

#include <algorithm>

#include "board/order_scores.h"
#include "board/pattern_table.h"
#include "board/zobrist.h"

BoardGeometry geometry;
BoardTables tables;

const int16_t shapeWeight[16] = {0, 1, 2, 6, 7, 10, 23, 158, 175, 256, 256, 511, 2047, 0, 0, 0};

void setBoardGeometry(int sizeX, int sizeY, int rule) {
    geometry.sizeX = sizeX;
    geometry.sizeY = sizeY;
    geometry.boardSize = std::max(sizeX, sizeY);
    geometry.rule = rule;
    // The exact-five rules look one step further: a stone five steps away can
    // turn a five or an open four into a long line, or (Caro) close a five's end.
    geometry.lineRadius = rule == RULE_FREESTYLE ? 4 : 5;
}

namespace {

void initDiagonalPositions() {
    int n = geometry.boardSize;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            geometry.diagPos2[x][y] = std::min(y, n - 1 - x);
            geometry.diagPos3[x][y] = std::min(x, y);
        }
}

void initBitTables() {
    for (int v = 0; v <= 32768; ++v) tables.bitIndexTable[v] = 0;
    for (int k = 0; k <= 15; ++k) tables.bitIndexTable[1 << k] = static_cast<uint8_t>(k);
    tables.popCount15[0] = 0;
    for (int v = 1; v <= 32768; ++v) tables.popCount15[v] = static_cast<uint8_t>(tables.popCount15[v & (v - 1)] + 1);
}

}  // namespace

void initTables() {
    buildPatternTable();
    buildFittedOrderTable();
    initZobrist();
    initDiagonalPositions();
    initBitTables();
}
