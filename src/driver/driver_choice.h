#pragma once
// Which driver a hand-over runs. The dispatcher names it in the driver request
// (QVBALANCE, QVNBEST, SWAP2BOARD) before it hands a search over; the request is
// consumed at the hand-over, so that a command arriving while the search runs
// cannot change what it is.
#include "core/signals.h"

struct DriverRun {
    int kind = TURN_DRIVER;  // a DriverKind
    int count = 0;           // NBEST_DRIVER: the number of root moves asked for
};

// Consumes the driver request: the run the next driver call is to make.
DriverRun takeDriverRequest();

// Runs the driver chosen: the turn's move, the balance pair, the swap2 answer or
// the analysis lines.
void runDriver(const DriverRun& run);
