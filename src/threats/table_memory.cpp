#include "threats/table_memory.h"

#include <cstdlib>

namespace {

struct TableMemory {
    int64_t ceiling = 0;
    int64_t held = 0;
};
TableMemory memory;

constexpr int64_t CACHE_LINE = 64;

}  // namespace

void* allocateTableBlock(int64_t bytes) {
    if (bytes <= 0) return nullptr;
    if (memory.ceiling > 0 && memory.held + bytes > memory.ceiling) return nullptr;
    // aligned_alloc wants a size that is a multiple of the alignment.
    int64_t rounded = (bytes + CACHE_LINE - 1) / CACHE_LINE * CACHE_LINE;
    void* block = std::aligned_alloc(CACHE_LINE, static_cast<size_t>(rounded));
    if (block) memory.held += bytes;
    return block;
}

void freeTableBlock(void* block, int64_t bytes) {
    if (!block) return;
    std::free(block);
    memory.held -= bytes;
}

void setTableMemoryCeiling(int64_t bytes) { memory.ceiling = bytes; }

int64_t tableMemoryHeld() { return memory.held; }
