#pragma once
// Wall-clock seconds for the tuning tools' progress lines and time limits.
#include <chrono>

inline double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
