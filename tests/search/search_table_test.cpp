// Search table: bounds, decided scores, replacement, move merging, and the
// allocation of both table kinds with its fallback when memory is short.
#include "search/search_table.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "board/position.h"
#include "core/game_state.h"
#include "core/limits.h"
#include "core/output.h"
#include "threats/table_memory.h"
#include "threats/threat_table.h"

namespace {

// The position whose key the stores take.
Position pos;

std::string captured;
void capture(const char* text, int len) { captured.append(text, static_cast<size_t>(len)); }

struct Probe {
    int score;
    int x[3] = {-7, -7, -7};
    int y[3] = {-7, -7, -7};
};

Probe probe(uint64_t key, int depthValue, int alpha = -1000, int beta = 1000, int side = 1, int wanted = 3) {
    Probe p;
    p.score = probeSearchTable(depthValue, alpha, beta, side, static_cast<uint32_t>(key),
                               static_cast<uint32_t>(key >> 32), p.x, p.y, wanted);
    return p;
}

void store(uint64_t key, int depthValue, int score, int bound, int x0 = -1, int y0 = -1, int x1 = -1,
           int y1 = -1, int x2 = -1, int y2 = -1, int side = 1) {
    pos.hashKey = key;
    storeSearchTable(pos, depthValue, score, bound, side, x0, y0, x1, y1, x2, y2);
}

class SearchTableTest : public ::testing::Test {
protected:
    void useCount(int n) {
        setHashEntryCount(n);
        resizeHashTables();
        clearHashTables();
        prefaultHashTables(nullptr);
        ASSERT_EQ(allocatedSearchTableCount(), n);
        game.recordLength = 30;
    }
    void SetUp() override { useCount(256); }
};

const uint64_t KEY = 0x0123456789ABCDEFULL;

TEST_F(SearchTableTest, ClearedTableSettlesNothingAndGivesNoMoves) {
    for (uint64_t key : {KEY, uint64_t{0}, uint64_t{1} << 63}) {
        for (int side = 1; side <= 2; ++side) {
            Probe p = probe(key, 0, -1000, 1000, side);
            EXPECT_EQ(p.score, NO_TABLE_SCORE);
            EXPECT_EQ(p.x[0], -7);  // untouched: an empty entry has no moves
        }
    }
}

TEST_F(SearchTableTest, ExactEntryAnswersAnyWindowAndHandsOutMovesInOrder) {
    store(KEY, 4, 123, 3, 1, 2, 3, 4, 1, 2);  // duplicates kept in a fresh entry
    Probe p = probe(KEY, 4, 500, 600);
    EXPECT_EQ(p.score, 123);
    EXPECT_EQ(p.x[0], 1);
    EXPECT_EQ(p.y[0], 2);
    EXPECT_EQ(p.x[1], 3);
    EXPECT_EQ(p.y[1], 4);
    EXPECT_EQ(p.x[2], 1);
    EXPECT_EQ(p.y[2], 2);
    Probe one = probe(KEY, 3, -5, 5, 1, 1);
    EXPECT_EQ(one.score, 123);
    EXPECT_EQ(one.x[1], -7);  // only the wanted moves are written
    EXPECT_EQ(probe(KEY, 4, 0, 1, 2).score, NO_TABLE_SCORE);  // the other side's array
}

TEST_F(SearchTableTest, BoundsCutOnlyOnTheirSideOfTheWindow) {
    store(KEY, 5, 40, 1, 7, 7);  // upper bound 40
    EXPECT_EQ(probe(KEY, 5, 40, 90).score, 40);
    Probe inside = probe(KEY, 5, 39, 90);
    EXPECT_EQ(inside.score, NO_TABLE_SCORE);
    EXPECT_EQ(inside.x[0], 7);  // deep enough: the move still helps ordering
    const uint64_t other = KEY ^ 0xFFFF00000000ULL;
    store(other, 5, 60, 2);  // lower bound 60
    EXPECT_EQ(probe(other, 5, 0, 60).score, 60);
    EXPECT_EQ(probe(other, 5, 0, 61).score, NO_TABLE_SCORE);
}

TEST_F(SearchTableTest, ShallowEntryGivesNeitherCutoffNorMovesUnlessDecided) {
    store(KEY, 2, 50, 3, 4, 4);
    Probe p = probe(KEY, 3, -1000, 1000);
    EXPECT_EQ(p.score, NO_TABLE_SCORE);
    EXPECT_EQ(p.x[0], -7);
    store(KEY + 1, 2, 10000010, 3, 5, 5);  // a win is exact at any depth
    Probe win = probe(KEY + 1, 9, -1000, 1000);
    EXPECT_EQ(win.score, 10000010 - 2 + 9);
    EXPECT_EQ(win.x[0], 5);
    store(KEY + 2, 2, 10000010, 2, 6, 6);  // decided lower bound with upper = same decided value
    Probe decided = probe(KEY + 2, 9, -1000, 20000000 - 1);
    EXPECT_EQ(decided.score, NO_TABLE_SCORE);
    EXPECT_EQ(decided.x[0], 6);  // both stored numbers decided: moves handed out
}

TEST_F(SearchTableTest, DecidedScoresRoundTrip) {
    store(KEY, 3, 10000005, 3);
    EXPECT_EQ(probe(KEY, 4).score, 10000006);
    store(KEY + 5, 3, -10000005, 3);
    EXPECT_EQ(probe(KEY + 5, 4).score, -10000006);
    store(KEY + 9, 3, 9999199, 3);
    EXPECT_EQ(probe(KEY + 9, 3).score, 9999199);
}

TEST_F(SearchTableTest, SameDepthBoundDoesNotOverwriteExactEntry) {
    store(KEY, 6, 70, 3, 1, 1);
    game.recordLength = 31;
    store(KEY, 6, 200, 2, 2, 2);  // lower bound at the same depth
    Probe p = probe(KEY, 6, 0, 1000);
    EXPECT_EQ(p.score, 70);
    EXPECT_EQ(p.x[0], 2);  // moves merged all the same
    EXPECT_EQ(p.x[1], 1);
    store(KEY, 7, 200, 2);  // deeper: replaces the bounds whatever their type
    EXPECT_EQ(probe(KEY, 7, 0, 150).score, 200);
    EXPECT_EQ(probe(KEY, 7, 0, 250).score, NO_TABLE_SCORE);
}

TEST_F(SearchTableTest, ShallowerStoreOfSamePositionOnlyRefreshesAge) {
    store(KEY, 8, 33, 3, 1, 1);
    store(KEY, 2, -50, 1, 9, 9);
    Probe p = probe(KEY, 8);
    EXPECT_EQ(p.score, 33);
    EXPECT_EQ(p.x[0], 1);
    EXPECT_EQ(p.x[1], -1);
}

TEST_F(SearchTableTest, SameDepthBoundsCombineWithoutInventingAValue) {
    store(KEY, 4, 50, 2);  // score >= 50
    store(KEY, 4, 80, 1);  // score <= 80
    EXPECT_EQ(probe(KEY, 4, 60, 70).score, NO_TABLE_SCORE);
    EXPECT_EQ(probe(KEY, 4, 85, 95).score, 80);
    EXPECT_EQ(probe(KEY, 4, 10, 45).score, 50);
    store(KEY, 4, 90, 1);  // looser upper bound: the tighter one stays
    EXPECT_EQ(probe(KEY, 4, 85, 95).score, 80);
    store(KEY, 4, 40, 2);  // looser lower bound: the tighter one stays
    EXPECT_EQ(probe(KEY, 4, 10, 45).score, 50);
}

TEST_F(SearchTableTest, MergedMovesComeFirstWithoutDuplicates) {
    store(KEY, 3, 0, 1, 1, 1, 2, 2, 3, 3);
    store(KEY, 3, 0, 1, 3, 3);
    Probe a = probe(KEY, 3);
    EXPECT_EQ(a.x[0], 3);
    EXPECT_EQ(a.x[1], 1);
    EXPECT_EQ(a.x[2], 2);
    store(KEY, 3, 0, 1, 2, 2, 5, 5);  // pushes 5 then 2: 2, 5, 3
    Probe b = probe(KEY, 3);
    EXPECT_EQ(b.x[0], 2);
    EXPECT_EQ(b.x[1], 5);
    EXPECT_EQ(b.x[2], 3);
    store(KEY, 3, 0, 1, 3, 3);  // 3 was last: 3, 2, 5
    Probe c = probe(KEY, 3);
    EXPECT_EQ(c.x[0], 3);
    EXPECT_EQ(c.x[1], 2);
    EXPECT_EQ(c.x[2], 5);
    store(KEY, 3, 0, 1, 2, 2);  // 2 was second: 2, 3, and the last move drops out
    Probe d = probe(KEY, 3);
    EXPECT_EQ(d.x[0], 2);
    EXPECT_EQ(d.y[0], 2);
    EXPECT_EQ(d.x[1], 3);
    EXPECT_EQ(d.x[2], -1);
    store(KEY, 3, 0, 1, 2, 2);  // already first: its copy leaves a gap in the middle
    Probe e = probe(KEY, 3);
    EXPECT_EQ(e.x[0], 2);
    EXPECT_EQ(e.x[1], -1);
    EXPECT_EQ(e.y[1], -1);
    EXPECT_EQ(e.x[2], 3);
}

// Score of the entry for key if there is one (exact and upper-bound entries answer a high window).
int present(uint64_t key) { return probe(key, 0, 1000000, 2000000).score; }

TEST_F(SearchTableTest, SingleBucketFollowsTheReplacementRules) {
    useCount(1);
    const uint64_t keys[5] = {0x100, 0x200, 0x300, 0x400, 0x500};
    const int depths[4] = {5, 3, 4, 2};
    for (int i = 0; i < 4; ++i) store(keys[i], depths[i], i, 3);
    store(keys[4], 6, 4, 3);  // full bucket of this turn: the walk to shallower entries ends at depth 2
    EXPECT_EQ(present(keys[3]), NO_TABLE_SCORE);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(present(keys[i]), i) << i;
    EXPECT_EQ(present(keys[4]), 4);
    // An entry more than one move old is the first to go, before any candidate.
    game.recordLength = 40;
    store(0x600, 1, 6, 1);
    EXPECT_EQ(present(keys[0]), NO_TABLE_SCORE);
    EXPECT_EQ(present(0x600), 6);
}

TEST_F(SearchTableTest, OlderTurnBoundGivesWayBeforeCurrentOrExactEntries) {
    useCount(1);
    store(0x10, 5, 0, 1);
    store(0x20, 9, 1, 3);
    store(0x30, 9, 2, 1);
    store(0x40, 9, 3, 1);
    game.recordLength = 31;
    store(0x10, 5, 0, 1);  // refreshes entry 0 to this turn
    store(0x99, 5, 9, 1);
    EXPECT_EQ(present(0x10), 0);
    EXPECT_EQ(present(0x20), 1);  // exact, though from the last turn
    EXPECT_EQ(present(0x30), NO_TABLE_SCORE);
    EXPECT_EQ(present(0x40), 3);
    EXPECT_EQ(present(0x99), 9);
}

// Threads store and probe the same bucket without a lock. Eight keys share it
// and push each other out all the time; a probe that meets a store half done
// must miss, never answer with another key's score. Both table kinds.
TEST_F(SearchTableTest, ConcurrentStoresNeverAnswerWithAnotherKeysScore) {
    constexpr int KEYS = 8;
    auto keyOf = [](int k) {
        return (uint64_t{0x5A5A0000u} + static_cast<uint64_t>(k)) << 32 | 5u;
    };
    std::atomic<bool> done = false;
    auto writer = [&](int parity) {
        Position own{};
        for (int round = 0; round < 20000; ++round)
            for (int k = parity; k < KEYS; k += 2) {
                own.hashKey = keyOf(k);
                storeSearchTable(own, 4 + round % 3, 100 + k, 3, 1, k, k, -1, -1, -1, -1);
                storeThreatTable(own, 200 + k, round % 5, 0, 0);
            }
    };
    int wrong = 0;
    std::thread a(writer, 0), b(writer, 1);
    std::thread reader([&] {
        while (!done.load()) {
            for (int k = 0; k < KEYS; ++k) {
                const uint64_t key = keyOf(k);
                int x[3] = {-1, -1, -1}, y[3] = {-1, -1, -1};
                const int v = probeSearchTable(0, -1000, 1000, 1, static_cast<uint32_t>(key),
                                               static_cast<uint32_t>(key >> 32), x, y, 1);
                if (v != NO_TABLE_SCORE && v != 100 + k) ++wrong;
                const int t = probeThreatTable(0, 0, 0, static_cast<uint32_t>(key),
                                               static_cast<uint32_t>(key >> 32));
                if (t != NO_TABLE_SCORE && t != 200 + k) ++wrong;
            }
        }
    });
    a.join();
    b.join();
    done = true;
    reader.join();
    EXPECT_EQ(wrong, 0);
    for (int k = 0; k < KEYS; ++k) {  // the last stores stand whole
        const Probe p = probe(keyOf(k), 0);
        EXPECT_TRUE(p.score == NO_TABLE_SCORE || (p.score == 100 + k && p.x[0] == k)) << k;
    }
}

TEST_F(SearchTableTest, ClearEmptiesBothKinds) {
    store(KEY, 3, 1, 3);
    storeThreatTable(pos, 77, 3, 0, 0);
    clearHashTables();
    EXPECT_EQ(probe(KEY, 3).score, NO_TABLE_SCORE);
    EXPECT_EQ(probeThreatTable(0, 3, 0, static_cast<uint32_t>(KEY), static_cast<uint32_t>(KEY >> 32)),
              NO_TABLE_SCORE);
}

class HashAllocationTest : public ::testing::Test {
protected:
    void SetUp() override {
        captured.clear();
        setOutputSink(capture);
    }
    void TearDown() override {
        setOutputSink(nullptr);
        setTableMemoryCeiling(0);
    }
};

// Both kinds at N entries take 4 * 32 N + 2 * 128 N = 384 N bytes.
TEST_F(HashAllocationTest, ShortageFallsBackToLargestFittingPowerOfTwoAndSaysSoOnce) {
    setHashEntryCount(16);
    resizeHashTables();
    setTableMemoryCeiling(384 * 1024 + 100);
    setHashEntryCount(1 << 20);
    resizeHashTables();
    clearHashTables();
    EXPECT_EQ(allocatedSearchTableCount(), 1024);
    EXPECT_EQ(threatTableCount(), 1024);
    EXPECT_EQ(searchTableCount(), 1 << 20);  // the drivers' hash check sees no change
    EXPECT_EQ(captured.rfind("ERROR ", 0), 0u) << captured;
    EXPECT_NE(captured.find("could not be allocated"), std::string::npos) << captured;
    EXPECT_EQ(captured.find('\n'), captured.size() - 1) << "one line";
    captured.clear();
    resizeHashTables();  // nothing changed: no new attempt, no second message
    EXPECT_EQ(captured, "");
    // The smaller tables work.
    prefaultHashTables(nullptr);
    game.recordLength = 1;
    store(KEY, 2, 5, 3);
    EXPECT_EQ(probe(KEY, 2).score, 5);
}

// A search that arrives while the pages are faulted in uses the resident front
// only, and the arrays serve it (the masks must stay within it).
TEST_F(HashAllocationTest, PartlyResidentTablesServeTheirFront) {
    setHashEntryCount(1 << 16);
    resizeHashTables();
    clearHashTables();
    game.recordLength = 1;
    store(KEY, 2, 5, 3);
    EXPECT_EQ(probe(KEY, 2).score, NO_TABLE_SCORE) << "nothing resident, nothing used";
    EXPECT_TRUE(prefaultHashTables(nullptr, 5000));
    store(KEY, 2, 5, 3);
    EXPECT_EQ(probe(KEY, 2).score, 5);
    EXPECT_FALSE(prefaultHashTables([] { return true; })) << "a waiting search interrupts";
    EXPECT_TRUE(prefaultHashTables(nullptr));
    store(KEY, 2, 7, 3);
    EXPECT_EQ(probe(KEY, 2).score, 7);
}

TEST_F(HashAllocationTest, DefaultCountTakes192MiBInAll) {
    setHashEntryCount(524288);
    resizeHashTables();  // not cleared: the pages are never touched here
    EXPECT_EQ(allocatedSearchTableCount(), 524288);
    EXPECT_EQ(threatTableCount(), 524288);
    EXPECT_EQ(tableMemoryHeld(), int64_t{192} << 20);
    EXPECT_EQ(captured, "");
    setHashEntryCount(16);
    resizeHashTables();
    EXPECT_EQ(tableMemoryHeld(), 16 * 384);
}

TEST_F(HashAllocationTest, AbsurdCountFailsAndTheEngineKeepsTables) {
    setTableMemoryCeiling(64 << 20);
    setHashEntryCount(0x7FFFFFFF);
    resizeHashTables();
    clearHashTables();
    EXPECT_NE(captured.find("ERROR"), std::string::npos);
    EXPECT_EQ(allocatedSearchTableCount(), 1 << 17);  // 48 MiB; 96 MiB would not fit
    EXPECT_LE(tableMemoryHeld(), 64 << 20);
}

TEST_F(HashAllocationTest, NonPowerOfTwoCountIsUsedAsGivenAndFallsBelowIt) {
    setHashEntryCount(3000);
    resizeHashTables();
    EXPECT_EQ(allocatedSearchTableCount(), 3000);
    EXPECT_EQ(captured, "");
    setHashEntryCount(16);
    resizeHashTables();
    setTableMemoryCeiling(384 * 2999);
    setHashEntryCount(3000);
    resizeHashTables();
    EXPECT_EQ(allocatedSearchTableCount(), 2048);
    EXPECT_EQ(threatTableCount(), 2048);
}

TEST_F(HashAllocationTest, NothingFitsLeavesInertTables) {
    setHashEntryCount(8);
    resizeHashTables();
    setTableMemoryCeiling(1);
    setHashEntryCount(4);
    resizeHashTables();
    clearHashTables();
    EXPECT_EQ(allocatedSearchTableCount(), 0);
    EXPECT_EQ(threatTableCount(), 0);
    store(KEY, 1, 1, 3);
    EXPECT_EQ(probe(KEY, 1).score, NO_TABLE_SCORE);
    EXPECT_NE(captured.find("using 0 entries"), std::string::npos) << captured;
    setTableMemoryCeiling(0);
    setHashEntryCount(64);  // memory back: a new count allocates normally
    resizeHashTables();
    EXPECT_EQ(allocatedSearchTableCount(), 64);
}

}  // namespace
