#include "driver/table_preparation.h"

#include "driver/memory_plan.h"
#include "driver/search_helpers.h"
#include "driver/turn_state.h"
#include "search/alpha_beta.h"
#include "search/search_table.h"
#include "search/search_thread.h"

namespace {

// Entries a turn makes resident itself when it finds fewer: 6 MiB, a couple of
// milliseconds of page faults, which a short search fills no faster than a
// large table.
constexpr int TURN_ENTRIES = 16384;

// The count is set before anything is allocated: the first call allocates. The
// count asked for is kept after a fallback, so a shortage is reported once.
void resizeTables() {
    const int wanted = configuredEntryTarget();
    if (wanted == searchTableCount() && allocatedSearchTableCount() != 0) return;
    setHashEntryCount(wanted);
    resizeHashTables();
    clearHashTables();
}

}  // namespace

void tablesForTurn() {
    if (allocatedSearchTableCount() == 0) resizeTables();
    prefaultHashTables(nullptr, TURN_ENTRIES);
}

bool prepareTablesAndHelpers(TableWorkInterrupted interrupted) {
    resizeTables();
    return prefaultHashTables(interrupted) && resizeHelperPool(interrupted);
}

void startReproducibleSearch() {
    prepareTablesAndHelpers(nullptr);
    clearHashTables();
    resetSearchState(mainThread);
    turnState.lastTurnValue = 0;
    turnState.bestLineLength = 0;
    mainThread.control.rootDepth = 0;
}
