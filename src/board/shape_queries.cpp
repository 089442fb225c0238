// Read-outs of the candidate sets, walking the bit masks lowest bit first.
#include "board/shape_queries.h"

#include "board/geometry.h"
#include "board/position.h"

namespace {

// Writes the points of one column mask of row x; returns the new count.
inline int writeColumn(MoveEntry* entries, int count, int x, uint32_t cols) {
    while (cols != 0) {
        uint32_t low = cols & (0u - cols);
        entries[count].x = static_cast<int16_t>(x);
        entries[count].y = static_cast<int16_t>(bitIndex(low));
        ++count;
        cols -= low;
    }
    return count;
}

int listKind(Position& pos, MoveEntry* entries, int kind, int c) {
    const int i = c - 1;
    uint32_t rows = pos.setRows[kind][i];
    int count = 0;
    while (rows != 0) {
        uint32_t low = rows & (0u - rows);
        int x = bitIndex(low);
        count = writeColumn(entries, count, x, pos.setCols[kind][i][x]);
        rows -= low;
    }
    return count;
}

// Row mask of the wide pattern, shifted so that its centre column is y.
inline uint32_t placeMask(uint32_t mask, int shift) { return shift >= 0 ? mask << shift : mask >> -shift; }

}  // namespace

int listFives(Position& pos, MoveEntry* entries, int c) {
    return listKind(pos, entries, SET_FIVE, c);
}
int listOpenFours(Position& pos, MoveEntry* entries, int c) {
    return listKind(pos, entries, SET_OPEN_FOUR, c);
}
int listFours(Position& pos, MoveEntry* entries, int c) {
    return listKind(pos, entries, SET_FOUR, c);
}
int listOpenThrees(Position& pos, MoveEntry* entries, int c) {
    return listKind(pos, entries, SET_THREE, c);
}
int listStrongPoints(Position& pos, MoveEntry* entries, int c) {
    return listKind(pos, entries, SET_STRONG, c);
}

int listFourOrThreePoints(Position& pos, MoveEntry* entries, int c) {
    const int i = c - 1;
    uint32_t rows = pos.setRows[SET_FOUR][i] | pos.setRows[SET_THREE][i];
    int count = 0;
    while (rows != 0) {
        uint32_t low = rows & (0u - rows);
        int x = bitIndex(low);
        uint32_t cols = (pos.setCols[SET_THREE][i][x] | pos.setCols[SET_FOUR][i][x]) & ~pos.setCols[SET_STRONG][i][x];
        count = writeColumn(entries, count, x, cols);
        rows -= low;
    }
    return count;
}

int neighbourhoodCount(Position& pos, int x, int y, int c, const uint32_t* excludedRows) {
    // Rows x-3 .. x+3: columns y-3, y, y+3 on the outer rows, y-2 .. y+2 on the
    // next two, y-3 .. y+3 on the centre row.
    static constexpr uint32_t ROW_MASK[7] = {73, 31, 31, 127, 31, 31, 73};
    static constexpr int ROW_SHIFT[7] = {3, 2, 2, 3, 2, 2, 3};
    const int i = c - 1;
    int count = 0;
    for (int r = 0; r < 7; ++r) {
        int row = x - 3 + r;
        if (row < 0 || row >= geometry.sizeX) continue;
        uint32_t m = pos.setCols[SET_FIVE][i][row] | pos.setCols[SET_OPEN_FOUR][i][row];
        if (excludedRows != nullptr) m &= ~excludedRows[row];
        m &= placeMask(ROW_MASK[r], y - ROW_SHIFT[r]);
        count += popCount30(m);
    }
    return count;
}

bool firstMember(Position& pos, int kind, int c, int& x, int& y) {
    const int i = c - 1;
    uint32_t rows = pos.setRows[kind][i];
    if (rows == 0) return false;
    x = bitIndex(rows & (0u - rows));
    uint32_t cols = pos.setCols[kind][i][x];
    y = bitIndex(cols & (0u - cols));
    return true;
}
