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
// Between searches the brain thread also prepares the transposition tables
// (allocates them and faults their pages in): at start-up, and after INFO
// changed their size once the manager has paused, so that no search pays for
// it. A search handed over meanwhile starts after that work; its turn's clock
// runs from the request all the same.

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

// Asks the brain thread to prepare the tables for the current hash_size and
// max_memory once it is idle and the manager has paused.
void requestTablePreparation();

// The main thread took a command: table preparation waits for a pause.
void noteCommandArrival();

// True while a driver runs or is about to run (for tests).
bool searchInProgress();
