#include "driver/driver_choice.h"

#include "driver/balance_driver.h"
#include "driver/nbest_driver.h"
#include "driver/swap2_driver.h"
#include "driver/turn_driver.h"

DriverRun takeDriverRequest() {
    DriverRun run;
    run.kind = brainSignals.driverRequest.exchange(TURN_DRIVER);
    run.count = brainSignals.nbestCount.exchange(0);
    return run;
}

void runDriver(const DriverRun& run) {
    switch (run.kind) {
        case BALANCE_DRIVER: return balanceDriver();
        case SWAP2_DRIVER: return swap2Driver();
        case NBEST_DRIVER: return nbestDriver(run.count < 1 ? 1 : run.count);
        default: return turnDriver();
    }
}
