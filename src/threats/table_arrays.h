#pragma once
// The heap arrays of one transposition-table kind and their bookkeeping, the
// same for the threat table and the search table: all arrays are allocated
// together or not at all, and a clean flag spares the clearing of arrays
// nothing was stored in.
//
// Fresh arrays take address space only; their pages are faulted in from the
// first index up, a piece at a time, so that the brain thread can leave that
// work for a search and take it up again after. Probes and stores use only the
// resident front (usable indices, a power of two): a search never waits for a
// page fault, and a search that arrives during the work searches with smaller
// tables. An entry stored under fewer indices may sit where a later probe no
// longer looks; it is then missed like any other entry of another position.
#include <atomic>
#include <cstdint>
#include <cstring>

#include "core/platform.h"
#include "threats/table_memory.h"

// A search request is waiting: table work stops at the next piece.
using TableWorkInterrupted = bool (*)();

template <typename Slot, int ARRAYS, int SLOTS_PER_INDEX>
struct TableArrays {
    // Faulting in this much of each array at a time keeps a waiting search's
    // delay to a few milliseconds.
    static constexpr int64_t PREFAULT_PIECE = 2 << 20;
    static constexpr int64_t INDEX_BYTES = SLOTS_PER_INDEX * static_cast<int64_t>(sizeof(Slot));

    Slot* arrays[ARRAYS] = {};
    int count = 0;     // indices allocated
    int resident = 0;  // indices [0, resident) of every array are faulted in
    int usable = 0;    // indices probes and stores use; 0 = none (probes miss, stores do nothing)
    // Nothing stored since allocation or the last clear; every storing thread
    // may clear it, so it is written only while still set.
    std::atomic<bool> clean = true;

    static int64_t arrayBytes(int n) { return static_cast<int64_t>(n) * INDEX_BYTES; }

    void release() {
        for (Slot*& a : arrays) {
            freeTableBlock(a, arrayBytes(count));
            a = nullptr;
        }
        count = resident = usable = 0;
    }

    // Partial success is no use: on failure everything is given back and the
    // caller chooses a smaller count.
    bool allocate(int n) {
        release();
        count = n;
        for (Slot*& a : arrays) {
            a = static_cast<Slot*>(allocateTableBlock(arrayBytes(n)));
            if (!a) {
                release();
                return false;
            }
        }
        clean = true;  // fresh blocks read as zeros
        return true;
    }

    void noteStore() {
        if (clean.load(std::memory_order_relaxed)) clean.store(false, std::memory_order_relaxed);
    }

    void clear() {
        if (clean) return;
        for (Slot* a : arrays)
            if (a) std::memset(static_cast<void*>(a), 0, static_cast<size_t>(arrayBytes(count)));
        clean = true;
        markResident(count);  // every page was written
    }

    // Faults in the arrays up to index upTo (or their end) a piece at a time;
    // false when interrupted first (a later call goes on from there).
    bool prefault(TableWorkInterrupted interrupted, int upTo) {
        const int end = upTo < count ? upTo : count;
        constexpr int piece =
            PREFAULT_PIECE / INDEX_BYTES > 0 ? static_cast<int>(PREFAULT_PIECE / INDEX_BYTES) : 1;
        while (resident < end) {
            if (interrupted && interrupted()) return false;
            const int next = end - resident < piece ? end : resident + piece;
            for (Slot* a : arrays)
                platformPrefault(reinterpret_cast<char*>(a) + arrayBytes(resident),
                                 static_cast<size_t>(arrayBytes(next - resident)));
            markResident(next);
        }
        return true;
    }

  private:
    // The usable indices: the whole count once all is resident, else the
    // largest power of two that is, so that the masks stay valid.
    void markResident(int n) {
        resident = n;
        if (n == count || n == 0) {
            usable = n;
            return;
        }
        usable = 1;
        while (usable * 2 <= n) usable *= 2;
    }
};
