// The brain of the single-threaded WebAssembly build: protocol/brain_thread.h
// without a thread. A worker without shared memory cannot run a search beside
// the command loop, so a hand-over runs its driver at once and returns when the
// move (or the analysis) is written; commands that arrive meanwhile wait in the
// worker's message queue. The page stops a search by ending the worker.
#include "protocol/brain_thread.h"

#include "core/clock.h"
#include "core/signals.h"
#include "driver/driver_choice.h"
#include "driver/table_preparation.h"
#include "driver/turn_limits.h"

// No start-up preparation: the page sends its memory limit after loading the
// module, and the first search sizes the tables (tablesForTurn) from it, so the
// default tables, too large for a browser, are never allocated.
void startBrainThread() {}

// A search uses the part of the tables already resident; with no thread to
// prepare them between searches, the rest is made resident (and a changed size
// taken) right after the driver has written its reply.
void startSearch() {
    setTurnRequestTime(clockMs());
    brainSignals.stopRequest.store(0);
    runDriver(takeDriverRequest());
    prepareTablesAndHelpers(nullptr);
}

// A search never runs while a command is taken.
void stopSearch() {}

void stopAnalysis() {}

void runWhenIdle(void (*task)()) { task(); }

// The next search's end prepares the tables for the new size.
void requestTablePreparation(bool) {}

void noteCommandArrival() {}

bool searchInProgress() { return false; }
