#pragma once
// One search thread's own state: everything a search writes while it runs, so
// that searches on several threads never share a work area. The drivers run
// the main thread's; the transposition tables stay shared by all.
#include "search/root_report.h"
#include "search/search_state.h"
#include "threats/threat_thread.h"

struct SearchThread : ThreatThread {
    SearchState state;
    RootResult root;
};

// The thread the drivers search with and read the results of.
extern SearchThread mainThread;
