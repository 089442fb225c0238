#pragma once
// Limits and set-up steps shared by the turn driver and the balance driver.
#include "core/limits.h"

// Deepest iteration either driver starts, whatever max_depth says. The per-ply
// work areas hold MAX_PLY rows and the search turns nodes near the last row into
// leaves, so a nominal depth beyond half of the rows would only be cut short by
// that bound; keeping iterations here leaves the other half for forced blocks
// and extensions.
constexpr int MAX_ITERATION_DEPTH = MAX_PLY / 2;

// The time this turn may use: timeout_turn, or less when the match clock's
// share for this move is smaller (see turnBudgetFor).
int computeTurnBudget();

// The engine's own moves a game is still likely to need, from the record
// length and the points of the board: long games are rare, so the estimate
// shrinks as the record grows, but never below a floor, and never beyond the
// empty points.
int expectedMovesToGo(int recordLength, int points);

// min(timeoutTurn, what time_left allows): the match time, less a reserve for
// the manager's own overhead, shared over the moves still expected, plus the
// search's stop margin, so that the search stops when its share is spent.
int turnBudgetFor(int timeoutTurn, int timeLeft, int recordLength, int points);

// The clock reading when the manager's request for the next driver run
// arrived; that run's turn clock starts there, so that waiting for the brain
// thread counts against the turn.
void setTurnRequestTime(int ms);
// The start of this run's turn clock: the request time when one was set (it is
// then forgotten), else now.
int takeTurnStartTime();

// True once a quarter of the node limit is spent: no further iteration starts.
bool nodeQuotaSpent();

// The deepest iteration allowed by max_depth and by the work areas.
int iterationDepthLimit();

// A score clamped to the -10000 ... 10000 range of the reports.
inline int reportedValue(int v) {
    return v > 10000 ? 10000 : (v < -10000 ? -10000 : v);
}

// Board notation of a point: the number sizeX - x, then the letter 'A' + y.
inline int notationNumber(int sizeX, int x) {
    return sizeX - x;
}
inline char notationLetter(int y) {
    return static_cast<char>('A' + y);
}
