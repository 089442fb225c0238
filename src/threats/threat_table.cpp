#include "threats/threat_table.h"

#include "board/position.h"
#include "core/game_state.h"
#include "core/limits.h"
#include "core/word_slot.h"
#include "threats/table_arrays.h"
#include "threats/table_generation.h"

namespace {

constexpr int THREAT_ARRAYS = 4;     // role * 2 + side - 1
constexpr int ENTRIES_PER_SLOT = 2;  // entry 0 prefers depth, entry 1 takes the rest

// Every search thread probes and stores without a lock: an entry lives as two
// 64-bit words, each read and written whole (relaxed atomics). A probe that
// meets a store half done reads the check words of one entry with the score
// of another, which fails the check as another position would. Depth and age
// are not checked: a probe never reads the depth, and a torn age comes from a
// store of the same game (the generation changes between searches only).
using ThreatSlot = WordSlot<ThreatEntry>;
static_assert(ThreatSlot::WORDS == 2);

struct ThreatTables : TableArrays<ThreatSlot, THREAT_ARRAYS, ENTRIES_PER_SLOT> {
    int wantedCount = 524288;  // the N the next resize allocates
};
ThreatTables threat;

// The check words bind the key to the score: an entry whose words do not fit
// together fails like an entry of another position.
bool holdsKey(const ThreatEntry& e, uint32_t keyLow, uint32_t keyHigh) {
    return static_cast<uint32_t>(e.checkLow ^ e.score) == keyLow &&
           static_cast<uint32_t>(e.checkHigh ^ (e.score >> 31)) == keyHigh;
}

ThreatSlot* slotFor(int tableIndex, uint32_t keyLow) {
    uint32_t slot = keyLow & static_cast<uint32_t>(threat.usable - 1);
    return threat.arrays[tableIndex] + static_cast<int64_t>(slot) * ENTRIES_PER_SLOT;
}

}  // namespace

void prefetchThreatTable(int role, int sideIndex, uint64_t key) {
    if (threat.usable == 0) return;
    __builtin_prefetch(slotFor(role * 2 + sideIndex, static_cast<uint32_t>(key)));
}

int probeThreatTable(int role, int depthValue, int sideIndex, uint32_t keyLow, uint32_t keyHigh) {
    if (threat.usable == 0) return NO_TABLE_SCORE;
    const ThreatSlot* slot = slotFor(role * 2 + sideIndex, keyLow);
    const int age = tableAge();
    for (int i = 0; i < ENTRIES_PER_SLOT; ++i) {
        const ThreatEntry e = slot[i].load();
        if (holdsKey(e, keyLow, keyHigh) && sameGeneration(e.age, age))
            return fromStoredScore(e.score, depthValue);
    }
    return NO_TABLE_SCORE;
}

void storeThreatTable(Position& pos, int score, int depthValue, int role, int sideIndex) {
    storeThreatTableKey(score, depthValue, role, sideIndex, pos.hashKey);
}

void storeThreatTableKey(int score, int depthValue, int role, int sideIndex, uint64_t key) {
    if (threat.usable == 0) return;
    uint32_t keyLow = static_cast<uint32_t>(key);
    uint32_t keyHigh = static_cast<uint32_t>(key >> 32);
    const int age = tableAge();
    ThreatSlot* slot = slotFor(role * 2 + sideIndex, keyLow);
    const ThreatEntry first = slot[0].load();
    bool firstEmpty = first.checkLow == 0 && first.checkHigh == 0;
    bool takeFirst = holdsKey(first, keyLow, keyHigh) || firstEmpty || first.depth <= depthValue ||
                     agedOut(first.age, age);
    threat.noteStore();
    ThreatEntry e;
    e.score = toStoredScore(score, depthValue);
    e.checkLow = static_cast<int32_t>(keyLow) ^ e.score;
    e.checkHigh = static_cast<int32_t>(keyHigh) ^ (e.score >> 31);
    e.depth = static_cast<int16_t>(depthValue);
    e.age = static_cast<int16_t>(age);
    (takeFirst ? slot[0] : slot[1]).save(e);
}

void setThreatTableCount(int entryCount) { threat.wantedCount = entryCount < 1 ? 1 : entryCount; }

int threatTableCount() { return threat.count; }

bool resizeThreatTable() {
    if (threat.count == threat.wantedCount) return true;
    return threat.allocate(threat.wantedCount);
}

void clearThreatTable() { threat.clear(); }

bool prefaultThreatTable(TableWorkInterrupted interrupted, int upTo) { return threat.prefault(interrupted, upTo); }
