#pragma once
// The threat table: remembers threat-search results per position, side and role.
// Four arrays (role * 2 + side - 1) of N slots, two entries per slot.
#include <cstdint>

#include "core/limits.h"
#include "threats/table_arrays.h"

struct Position;

struct ThreatEntry {
    int32_t checkLow;   // key_low XOR score
    int32_t checkHigh;  // key_high XOR (score >> 31)
    int32_t score;      // decided scores stored relative to the storing node
    int16_t depth;
    int16_t age;
};
static_assert(sizeof(ThreatEntry) == 16);

// Returns the adjusted score, or 20000000 when the slot does not hold the key.
// Asks the caches for the slot a probe of this key, role and side will read.
void prefetchThreatTable(int role, int sideIndex, uint64_t key);
int probeThreatTable(int role, int depthValue, int sideIndex, uint32_t keyLow, uint32_t keyHigh);
// Stores for the current position key (pos.hashKey), current age = tableAge().
void storeThreatTable(Position& pos, int score, int depthValue, int role, int sideIndex);
// The same for an explicit key: searches that keep other results in these arrays
// (the continuous-threats search) store them under a key of their own.
void storeThreatTableKey(int score, int depthValue, int role, int sideIndex, uint64_t key);

// Allocation bookkeeping, driven by resizeHashTables/clearHashTables of the search tables.
void setThreatTableCount(int entryCount);  // the N the next resize allocates (below 1 counts as 1)
int threatTableCount();                    // N currently allocated (probes and stores use its resident front)
// Reallocates when the allocated count differs from the wanted one. Returns false
// when the arrays could not be allocated: the kind then holds nothing (count 0)
// and the caller chooses a smaller count.
bool resizeThreatTable();
void clearThreatTable();
// Faults in the slots below upTo not yet resident (see prefaultHashTables).
bool prefaultThreatTable(TableWorkInterrupted interrupted, int upTo);

// Decided scores (wins and losses) are kept relative to the storing node, so that
// a probe at another depth reads the distance to the win from its own node. Both
// table kinds store and read them this way.
inline int toStoredScore(int score, int depthValue) {
    if (score >= DECIDED) return score - depthValue;
    if (score <= -DECIDED) return score + depthValue;
    return score;
}

inline int fromStoredScore(int stored, int depthValue) {
    if (stored >= DECIDED) return stored + depthValue;
    if (stored <= -DECIDED) return stored - depthValue;
    return stored;
}
