#include "search/search_table.h"

#include <cstring>

#include "board/position.h"
#include "core/game_state.h"
#include "core/limits.h"
#include "core/output.h"
#include "core/word_slot.h"
#include "threats/table_arrays.h"
#include "threats/table_generation.h"
#include "threats/threat_table.h"

namespace {

constexpr int SEARCH_ARRAYS = 2;       // one per side to move
constexpr int ENTRIES_PER_BUCKET = 4;  // 128 bytes: two cache lines
constexpr int DEFAULT_ENTRY_COUNT = 524288;

// Every search thread probes and stores the same arrays without a lock. An
// entry lives as four 64-bit words, each read and written whole (relaxed
// atomics): a probe copies the entry out word by word and a store writes its
// finished copy back the same way. A probe that meets a store half done reads
// words of two different entries; the check words then no longer fit the
// bounds, depth and flags, so it misses as for another position (a false fit
// is as unlikely as two positions sharing a 64-bit key). The moves and the age
// are not checked: torn moves of another position are only tried first (every
// handed-out move is tested for a legal empty point), and a torn age can only
// come from a store of the same game, as the generation changes between
// searches only.
using SearchSlot = WordSlot<SearchEntry>;
static_assert(SearchSlot::WORDS == 4);

struct SearchTables : TableArrays<SearchSlot, SEARCH_ARRAYS, ENTRIES_PER_BUCKET> {
    int entryCount = DEFAULT_ENTRY_COUNT;  // N asked for (both kinds)
    int builtFor = 0;                      // the N the present arrays answer (0 = none yet)
};
SearchTables table;


// The data word that the check words fold into the key: bounds, depth and flags
// (moves and age are not covered). Shifts drop the bits that leave the top.
uint64_t dataWord(const SearchEntry& e) {
    uint64_t p = static_cast<uint64_t>(static_cast<int64_t>(e.upper)) << 28;
    p ^= static_cast<uint64_t>(static_cast<int64_t>(e.lower));
    p = (p << 6) ^ static_cast<uint64_t>(static_cast<int64_t>(e.depth));
    p = (p << 2) ^ static_cast<uint64_t>(static_cast<int64_t>(e.flags));
    return p;
}

void sealEntry(SearchEntry& e, uint64_t key) {
    uint64_t check = key ^ dataWord(e);
    e.checkLow = static_cast<int32_t>(static_cast<uint32_t>(check));
    e.checkHigh = static_cast<int32_t>(static_cast<uint32_t>(check >> 32));
}

// An empty entry (flags 0) holds no position at all, not even the key-0 one.
bool holdsKey(const SearchEntry& e, uint64_t key) {
    if (e.flags == 0) return false;
    uint64_t check = key ^ dataWord(e);
    return e.checkLow == static_cast<int32_t>(static_cast<uint32_t>(check)) &&
           e.checkHigh == static_cast<int32_t>(static_cast<uint32_t>(check >> 32));
}

SearchSlot* bucketFor(int side, uint32_t keyLow) {
    uint32_t bucket = keyLow & static_cast<uint32_t>(table.usable - 1);
    return table.arrays[side - 1] + static_cast<int64_t>(bucket) * ENTRIES_PER_BUCKET;
}

void handOutMoves(const SearchEntry& e, int* outX, int* outY, int wanted) {
    for (int i = 0; i < wanted && i < 3; ++i) {
        outX[i] = e.moves[i][0];
        outY[i] = e.moves[i][1];
    }
}

void writeFresh(SearchEntry& e, uint64_t key, int stored, int depthValue, int boundType, int age,
                const int moveX[3], const int moveY[3]) {
    e.upper = stored;
    e.lower = stored;
    e.depth = static_cast<int16_t>(depthValue);
    e.age = static_cast<int16_t>(age);
    e.flags = static_cast<int8_t>(boundType);
    for (int i = 0; i < 3; ++i) {
        e.moves[i][0] = static_cast<int8_t>(moveX[i]);
        e.moves[i][1] = static_cast<int8_t>(moveY[i]);
    }
    std::memset(e.pad, 0, sizeof e.pad);
    sealEntry(e, key);
}

// Brings one move to the front; a copy of it further back is dropped.
void pushMove(SearchEntry& e, int x, int y) {
    int8_t mx = static_cast<int8_t>(x), my = static_cast<int8_t>(y);
    e.moves[2][0] = e.moves[1][0];
    e.moves[2][1] = e.moves[1][1];
    e.moves[1][0] = e.moves[0][0];
    e.moves[1][1] = e.moves[0][1];
    e.moves[0][0] = mx;
    e.moves[0][1] = my;
    if (e.moves[2][0] == mx && e.moves[2][1] == my) {
        e.moves[2][0] = e.moves[2][1] = -1;
    } else if (e.moves[1][0] == mx && e.moves[1][1] == my) {
        e.moves[1][0] = e.moves[1][1] = -1;
    }
}

bool isExact(const SearchEntry& e) { return e.flags == 3 && e.upper == e.lower; }

void updateInPlace(SearchEntry& e, uint64_t key, int stored, int depthValue, int boundType,
                   const int moveX[3], const int moveY[3]) {
    for (int i = 2; i >= 0; --i)
        if (moveX[i] != -1) pushMove(e, moveX[i], moveY[i]);
    if (depthValue > e.depth) {
        e.upper = e.lower = stored;
        e.depth = static_cast<int16_t>(depthValue);
        e.flags = static_cast<int8_t>(boundType);
    } else if (boundType == 3) {
        e.upper = e.lower = stored;
        e.flags = 3;
    } else if (boundType == 1 && !isExact(e)) {
        // A bound that was not valid before holds a meaningless number: it is
        // replaced, never tightened against, or the entry would claim a value
        // no search produced.
        e.upper = (e.flags & 1) ? (stored < e.upper ? stored : e.upper) : stored;
        e.flags = static_cast<int8_t>(e.flags | 1);
    } else if (boundType == 2 && !isExact(e)) {
        e.lower = (e.flags & 2) ? (stored > e.lower ? stored : e.lower) : stored;
        e.flags = static_cast<int8_t>(e.flags | 2);
    }
    sealEntry(e, key);
}

// The entry a fresh store overwrites when no entry is empty, stale or of this position:
// prefer entries of older turns, then shallower ones; keep exact entries.
int replacementCandidate(const SearchEntry* entries, int age) {
    int candidate = 0;
    for (int i = 0; i < ENTRIES_PER_BUCKET; ++i) {
        const SearchEntry& e = entries[i];
        const SearchEntry& c = entries[candidate];
        int preference = (c.age == age ? 2 : 0) + ((e.age == age || e.flags == 3) ? -2 : 0) +
                         (e.depth < c.depth ? 1 : 0);
        if (preference > 0) candidate = i;
    }
    return candidate;
}

}  // namespace

