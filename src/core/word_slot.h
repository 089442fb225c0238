#pragma once
// A table slot that threads may read and write at the same time without a lock:
// the entry is held as whole 64-bit words, each loaded and stored on its own
// (relaxed). A load may therefore mix the words of two stores; the tables
// detect such a torn entry with check words of their own.
#include <atomic>
#include <cstdint>
#include <cstring>
#include <type_traits>

template <typename Entry>
struct WordSlot {
    static_assert(sizeof(Entry) % sizeof(uint64_t) == 0 && std::is_trivially_copyable_v<Entry>);
    static constexpr int WORDS = sizeof(Entry) / sizeof(uint64_t);
    std::atomic<uint64_t> words[WORDS];

    Entry load() const {
        uint64_t w[WORDS];
        for (int i = 0; i < WORDS; ++i) w[i] = words[i].load(std::memory_order_relaxed);
        Entry e;
        std::memcpy(&e, w, sizeof e);
        return e;
    }

    void save(const Entry& e) {
        uint64_t w[WORDS];
        std::memcpy(w, &e, sizeof w);
        for (int i = 0; i < WORDS; ++i) words[i].store(w[i], std::memory_order_relaxed);
    }
};
