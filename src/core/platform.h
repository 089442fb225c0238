#pragma once
// The engine's platform layer: the few things that differ between the POSIX build
// and the Windows build (mingw-w64) live here and nowhere else.
//
// Threads and locks are the C++ standard library's (std::thread, std::mutex,
// std::condition_variable, std::atomic). Both toolchains implement them; the
// Windows toolchain is the posix-thread variant of mingw-w64, which builds them on
// winpthreads, linked statically. The brain thread's stack is as large on Windows
// as on Linux because the Windows link gives every thread an 8 MiB reserve.
//
// Line ends: input lines may end in LF or CRLF on every platform (the line reader
// drops the carriage return); output lines always end in a bare LF, which the
// Windows managers accept, so the engine writes the same bytes everywhere.
#include <cstddef>
#include <cstdint>

// Puts standard input and standard output in binary mode. On Windows, text mode
// would turn every LF written into CRLF and would take a Ctrl-Z byte in the input
// for the end of input; elsewhere there is nothing to do. Call once, first thing.
void platformInitStdio();

// Milliseconds of a monotonic clock from an arbitrary origin; never goes back.
int64_t platformMonotonicMs();

// Writes len bytes to standard output, all of them, unbuffered, retrying after
// interruptions and partial writes. False when the output is closed (the reader is
// gone); nothing more can be said then.
bool platformWriteStdout(const char* text, int len);

// A page-aligned block of bytes bytes that reads as zeros, or nullptr when the
// system refuses it. Give it back with platformZeroedFree and the same size.
// Blocks of a huge page or more ask for huge pages: on Linux the block is aligned
// to 2 MiB and advised for transparent huge pages; on Windows large pages are
// used when the process holds the lock-memory privilege, plain pages otherwise.
// Plain pages are taken from the system only when first touched (see
// platformPrefault).
void* platformZeroedAlloc(size_t bytes);
void platformZeroedFree(void* block, size_t bytes);

// Makes every page of a fresh block from platformZeroedAlloc resident, so that
// the searches that use it later pay no page faults. The contents stay as they
// are (all zeros).
void platformPrefault(void* block, size_t bytes);

// Ends the process at once with the given status: no static destructors, no exit
// handlers, no waiting for other threads (the brain thread may still be using
// the engine's static state). Output needs no flushing, it is never buffered.
[[noreturn]] void platformExit(int status);
