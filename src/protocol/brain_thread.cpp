#include "protocol/brain_thread.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "core/clock.h"
#include "core/signals.h"
#include "driver/driver_choice.h"
#include "driver/table_preparation.h"
#include "driver/turn_limits.h"

namespace {

enum class BrainState {
    STARTING,     // the thread has not reached its wait yet
    IDLE,         // waiting for a hand-over
    HANDED_OVER,  // a search was handed over; the driver is about to run
    RUNNING,      // a driver or the deferred tasks behind it run
    PREPARING,    // the brain thread prepares the tables between searches
    MAIN_TASK,    // the main thread runs a task of runWhenIdle
};

// A preparation asked for by INFO waits until the manager has sent nothing for
// this long, so that a burst of INFO lines (max_memory, hash_size and
// thread_num together) is prepared for once.
constexpr int PREPARATION_QUIET_MS = 50;

// One lock guards the state; every change of state is announced on `changed`.
struct HandOver {
    std::mutex lock;
    std::condition_variable changed;
    BrainState state = BrainState::STARTING;
    DriverRun run;                     // the driver the handed-over search runs
    int askedAt = 0;                   // clock when the handed-over search was asked for
    bool preparationWanted = false;    // table preparation asked for and not yet finished
    // Tables may be prepared: the memory limit is known (INFO max_memory came)
    // or a search has run (a limit sent after that one is honoured from then on).
    bool preparationAllowed = false;
    int lastCommandAt = 0;             // clock when the main thread last took a command
    std::vector<void (*)()> deferred;  // tasks waiting for the brain thread's work to end
    int tasksInFlight = 0;             // deferred tasks queued or running
};

HandOver handOver;

// Set while a search request waits for the brain thread: its table work stops
// at the next piece and goes on after the search.
std::atomic<bool> searchWaiting = false;

bool searchIsWaiting() { return searchWaiting.load(std::memory_order_relaxed); }

void prepareForSearches() {
    const bool done = prepareTablesAndHelpers(searchIsWaiting);
    std::lock_guard<std::mutex> held(handOver.lock);
    if (!done) handOver.preparationWanted = true;
}

// Runs the tasks queued while the brain thread worked; more may arrive meanwhile.
void runDeferredTasks(std::unique_lock<std::mutex>& held) {
    std::vector<void (*)()> batch;
    while (!handOver.deferred.empty()) {
        batch.swap(handOver.deferred);
        held.unlock();
        for (void (*task)() : batch) task();
        held.lock();
        handOver.tasksInFlight -= static_cast<int>(batch.size());
        batch.clear();
    }
}

// Runs work with the lock released in the given state, then the deferred tasks,
// then goes back to idle.
template <typename Work>
void runInState(std::unique_lock<std::mutex>& held, BrainState state, Work work) {
    handOver.state = state;
    held.unlock();
    work();
    held.lock();
    runDeferredTasks(held);
    handOver.state = BrainState::IDLE;
    handOver.changed.notify_all();
}

void runHandedOver(std::unique_lock<std::mutex>& held) {
    const DriverRun run = handOver.run;
    const int askedAt = handOver.askedAt;
    runInState(held, BrainState::RUNNING, [run, askedAt] {
        // The turn's clock runs from the request: waiting for the brain counts.
        setTurnRequestTime(askedAt);
        runDriver(run);
    });
    // A new hash_size or thread_num sent with this search, or the tables of
    // the first search, are made ready after its reply.
    handOver.preparationAllowed = true;
    handOver.preparationWanted = true;
}

void brainLoop() {
    std::unique_lock<std::mutex> held(handOver.lock);
    handOver.state = BrainState::IDLE;
    handOver.changed.notify_all();
    for (;;) {
        if (handOver.state == BrainState::HANDED_OVER) {
            runHandedOver(held);
        } else if (handOver.state == BrainState::IDLE && handOver.preparationWanted &&
                   handOver.preparationAllowed && !searchIsWaiting()) {
            const int quiet = clockMs() - handOver.lastCommandAt;
            if (quiet >= PREPARATION_QUIET_MS) {
                handOver.preparationWanted = false;
                runInState(held, BrainState::PREPARING, prepareForSearches);
            } else {
                handOver.changed.wait_for(held, std::chrono::milliseconds(PREPARATION_QUIET_MS - quiet));
            }
        } else {
            handOver.changed.wait(held);
        }
    }
}

bool idle() { return handOver.state == BrainState::IDLE; }

// No driver runs: idle, or only preparing the tables, which no command but the
// ones run through runWhenIdle touches; those, once queued, must have run too.
bool noDriver() {
    return idle() || (handOver.state == BrainState::PREPARING && handOver.tasksInFlight == 0);
}

}  // namespace

void startBrainThread() {
    std::thread(brainLoop).detach();  // lives until the process exits
    std::unique_lock<std::mutex> held(handOver.lock);
    handOver.changed.wait(held, [] { return handOver.state != BrainState::STARTING; });
}

void noteCommandArrival() {
    std::lock_guard<std::mutex> held(handOver.lock);
    handOver.lastCommandAt = clockMs();
}

void requestTablePreparation(bool memoryLimitKnown) {
    std::lock_guard<std::mutex> held(handOver.lock);
    handOver.preparationWanted = true;
    if (memoryLimitKnown) handOver.preparationAllowed = true;
    handOver.changed.notify_all();
}

void startSearch() {
    const int askedAt = clockMs();
    searchWaiting.store(true, std::memory_order_relaxed);
    std::unique_lock<std::mutex> held(handOver.lock);
    handOver.changed.wait(held, idle);  // callers stop first; a table preparation stops soon
    searchWaiting.store(false, std::memory_order_relaxed);
    brainSignals.stopRequest.store(0);
    handOver.run = takeDriverRequest();
    handOver.askedAt = askedAt;
    handOver.state = BrainState::HANDED_OVER;
    handOver.changed.notify_all();
}

void stopSearch() {
    brainSignals.stopRequest.store(1);
    std::unique_lock<std::mutex> held(handOver.lock);
    handOver.changed.wait(held, noDriver);
}

void stopAnalysis() {
    {
        std::lock_guard<std::mutex> held(handOver.lock);
        const bool searching = handOver.state == BrainState::HANDED_OVER || handOver.state == BrainState::RUNNING;
        if (!searching || handOver.run.kind != NBEST_DRIVER) return;
    }
    // Only this thread hands searches over: the analysis is still the one running or done.
    stopSearch();
}

void runWhenIdle(void (*task)()) {
    {
        std::unique_lock<std::mutex> held(handOver.lock);
        if (!idle()) {
            handOver.deferred.push_back(task);
            ++handOver.tasksInFlight;
            return;
        }
        // The brain thread starts nothing while the main thread runs the task.
        handOver.state = BrainState::MAIN_TASK;
    }
    task();
    std::lock_guard<std::mutex> held(handOver.lock);
    handOver.state = BrainState::IDLE;
    handOver.changed.notify_all();
}

bool searchInProgress() {
    std::lock_guard<std::mutex> held(handOver.lock);
    return handOver.state == BrainState::HANDED_OVER || handOver.state == BrainState::RUNNING;
}
