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

void* platformZeroedAlloc(size_t bytes) {
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
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

void* platformZeroedAlloc(size_t bytes) {
    void* block = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return block == MAP_FAILED ? nullptr : block;
}

void platformZeroedFree(void* block, size_t bytes) {
    ::munmap(block, bytes);
}

void platformExit(int status) {
    ::_exit(status);
}

#endif