void prefetchSearchTable(int side, uint64_t key) {
    if (table.usable == 0) return;
    const char* bucket = reinterpret_cast<const char*>(bucketFor(side, static_cast<uint32_t>(key)));
    // A bucket spans two cache lines.
    __builtin_prefetch(bucket);
    __builtin_prefetch(bucket + 64);
}

int probeSearchTable(int depthValue, int alpha, int beta, int side, uint32_t keyLow, uint32_t keyHigh,
                     int* outX, int* outY, int wanted) {
    if (table.usable == 0) return NO_TABLE_SCORE;
    uint64_t key = (static_cast<uint64_t>(keyHigh) << 32) | keyLow;
    const SearchSlot* bucket = bucketFor(side, keyLow);
    const int age = tableAge();
    for (int i = 0; i < ENTRIES_PER_BUCKET; ++i) {
        const SearchEntry e = bucket[i].load();
        if (!holdsKey(e, key) || !sameGeneration(e.age, age)) continue;
        bool upperDecided = isDecided(e.upper), lowerDecided = isDecided(e.lower);
        int upper = fromStoredScore(e.upper, depthValue), lower = fromStoredScore(e.lower, depthValue);
        bool deepEnough = e.depth >= depthValue;
        if (isExact(e) && (upperDecided || deepEnough)) {
            handOutMoves(e, outX, outY, wanted);
            return upper;
        }
        if ((e.flags & 1) && upper <= alpha && (upperDecided || deepEnough)) {
            handOutMoves(e, outX, outY, wanted);
            return upper;
        }
        if ((e.flags & 2) && lower >= beta && (lowerDecided || deepEnough)) {
            handOutMoves(e, outX, outY, wanted);
            return lower;
        }
        if ((upperDecided && lowerDecided) || deepEnough) handOutMoves(e, outX, outY, wanted);
        return NO_TABLE_SCORE;
    }
    return NO_TABLE_SCORE;
}

