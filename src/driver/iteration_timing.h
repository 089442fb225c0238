#pragma once
// When to start another iteration of the deepening: from the node counts of the
// iterations so far, predict what the next one costs, and start it only when a
// useful part of it fits before the search's hard stop. A cut-short iteration
// still counts once its first root move (the last best move) is searched, so an
// iteration need not fit whole to be worth starting.
#include <cstdint>

struct IterationTiming {
    int64_t lastNodes = 0;      // nodes of the last completed iteration
    double newestGrowth = 0;    // its nodes over the nodes of the iteration before; 0 = unknown
    double previousGrowth = 0;  // the factor measured one iteration earlier; 0 = unknown
};

// Forgets the last turn's iterations.
void resetIterationTiming(IterationTiming& t);

// Records a completed iteration that took nodes nodes.
void recordIteration(IterationTiming& t, int64_t nodes);

// The factor by which the next iteration's nodes are expected to exceed the
// last one's: the geometric mean of the last two growth factors (trees of odd
// and even depths grow by different factors), within sane bounds.
double predictedGrowth(const IterationTiming& t);

// True when the next iteration should start: elapsedMs of the turn are spent,
// the search stops itself at hardStopMs, and nodesSoFar nodes were searched.
bool nextIterationFits(const IterationTiming& t, int elapsedMs, int hardStopMs, int64_t nodesSoFar);
