#include "threats/table_memory.h"

#include "core/platform.h"

namespace {

struct TableMemory {
    int64_t ceiling = 0;
    int64_t held = 0;
};
TableMemory memory;

}  // namespace

void* allocateTableBlock(int64_t bytes) {
    if (bytes <= 0) return nullptr;
    if (memory.ceiling > 0 && memory.held + bytes > memory.ceiling) return nullptr;
    void* block = platformZeroedAlloc(static_cast<size_t>(bytes));
    if (block) memory.held += bytes;
    return block;
}

void freeTableBlock(void* block, int64_t bytes) {
    if (!block) return;
    platformZeroedFree(block, static_cast<size_t>(bytes));
    memory.held -= bytes;
}

void setTableMemoryCeiling(int64_t bytes) { memory.ceiling = bytes; }

int64_t tableMemoryHeld() { return memory.held; }
