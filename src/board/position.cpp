// The position and its reset to an empty board of the current geometry.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "board/geometry.h"
#include "board/position.h"

namespace {

// Line length on the n by n square: all lines of directions 0 and 1 have n
// points; diagonal k of direction 2 (x + y) and 3 (x - y + n - 1) fewer.
int diagonal2Length(int k, int n) { return std::min(k, 2 * n - 2 - k) + 1; }
int diagonal3Length(int k, int n) { return n - std::abs(k - (n - 1)); }

uint64_t walls(int length) { return uint64_t{0xC0} | (uint64_t{3} << (2 * length + 8)); }

void resetLineWords(Position& pos) {
    const int n = geometry.boardSize;
    std::memset(pos.board, 0, sizeof pos.board);
    std::memset(pos.lineBits0, 0, sizeof pos.lineBits0);
    std::memset(pos.lineBits1, 0, sizeof pos.lineBits1);
    std::memset(pos.lineBits2, 0, sizeof pos.lineBits2);
    std::memset(pos.lineBits3, 0, sizeof pos.lineBits3);
    for (int x = 0; x < n; ++x) pos.lineBits0[x] = walls(n);
    for (int y = 0; y < n; ++y) pos.lineBits1[y] = walls(n);
    for (int k = 0; k <= 2 * n - 2; ++k) {
        pos.lineBits2[k] = walls(diagonal2Length(k, n));
        pos.lineBits3[k] = walls(diagonal3Length(k, n));
    }
}

// Square points within four steps on each side of (x, y) along the step (dx, dy).
int initialRoom(int x, int y, int dx, int dy, int n) {
    int room = 0;
    for (int side = -1; side <= 1; side += 2)
        for (int k = 1; k <= 4; ++k) {
            int px = x + side * k * dx, py = y + side * k * dy;
            if (px < 0 || py < 0 || px >= n || py >= n) break;
            ++room;
        }
    return room;
}

// An empty board starts with class 1 in every direction that has room for a
// line through the point, and keeps it until a stone comes within reach; the
// pattern table takes over from then on.
void initialiseRecords(Position& pos) {
    const int n = geometry.boardSize;
    std::memset(pos.shapeInfo, 0, sizeof pos.shapeInfo);
    std::memset(pos.classKey, 0, sizeof pos.classKey);
    pos.totalValue[0] = pos.totalValue[1] = 0;
    // Points off the board keep no class in any direction; their combined
    // value is still what the table gives that multiset (a fitted table need
    // not give it 0), so that every record agrees with its classes.
    for (int x = 0; x < MAX_SIDE; ++x)
        for (int y = 0; y < MAX_SIDE; ++y)
            for (int i = 0; i < 2; ++i) pos.shapeInfo[4][x][y].combo[i] = tables.comboTable[i][0];
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const bool edgeX = x == 0 || x == n - 1;
            const bool edgeY = y == 0 || y == n - 1;
            int shape[4], room[4];
            for (int d = 0; d < 4; ++d) room[d] = initialRoom(x, y, DIR_DX[d], DIR_DY[d], n);
            shape[0] = edgeY ? 0 : 1;
            shape[1] = edgeX ? 0 : 1;
            for (int d = 2; d < 4; ++d) shape[d] = edgeX || edgeY || room[d] < 5 ? 0 : 1;
            int weightSum = 0, roomSum = 0;
            for (int d = 0; d < 4; ++d) {
                weightSum += shapeWeight[shape[d]];
                roomSum += room[d];
            }
            const int index = (shape[0] << 12) | (shape[1] << 8) | (shape[2] << 4) | shape[3];
            for (int i = 0; i < 2; ++i) {
                for (int d = 0; d < 4; ++d) {
                    pos.shapeInfo[d][x][y].shape[i] = static_cast<int16_t>(shape[d]);
                    pos.shapeInfo[d][x][y].room[i] = static_cast<int16_t>(room[d]);
                }
                pos.classKey[x][y][i] = static_cast<uint16_t>(index);
                ShapeInfo& tot = pos.shapeInfo[4][x][y];
                tot.shape[i] = static_cast<int16_t>(weightSum);
                tot.room[i] = static_cast<int16_t>(roomSum);
                tot.combo[i] = static_cast<int16_t>(weightSum + tables.comboTable[i][index]);
                tot.value[i] = static_cast<int16_t>(roomSum * tot.combo[i] / 32);
                pos.totalValue[i] += tot.value[i];
            }
        }
}

void emptyCandidateSets(Position& pos) {
    std::memset(pos.setRows, 0, sizeof pos.setRows);
    std::memset(pos.setCols, 0, sizeof pos.setCols);
    std::memset(pos.setDirs, 0, sizeof pos.setDirs);
    pos.totalRoom[0] = pos.totalRoom[1] = 0;
}

}  // namespace

void resetBoard(Position& pos) {
    resetLineWords(pos);
    initialiseRecords(pos);
    emptyCandidateSets(pos);
    pos.hashKey = 0;
    pos.moveCount = 0;
    // A rectangular board lives in the top-left corner of the n by n square;
    // the rest of the square is filled with blocked points.
    const int n = geometry.boardSize;
    if (geometry.sizeX != geometry.sizeY)
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                if (x >= geometry.sizeX || y >= geometry.sizeY) makeMove(pos, x, y, BLOCKED);
}
