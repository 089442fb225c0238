#pragma once
// Heap blocks for the transposition tables, the engine's only heap memory.
// A ceiling on the bytes held makes an allocation fail on purpose, so that the
// fallback after a failed allocation can be exercised without exhausting memory.
#include <cstdint>

// A page-aligned block of bytes bytes that reads as zeros (no clearing needed),
// or nullptr when the request exceeds the ceiling or the system refuses it.
void* allocateTableBlock(int64_t bytes);
// Gives back a block from allocateTableBlock together with its size; nullptr is ignored.
void freeTableBlock(void* block, int64_t bytes);

// Total bytes the tables may hold at once; 0 = no ceiling (the default).
void setTableMemoryCeiling(int64_t bytes);
int64_t tableMemoryHeld();
