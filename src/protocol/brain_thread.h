#pragma once
// The brain thread runs one driver per hand-over (the turn driver, the balance
// driver after QVBALANCE, the swap2 driver after SWAP2BOARD or the analysis after
// QVNBEST) while the main thread keeps reading commands.
//
// Guarantees: exactly one driver run per startSearch; stopSearch returns only when
// no driver runs, including a search handed over but not yet begun; with nothing
// running, stopSearch returns at once. The main thread never waits for a search
// except in stopSearch.
//
// Between searches the brain thread also prepares the transposition tables and
// the helper threads (driver/table_preparation.h), once the manager has paused
// after INFO changed their size or count, and after every search. Nothing is
// prepared before the manager has told the memory limit or asked for a move:
// the limit may still come. A search handed over meanwhile stops that work
// within a fraction of a millisecond and runs with the tables as they are; the
// work goes on after it. The turn's clock runs from the request.

// Starts the brain thread and returns once it waits for its first hand-over.
void startBrainThread();

// Hands one search to the brain thread. The stop request is cleared; the driver
// request is consumed and names this run's driver (driver_choice.h; the turn
// driver when unset).
void startSearch();

// Raises the stop request and returns once no driver runs (and the tasks deferred
// behind it have run). A table preparation may still be running.
void stopSearch();

// Stops a running QVNBEST analysis as stopSearch does, and nothing else: every
// command ends an analysis before it runs, while a move's search goes on
// through INFO, ABOUT, QVBLOCK and QVBLOCKRESET.
void stopAnalysis();

// Runs task now when no search is running; otherwise queues it to run on the brain
// thread right after the current driver, before stopSearch can return. Commands that
// must not stop a search but must not change what it sees use this (QVSHOWFORBID,
// QVHASHCLEAR). Tasks run in the order given.
void runWhenIdle(void (*task)());

// Asks the brain thread to prepare the tables and helpers for the current
// hash_size, max_memory and thread_num once it is idle and the manager has
// paused. memoryLimitKnown: the request comes from INFO max_memory.
void requestTablePreparation(bool memoryLimitKnown);

// The main thread took a command: table preparation waits for a pause.
void noteCommandArrival();

// True while a driver runs or is about to run (for tests).
bool searchInProgress();
