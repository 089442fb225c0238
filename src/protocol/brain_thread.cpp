#include "protocol/brain_thread.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "core/signals.h"
#include "driver/balance_driver.h"
#include "driver/turn_driver.h"
#include "driver/turn_limits.h"

namespace {

enum class BrainState {
    STARTING,     // the thread has not reached its wait yet
    IDLE,         // waiting for a hand-over
    HANDED_OVER,  // a search was handed over; the driver is about to run
    RUNNING,      // a driver or the deferred tasks behind it run, or the tables are prepared
};

// One lock guards the state; every change of state is announced on `changed`.
struct HandOver {
    std::mutex lock;
    std::condition_variable changed;
    BrainState state = BrainState::STARTING;
    bool balanceRun = false;              // the handed-over run is the balance driver
    bool preparationWanted = false;       // table preparation asked for and not yet run
    std::vector<void (*)()> deferred;     // tasks waiting for the running driver to end
};

HandOver handOver;

// Runs the tasks queued while the driver ran; more may arrive meanwhile.
void runDeferredTasks(std::unique_lock<std::mutex>& held) {
    std::vector<void (*)()> batch;
    while (!handOver.deferred.empty()) {
        batch.swap(handOver.deferred);
        held.unlock();
        for (void (*task)() : batch) task();
        batch.clear();
        held.lock();
    }
}

void runDriver(bool balance) {
    if (balance) {
        balanceDriver();
    } else {
        turnDriver();
    }
}

bool workWaiting() {
    return handOver.state == BrainState::HANDED_OVER ||
           (handOver.state == BrainState::IDLE && handOver.preparationWanted);
}

void brainLoop() {
    std::unique_lock<std::mutex> held(handOver.lock);
    handOver.state = BrainState::IDLE;
    handOver.changed.notify_all();
    for (;;) {
        handOver.changed.wait(held, workWaiting);
        const bool search = handOver.state == BrainState::HANDED_OVER;
        const bool prepare = handOver.preparationWanted;
        handOver.preparationWanted = false;
        handOver.state = BrainState::RUNNING;
        const bool balance = handOver.balanceRun;
        held.unlock();
        // A search asked for meanwhile starts its clock after this.
        if (prepare) checkHashSize();
        if (search) runDriver(balance);
        held.lock();
        runDeferredTasks(held);
        handOver.state = BrainState::IDLE;
        handOver.changed.notify_all();
    }
}

// Idle and nothing asked for: a preparation the brain has not picked up yet
// counts as running, so nobody touches the tables beside it.
bool idle() { return handOver.state == BrainState::IDLE && !handOver.preparationWanted; }

void waitUntilIdle(std::unique_lock<std::mutex>& held) {
    handOver.changed.wait(held, idle);
}

}  // namespace

void startBrainThread() {
    std::thread(brainLoop).detach();  // lives until the process exits
    {
        std::unique_lock<std::mutex> held(handOver.lock);
        handOver.changed.wait(held, [] { return handOver.state != BrainState::STARTING; });
    }
    // The default tables are ready before the first search needs them.
    requestTablePreparation();
}

void requestTablePreparation() {
    std::lock_guard<std::mutex> held(handOver.lock);
    handOver.preparationWanted = true;
    handOver.changed.notify_all();
}

void startSearch() {
    std::unique_lock<std::mutex> held(handOver.lock);
    waitUntilIdle(held);  // callers stop first; this only guards against misuse
    brainSignals.stopRequest.store(0);
    handOver.balanceRun = brainSignals.balanceRequest.exchange(0) == 1;
    handOver.state = BrainState::HANDED_OVER;
    handOver.changed.notify_all();
}

void stopSearch() {
    brainSignals.stopRequest.store(1);
    std::unique_lock<std::mutex> held(handOver.lock);
    waitUntilIdle(held);
}

void runWhenIdle(void (*task)()) {
    {
        std::unique_lock<std::mutex> held(handOver.lock);
        if (!idle()) {
            handOver.deferred.push_back(task);
            return;
        }
    }
    // Idle: only this thread can hand a search over, so the brain stays idle meanwhile.
    task();
}

bool searchInProgress() {
    std::lock_guard<std::mutex> held(handOver.lock);
    return handOver.state == BrainState::HANDED_OVER || handOver.state == BrainState::RUNNING;
}
