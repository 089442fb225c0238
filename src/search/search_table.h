#pragma once
// The search table: score bounds and up to three moves per position for the
// alpha-beta search, plus the hash-size bookkeeping of both table kinds.
#include <cstdint>

#include "threats/table_arrays.h"

struct Position;

struct SearchEntry {
    int32_t checkLow;
    int32_t checkHigh;  // key XOR P, P built from upper, lower, depth and flags
    int32_t upper;
    int32_t lower;
    int16_t depth;
    int16_t age;
    int8_t flags;       // 0 empty, 1 upper valid, 2 lower valid, 3 both
    int8_t moves[3][2]; // (x, y), most recent first; -1 = empty
    int8_t pad[5];      // fills the entry to 32 bytes, four to a 128-byte bucket
};
static_assert(sizeof(SearchEntry) == 32);

int probeSearchTable(int depthValue, int alpha, int beta, int side, uint32_t keyLow,
                     uint32_t keyHigh, int* outX, int* outY, int wanted);
// Asks the caches for the bucket of the position with this key and side to
// move, so that the probe of a node about to be searched finds it loaded.
void prefetchSearchTable(int side, uint64_t key);
void storeSearchTable(Position& pos, int depthValue, int score, int boundType, int side, int x0,
                      int y0, int x1, int y1, int x2, int y2);

// Both kinds: set the wanted entry count, reallocate what changed, zero everything.
// The entry count N is what the drivers' hash check compares hash_size with; it
// keeps the asked-for value after a fallback, so a shortage is reported once,
// not before every search. Tables start at 524288 entries, unallocated.
int searchTableCount();          // N asked for (both kinds)
int allocatedSearchTableCount(); // buckets actually allocated (0 before the first resize)
void setHashEntryCount(int n);   // both kinds' N (below 1 counts as 1)
// Reallocates when N changed. When memory is short it writes one ERROR line and
// both kinds take the largest power of two below N that can be allocated.
void resizeHashTables();
void clearHashTables();

// Bytes both kinds take per entry of N: four threat arrays of two 16-byte
// entries per slot and two search arrays of four 32-byte entries per bucket.
constexpr int64_t TABLE_BYTES_PER_ENTRY = 4 * 2 * 16 + 2 * 4 * 32;

// Faults in the pages of both kinds below entry upTo not yet resident, a piece
// at a time until interrupted (nullptr: never); probes and stores use the
// resident front only (threats/table_arrays.h). True once every page below
// upTo is resident; an interrupted call is taken up again by the next.
bool prefaultHashTables(TableWorkInterrupted interrupted, int upTo = 1 << 30);

// A new game on the same tables: the next table generation, so that nothing of
// the last game is found again, without rewriting the arrays. Once every 64
// games the stamps run out and the arrays are cleared for real.
void startTableGame();
