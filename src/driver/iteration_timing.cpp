#include "driver/iteration_timing.h"

#include <cmath>

namespace {

// Bounds on the predicted growth of one iteration over the last.
constexpr double MIN_GROWTH = 1.5;
constexpr double MAX_GROWTH = 12.0;
// Used before any growth has been measured.
constexpr double DEFAULT_GROWTH = 4.0;
// An iteration starts when this part of its predicted time fits before the hard
// stop: the first root move, the one most likely to stay best, takes a large
// part of an iteration, and a cut-short iteration keeps what it found.
constexpr double USEFUL_PART = 0.25;
// Below this many milliseconds the clock is too coarse to measure a node rate,
// and another iteration costs next to nothing.
constexpr int MEASURABLE_MS = 5;

double clampGrowth(double g) {
    return g < MIN_GROWTH ? MIN_GROWTH : (g > MAX_GROWTH ? MAX_GROWTH : g);
}

}  // namespace

void resetIterationTiming(IterationTiming& t, int nowMs, int64_t nodes) {
    t = IterationTiming{};
    t.startMs = nowMs;
    t.startNodes = nodes;
}

void recordIteration(IterationTiming& t, int64_t nodes) {
    if (nodes < 1) nodes = 1;
    t.previousGrowth = t.newestGrowth;
    t.newestGrowth = t.lastNodes > 0 ? static_cast<double>(nodes) / static_cast<double>(t.lastNodes) : 0;
    t.lastNodes = nodes;
}

double predictedGrowth(const IterationTiming& t) {
    if (t.newestGrowth <= 0) return DEFAULT_GROWTH;
    if (t.previousGrowth <= 0) return clampGrowth(t.newestGrowth);
    return clampGrowth(std::sqrt(t.newestGrowth * t.previousGrowth));
}

bool nextIterationFits(const IterationTiming& t, int nowMs, int stopMs, int64_t nodes) {
    if (nowMs >= stopMs) return false;
    const int searchedMs = nowMs - t.startMs;
    const int64_t searched = nodes - t.startNodes;
    if (searchedMs < MEASURABLE_MS || t.lastNodes == 0 || searched < 1) return true;
    const double msPerNode = static_cast<double>(searchedMs) / static_cast<double>(searched);
    const double predictedMs = static_cast<double>(t.lastNodes) * predictedGrowth(t) * msPerNode;
    return nowMs + USEFUL_PART * predictedMs < stopMs;
}
