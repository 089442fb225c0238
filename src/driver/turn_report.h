#pragma once
// The lines the turn driver writes about its search, in the order a turn
// writes them: detail lines per iteration, then the summary, the best line and
// the blocked points, all before the move.

// One iteration of depth d with result r (cut short: marked with a star).
// Written only from depth 5 on and with show_detail set.
void writeIterationDetail(int depth, int result, bool cutShort);

// Summary, best line and blocked points for the finished turn. value is the
// turn's value; the elapsed time is the final turn start time.
void writeTurnReport(int value);

// The mood printed after the evaluation.
const char* moodOf(int value);
