#include "core/clock.h"

#include <chrono>

int clockMs() {
    using namespace std::chrono;
    static const steady_clock::time_point origin = steady_clock::now();
    return static_cast<int>(duration_cast<milliseconds>(steady_clock::now() - origin).count());
}
