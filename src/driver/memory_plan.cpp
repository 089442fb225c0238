#include "driver/memory_plan.h"

#include <cstdint>

#include "core/settings.h"
#include "search/search_table.h"
#include "search/search_thread.h"

namespace {

// Memory the process needs besides the tables and the helpers: its resident
// size with one-entry tables is about 10 MiB; the rest is headroom.
constexpr int64_t NON_TABLE_BYTES = 24ll << 20;

// A helper's search thread object (it is written whole when made) and the
// part of its stack a search touches.
constexpr int64_t HELPER_BYTES = static_cast<int64_t>(sizeof(SearchThread)) + (256ll << 10);

constexpr int NO_HELPER_LIMIT = 1 << 20;

}  // namespace

int hashEntryTarget(int hashSize, int maxMemory) {
    int n = hashSize < 1 ? 1 : hashSize;
    if (maxMemory <= 0) return n;
    const int64_t room = static_cast<int64_t>(maxMemory) - NON_TABLE_BYTES;
    int cap = 1;
    while (cap < (1 << 30) && static_cast<int64_t>(cap) * 2 * TABLE_BYTES_PER_ENTRY <= room)
        cap *= 2;
    return n < cap ? n : cap;
}

int configuredEntryTarget() {
    return hashEntryTarget(settings.hashSize.load(), settings.maxMemory.load());
}

int helpersThatFit(int maxMemory, int entries) {
    if (maxMemory <= 0) return NO_HELPER_LIMIT;
    const int64_t room = static_cast<int64_t>(maxMemory) - NON_TABLE_BYTES -
                         static_cast<int64_t>(entries) * TABLE_BYTES_PER_ENTRY;
    return room > 0 ? static_cast<int>(room / HELPER_BYTES) : 0;
}
