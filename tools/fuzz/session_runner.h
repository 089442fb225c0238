#pragma once
// Runs arbitrary bytes through the engine's command loop inside this process,
// as if they were the whole standard input of one engine session. Searches
// are held to a few thousand nodes and the tables to a few thousand entries,
// so one session takes milliseconds, whatever the bytes ask for.
#include <cstddef>
#include <cstdint>

// Dispatches every line of data until its end or END, waits for a running
// search to finish, then puts settings and game back to their start values.
void runFuzzSession(const uint8_t* data, size_t size);
