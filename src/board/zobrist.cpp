#include "board/zobrist.h"

#include "board/geometry.h"

// A fixed linear congruential generator rather than the C library's rand, so
// that keys, and hence search node counts, are the same on every platform.
int nextZobristRandom() {
    tables.randState = tables.randState * 214013u + 2531011u;
    return static_cast<int>((tables.randState >> 16) & 0x7FFF);
}

void initZobrist() {
    for (uint64_t& key : tables.zobristKeys) {
        uint64_t k = 0;
        for (int part = 0; part < 5; ++part) k = (k << 15) ^ static_cast<uint64_t>(nextZobristRandom());
        key = k;
    }
}
