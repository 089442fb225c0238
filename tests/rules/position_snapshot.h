#pragma once
// What a read-only probe of the position must leave exactly as it found it:
// cells, line words, key, move list and the candidate sets of kinds 0-3.
#include <cstring>

#include "board/position.h"

namespace snapshot {

struct Snapshot {
    int board[MAX_SIDE][MAX_SIDE];
    uint64_t lines[4][2 * MAX_SIDE];
    uint64_t hashKey;
    int moveCount;
    int32_t moveList[MAX_POINTS][2];
    uint32_t setRows[4][2];
    uint32_t setCols[4][2][MAX_SIDE];
    uint8_t setDirs[4][2][MAX_SIDE][MAX_SIDE];
};

inline Snapshot take(Position& pos) {
    Snapshot s;
    std::memset(&s, 0, sizeof s);
    std::memcpy(s.board, pos.board, sizeof s.board);
    std::memcpy(s.lines[0], pos.lineBits0, sizeof pos.lineBits0);
    std::memcpy(s.lines[1], pos.lineBits1, sizeof pos.lineBits1);
    std::memcpy(s.lines[2], pos.lineBits2, sizeof pos.lineBits2);
    std::memcpy(s.lines[3], pos.lineBits3, sizeof pos.lineBits3);
    s.hashKey = pos.hashKey;
    s.moveCount = pos.moveCount;
    std::memcpy(s.moveList, pos.moveList, sizeof(int32_t) * 2 * static_cast<size_t>(pos.moveCount));
    std::memcpy(s.setRows, pos.setRows, sizeof s.setRows);
    std::memcpy(s.setCols, pos.setCols, sizeof s.setCols);
    std::memcpy(s.setDirs, pos.setDirs, sizeof s.setDirs);
    return s;
}

// Names the first field that differs, or returns nullptr.
inline const char* difference(const Snapshot& a, const Snapshot& b) {
    if (std::memcmp(a.board, b.board, sizeof a.board) != 0) return "board";
    if (std::memcmp(a.lines, b.lines, sizeof a.lines) != 0) return "line words";
    if (a.hashKey != b.hashKey) return "hashKey";
    if (a.moveCount != b.moveCount) return "moveCount";
    if (std::memcmp(a.moveList, b.moveList, sizeof a.moveList) != 0) return "moveList";
    if (std::memcmp(a.setRows, b.setRows, sizeof a.setRows) != 0) return "setRows";
    if (std::memcmp(a.setCols, b.setCols, sizeof a.setCols) != 0) return "setCols";
    if (std::memcmp(a.setDirs, b.setDirs, sizeof a.setDirs) != 0) return "setDirs";
    return nullptr;
}

}  // namespace snapshot
