#pragma once
// The search table: score bounds and up to three moves per position for the
// alpha-beta search, plus the hash-size bookkeeping of both table kinds.
#include <cstdint>

struct SearchEntry {
    int32_t checkLow;
    int32_t checkHigh;  // key XOR P, P built from upper, lower, depth and flags
    int32_t upper;
    int32_t lower;
    int16_t depth;
    int16_t age;
    int8_t flags;       // 0 empty, 1 upper valid, 2 lower valid, 3 both
    int8_t moves[3][2]; // (x, y), most recent first; -1 = empty
    int8_t pad;
};
static_assert(sizeof(SearchEntry) == 32);

int probeSearchTable(int depthValue, int alpha, int beta, int side, uint32_t keyLow,
                     uint32_t keyHigh, int* outX, int* outY, int wanted);
void storeSearchTable(int depthValue, int score, int boundType, int side, int x0, int y0,
                      int x1, int y1, int x2, int y2);

// Both kinds: set the wanted entry count, reallocate what changed, zero everything.
int searchTableCount();          // N currently allocated (0 before the first allocation)
void setHashEntryCount(int n);   // both kinds' N
void resizeHashTables();         // writes an ERROR line and falls back when memory is short
void clearHashTables();
