#include "core/platform.h"

#if defined(_WIN32)

#include <fcntl.h>
#include <io.h>
#include <malloc.h>
#include <windows.h>

#include <cstdio>

void platformInitStdio() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

int64_t platformMonotonicMs() {
    static const int64_t frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<int64_t>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const int64_t ticks = now.QuadPart;
    // Split so that ticks * 1000 cannot overflow after a long uptime.
    return ticks / frequency * 1000 + ticks % frequency * 1000 / frequency;
}

bool platformWriteStdout(const char* text, int len) {
    // WriteFile on the handle itself: no C runtime translation or buffering between.
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return false;
    while (len > 0) {
        DWORD written = 0;
        if (!WriteFile(out, text, static_cast<DWORD>(len), &written, nullptr) || written == 0)
            return false;
        text += written;
        len -= static_cast<int>(written);
    }
    return true;
}

namespace {

// The large-page size when this process may lock memory in large pages, else 0.
// Large pages need the lock-memory privilege, which an account rarely holds;
// enabling it fails quietly when it is not granted.
size_t largePageSize() {
    static const size_t size = [] {
        const size_t minimum = GetLargePageMinimum();
        if (minimum == 0) return static_cast<size_t>(0);
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
            return static_cast<size_t>(0);
        TOKEN_PRIVILEGES wanted{};
        wanted.PrivilegeCount = 1;
        wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        bool held = LookupPrivilegeValueA(nullptr, "SeLockMemoryPrivilege", &wanted.Privileges[0].Luid) &&
                    AdjustTokenPrivileges(token, FALSE, &wanted, 0, nullptr, nullptr) &&
                    GetLastError() == ERROR_SUCCESS;
        CloseHandle(token);
        return held ? minimum : static_cast<size_t>(0);
    }();
    return size;
}

}  // namespace

void* platformZeroedAlloc(size_t bytes) {
    const size_t large = largePageSize();
    if (large != 0 && bytes >= large) {
        const size_t rounded = (bytes + large - 1) / large * large;
        void* block =
            VirtualAlloc(nullptr, rounded, MEM_RESERVE | MEM_COMMIT | MEM_LARGE_PAGES, PAGE_READWRITE);
        if (block) return block;  // large pages are resident and zeroed already
    }
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void platformPrefault(void* block, size_t bytes) {
    // Rewriting a byte with its own value commits the page without changing it.
    volatile char* p = static_cast<volatile char*>(block);
    for (size_t i = 0; i < bytes; i += 4096) p[i] = p[i];
}

void platformZeroedFree(void* block, size_t) {
    VirtualFree(block, 0, MEM_RELEASE);
}

void platformExit(int status) {
    // TerminateProcess rather than ExitProcess: the latter runs library detach
    // code after killing the other threads, which can wait forever on a lock the
    // brain thread held.
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(status));
    ExitProcess(static_cast<UINT>(status));  // not reached; it tells the compiler so
}

#else

#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

void platformInitStdio() {}

int64_t platformMonotonicMs() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

bool platformWriteStdout(const char* text, int len) {
    while (len > 0) {
        ssize_t n = ::write(1, text, static_cast<size_t>(len));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text += n;
        len -= static_cast<int>(n);
    }
    return true;
}

namespace {

constexpr size_t SMALL_PAGE = 4096;
constexpr size_t HUGE_PAGE = 2u << 20;

// WebAssembly (emscripten) has no huge pages, and its munmap gives back whole
// mappings only: trimming one fails, and with threads leaves its lock held.
#ifdef __EMSCRIPTEN__
constexpr bool ALIGN_TO_HUGE_PAGES = false;
#else
constexpr bool ALIGN_TO_HUGE_PAGES = true;
#endif

void* mapAnonymous(size_t bytes) {
    void* block = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return block == MAP_FAILED ? nullptr : block;
}

size_t roundUp(size_t n, size_t unit) { return (n + unit - 1) / unit * unit; }

}  // namespace

void* platformZeroedAlloc(size_t bytes) {
    if (!ALIGN_TO_HUGE_PAGES || bytes < HUGE_PAGE) return mapAnonymous(bytes);
    // Map a huge page more than asked for, then give back the unaligned head and
    // the tail, so the block starts on a huge-page boundary.
    const size_t span = roundUp(bytes, SMALL_PAGE) + HUGE_PAGE;
    char* raw = static_cast<char*>(mapAnonymous(span));
    if (!raw) return nullptr;
    char* aligned = reinterpret_cast<char*>(roundUp(reinterpret_cast<uintptr_t>(raw), HUGE_PAGE));
    char* end = aligned + roundUp(bytes, SMALL_PAGE);
    if (aligned > raw) ::munmap(raw, static_cast<size_t>(aligned - raw));
    if (raw + span > end) ::munmap(end, static_cast<size_t>(raw + span - end));
#ifdef MADV_HUGEPAGE
    ::madvise(aligned, bytes, MADV_HUGEPAGE);  // advice only: plain pages serve as well
#endif
    return aligned;
}

void platformPrefault(void* block, size_t bytes) {
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif
    // One call faults the whole block in (Linux 5.14 and later); older kernels
    // refuse it, and then one write per page does the same.
    if (::madvise(block, bytes, MADV_POPULATE_WRITE) == 0) return;
    volatile char* p = static_cast<volatile char*>(block);
    for (size_t i = 0; i < bytes; i += SMALL_PAGE) p[i] = p[i];
}

void platformZeroedFree(void* block, size_t bytes) {
    ::munmap(block, bytes);
}

void platformExit(int status) {
    ::_exit(status);
}

#endif