void storeSearchTable(Position& pos, int depthValue, int score, int boundType, int side, int x0,
                      int y0, int x1, int y1, int x2, int y2) {
    if (table.usable == 0) return;
    const int moveX[3] = {x0, x1, x2};
    const int moveY[3] = {y0, y1, y2};
    uint64_t key = pos.hashKey;
    const int age = tableAge();
    int stored = toStoredScore(score, depthValue);
    SearchSlot* bucket = bucketFor(side, static_cast<uint32_t>(key));
    table.noteStore();
    SearchEntry entries[ENTRIES_PER_BUCKET];
    for (int i = 0; i < ENTRIES_PER_BUCKET; ++i) {
        SearchEntry& e = entries[i];
        e = bucket[i].load();
        // An entry of an earlier game is as good as empty, even for this key.
        const bool mine = holdsKey(e, key) && sameGeneration(e.age, age);
        if (e.flags == 0 || (!mine && agedOut(e.age, age))) {
            writeFresh(e, key, stored, depthValue, boundType, age, moveX, moveY);
            bucket[i].save(e);
            return;
        }
        if (mine) {
            e.age = static_cast<int16_t>(age);
            if (e.depth <= depthValue)
                updateInPlace(e, key, stored, depthValue, boundType, moveX, moveY);
            bucket[i].save(e);
            return;
        }
    }
    const int slot = replacementCandidate(entries, age);
    writeFresh(entries[slot], key, stored, depthValue, boundType, age, moveX, moveY);
    bucket[slot].save(entries[slot]);
}

int searchTableCount() { return table.entryCount; }

int allocatedSearchTableCount() { return table.count; }

void setHashEntryCount(int n) {
    table.entryCount = n < 1 ? 1 : n;
    setThreatTableCount(table.entryCount);
}

void resizeHashTables() {
    if (table.builtFor == table.entryCount && threatTableCount() == table.count) return;
    int wanted = table.entryCount;
    table.builtFor = wanted;
    setThreatTableCount(wanted);
    if (resizeThreatTable() && (table.count == wanted || table.allocate(wanted))) return;
    // Not enough memory: both kinds take the largest power of two below the
    // wanted count that fits, so the engine keeps playing with smaller tables.
    int fallback = 1;
    while (fallback <= wanted / 2) fallback *= 2;
    if (fallback == wanted) fallback /= 2;
    table.release();
    for (; fallback >= 1; fallback /= 2) {
        setThreatTableCount(fallback);
        if (resizeThreatTable() && table.allocate(fallback)) break;
    }
    if (fallback < 1) setThreatTableCount(1);
    sendReply("ERROR the hash tables could not be allocated with %d entries; using %d entries", wanted,
              table.count);
}

void clearHashTables() {
    // Zeroing 128 MiB costs tens of milliseconds of a turn: skipped when nothing was stored.
    table.clear();
    clearThreatTable();
    resetTableGeneration();  // nothing of any game is left
}

bool prefaultHashTables(TableWorkInterrupted interrupted, int upTo) {
    return table.prefault(interrupted, upTo) && prefaultThreatTable(interrupted, upTo);
}

void startTableGame() {
    if (startTableGeneration()) clearHashTables();
}
