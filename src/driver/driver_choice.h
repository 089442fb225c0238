#pragma once
// Which driver a hand-over runs. The dispatcher raises a request flag (QVBALANCE,
// QVNBEST) before it hands a search over; the flag is consumed at the hand-over,
// so that a command arriving while the search runs cannot change what it is.

struct DriverRun {
    enum Kind { TURN, BALANCE, NBEST } kind = TURN;
    int count = 0;  // NBEST: the number of root moves asked for
};

// Consumes the raised request flags: the run the next driver call is to make.
DriverRun takeDriverRequest();

// Runs the driver chosen: the turn's move, the balance pair or the analysis lines.
void runDriver(const DriverRun& run);
