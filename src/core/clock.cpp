#include "core/clock.h"

#include "core/platform.h"

int clockMs() {
    static const int64_t origin = platformMonotonicMs();
    return static_cast<int>(platformMonotonicMs() - origin);
}
