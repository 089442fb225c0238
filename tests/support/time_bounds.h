#pragma once
// Time bounds of the functional tests ("answers within the turn"): generous in
// the release build, ten times wider in Debug and sanitizer builds, which run
// several times slower and meet loaded CI machines. Speed itself is measured by
// the benchmarks, never here.
inline int timeBound(int releaseMs) {
#ifdef VODARO_SLOW_BUILD
    return releaseMs * 10;
#else
    return releaseMs;
#endif
}
