#pragma once
// When to start another iteration of the deepening: from the node counts of the
// iterations so far, predict what the next one costs, and start it only when a
// useful part of it fits before the search's hard stop. A cut-short iteration
// still counts once its first root move (the last best move) is searched, so an
// iteration need not fit whole to be worth starting.
#include <cstdint>

struct IterationTiming {
    int startMs = 0;            // clock when the deepening began (after the turn's set-up)
    int64_t startNodes = 0;     // node counter then
    int64_t lastNodes = 0;      // nodes of the last completed iteration
    double newestGrowth = 0;    // its nodes over the nodes of the iteration before; 0 = unknown
    double previousGrowth = 0;  // the factor measured one iteration earlier; 0 = unknown
};

// Forgets the last turn's iterations; the node rate is measured from nowMs and
// nodes on, so that the turn's set-up (building the board, preparing the
// tables) does not count as search time.
void resetIterationTiming(IterationTiming& t, int nowMs, int64_t nodes);

// Records a completed iteration that took nodes nodes.
void recordIteration(IterationTiming& t, int64_t nodes);

// The factor by which the next iteration's nodes are expected to exceed the
// last one's: the geometric mean of the last two growth factors (trees of odd
// and even depths grow by different factors), within sane bounds.
double predictedGrowth(const IterationTiming& t);

// True when the next iteration should start: nowMs is the clock, the search
// stops itself at stopMs (both on the clock), and the node counter reads nodes.
bool nextIterationFits(const IterationTiming& t, int nowMs, int stopMs, int64_t nodes);
