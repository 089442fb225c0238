// Threat table: key check, decided-score adjustment and the two-entry replacement.
#include <gtest/gtest.h>

#include "board/position.h"
#include "core/game_state.h"
#include "core/limits.h"
#include "threats/table_memory.h"
#include "threats/threat_table.h"

namespace {

// The position whose key the stores take.
Position pos;

uint32_t low(uint64_t key) { return static_cast<uint32_t>(key); }
uint32_t high(uint64_t key) { return static_cast<uint32_t>(key >> 32); }

int probe(uint64_t key, int role = 0, int sideIndex = 0, int depthValue = 10) {
    return probeThreatTable(role, depthValue, sideIndex, low(key), high(key));
}

void store(uint64_t key, int score, int depthValue, int role = 0, int sideIndex = 0) {
    pos.hashKey = key;
    storeThreatTable(pos, score, depthValue, role, sideIndex);
}

class ThreatTableTest : public ::testing::Test {
protected:
    void useCount(int n) {
        setThreatTableCount(n);
        ASSERT_TRUE(resizeThreatTable());
        clearThreatTable();
        prefaultThreatTable(nullptr, n);
        game.recordLength = 20;
    }
    void SetUp() override { useCount(1024); }
};

TEST_F(ThreatTableTest, ClearedTableMissesEveryKeyButZero) {
    for (uint64_t key : {1ULL, 0x123456789ABCDEFULL, 0xFFFFFFFF00000000ULL, 0x80000000ULL})
        for (int role = 0; role < 2; ++role)
            for (int s = 0; s < 2; ++s) EXPECT_EQ(probe(key, role, s), NO_TABLE_SCORE) << key;
    // The all-zero entry fits key 0 with score 0.
    EXPECT_EQ(probe(0), 0);
}

TEST_F(ThreatTableTest, ScoresComeBackThroughTheKeyCheck) {
    const uint64_t key = 0xDEADBEEF12345678ULL;
    store(key, 1234, 5);
    EXPECT_EQ(probe(key), 1234);
    store(key, -777, 5);  // negative scores fold all ones into the high check word
    EXPECT_EQ(probe(key), -777);
    // Same slot, other key: no hit.
    EXPECT_EQ(probe(key ^ (1ULL << 40)), NO_TABLE_SCORE);
    EXPECT_EQ(probe(key ^ (1ULL << 20)), NO_TABLE_SCORE);
}

TEST_F(ThreatTableTest, RolesAndSidesAreSeparateArrays) {
    const uint64_t key = 0x0102030405060708ULL;
    store(key, 11, 3, 1, 0);
    EXPECT_EQ(probe(key, 1, 0), 11);
    EXPECT_EQ(probe(key, 0, 0), NO_TABLE_SCORE);
    EXPECT_EQ(probe(key, 1, 1), NO_TABLE_SCORE);
    EXPECT_EQ(probe(key, 0, 1), NO_TABLE_SCORE);
}

TEST_F(ThreatTableTest, DecidedScoresAreStoredRelativeToTheNode) {
    const uint64_t key = 0x5555AAAA5555AAAAULL;
    store(key, 10000005, 3);
    EXPECT_EQ(probe(key, 0, 0, 4), 10000006);
    EXPECT_EQ(probe(key, 0, 0, 3), 10000005);
    store(key, -10000005, 3);
    EXPECT_EQ(probe(key, 0, 0, 4), -10000006);
    // Undecided scores ignore the depth.
    store(key, 9999199, 3);
    EXPECT_EQ(probe(key, 0, 0, 100), 9999199);
}

TEST_F(ThreatTableTest, SecondEntryTakesWhatTheDeepFirstEntryRefuses) {
    useCount(1);  // every key shares the one slot
    const uint64_t a = 0x1111, b = 0x2222, c = 0x3333;
    store(a, 1, 390);
    store(b, 2, 380);  // shallower than entry 0: goes to entry 1
    EXPECT_EQ(probe(a), 1);
    EXPECT_EQ(probe(b), 2);
    store(c, 3, 385);  // still shallower than entry 0: replaces entry 1
    EXPECT_EQ(probe(a), 1);
    EXPECT_EQ(probe(b), NO_TABLE_SCORE);
    EXPECT_EQ(probe(c), 3);
    store(b, 4, 390);  // as deep as entry 0: replaces it
    EXPECT_EQ(probe(a), NO_TABLE_SCORE);
    EXPECT_EQ(probe(b), 4);
    EXPECT_EQ(probe(c), 3);
}

TEST_F(ThreatTableTest, FirstEntryIsReusedForItsOwnKeyAndWhenAged) {
    useCount(1);
    const uint64_t a = 0xA0, b = 0xB0, c = 0xC0;
    store(a, 1, 399);
    store(a, 5, 300);  // same key: rewritten in place although shallower
    EXPECT_EQ(probe(a), 5);
    store(b, 2, 200);  // goes to entry 1
    EXPECT_EQ(probe(a), 5);
    game.recordLength = 21;  // one move later entry 0 still counts as current
    store(c, 3, 100);
    EXPECT_EQ(probe(a), 5);
    EXPECT_EQ(probe(c), 3);
    game.recordLength = 23;  // now more than one move old: entry 0 gives way
    store(b, 6, 100);
    EXPECT_EQ(probe(a), NO_TABLE_SCORE);
    EXPECT_EQ(probe(b), 6);
    game.recordLength = 18;  // also in the other direction (after take-backs)
    store(a, 7, 1);
    EXPECT_EQ(probe(a), 7);
}

TEST_F(ThreatTableTest, NonPowerOfTwoCountStaysInBounds) {
    useCount(3000);
    for (uint64_t k = 1; k < 5000; k += 7) store(k * 0x9E3779B97F4A7C15ULL, static_cast<int>(k), 5);
    uint64_t last = 4999 / 7 * 7 + 1;
    EXPECT_EQ(probe(last * 0x9E3779B97F4A7C15ULL), static_cast<int>(last));
}

TEST(ThreatTableShortage, FailedAllocationLeavesAnInertTable) {
    setTableMemoryCeiling(1);  // nothing fits
    setThreatTableCount(64);
    EXPECT_FALSE(resizeThreatTable());
    EXPECT_EQ(threatTableCount(), 0);
    clearThreatTable();
    store(0x42, 9, 1);
    EXPECT_EQ(probe(0x42), NO_TABLE_SCORE);
    EXPECT_EQ(probe(0), NO_TABLE_SCORE);
    setTableMemoryCeiling(0);
    EXPECT_TRUE(resizeThreatTable());
    EXPECT_EQ(threatTableCount(), 64);
    EXPECT_EQ(tableMemoryHeld(), 4 * 64 * 2 * 16);
}

}  // namespace
