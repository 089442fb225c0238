#include "driver/driver_choice.h"

#include "core/signals.h"
#include "driver/balance_driver.h"
#include "driver/nbest_driver.h"
#include "driver/turn_driver.h"

DriverRun takeDriverRequest() {
    DriverRun run;
    const int nbest = brainSignals.nbestRequest.exchange(0);
    if (brainSignals.balanceRequest.exchange(0) == 1) {
        run.kind = DriverRun::BALANCE;
    } else if (nbest > 0) {
        run.kind = DriverRun::NBEST;
        run.count = nbest;
    }
    return run;
}

void runDriver(const DriverRun& run) {
    switch (run.kind) {
        case DriverRun::BALANCE: return balanceDriver();
        case DriverRun::NBEST: return nbestDriver(run.count);
        case DriverRun::TURN: return turnDriver();
    }
}
