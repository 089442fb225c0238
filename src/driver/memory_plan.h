#pragma once
// How the process divides INFO max_memory: the transposition tables first,
// then as many search helpers as fit beside them, each with its own search
// thread object. Everything else (code, static state, stacks, the C library)
// is a fixed allowance.

// The hash entry count the tables should have: hash_size, reduced (to a power
// of two) when INFO max_memory sets a limit that the whole process must stay under.
int hashEntryTarget(int hashSize, int maxMemory);

// hashEntryTarget for the present hash_size and max_memory.
int configuredEntryTarget();

// Helper threads (besides the main search thread) that fit under maxMemory
// (0 = no limit) beside tables of entries entries; never below 0.
int helpersThatFit(int maxMemory, int entries);
