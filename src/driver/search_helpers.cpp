#include "driver/search_helpers.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "board/geometry.h"
#include "core/game_state.h"
#include "core/output.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "driver/memory_plan.h"
#include "driver/turn_limits.h"
#include "search/alpha_beta.h"
#include "search/search_thread.h"
#include "threats/evaluate.h"

namespace {

struct Helper {
    std::unique_ptr<SearchThread> thread;  // about 3 MiB, written whole when made
    std::thread worker;
};

// The pool's threads wait for a new search number, search, and report idle.
// Only the brain thread changes the helper list, between searches; everything
// else is guarded by lock.
struct HelperPool {
    HelperPool() { helpers.reserve(MAX_SEARCH_THREADS); }  // a growing list never moves
    std::mutex lock;
    std::condition_variable wake;  // a search started, or helpers must end
    std::condition_variable idle;  // the last running helper finished
    std::vector<Helper> helpers;
    int searchNumber = 0;
    int running = 0;
    int active = 0;  // the first this many helpers take part in the current search
    int kept = 0;    // helpers from this index on end
    int colour = 0;
};

// Never destroyed: the helpers wait on it until the process exits.
HelperPool& pool = *new HelperPool;

// Iterative deepening until the group's stop. The first helper and every
// other one after it start one depth further, so that with the main thread the
// threads spread over two depths and fill the tables ahead of it: a lone
// helper on the main thread's depths would mostly repeat its work.
void helperSearch(SearchThread& t, int index, int colour) {
    for (int d = 1 + (index + 1) % 2; d <= MAX_ITERATION_DEPTH; ++d) {
        if (game.recordLength + d > geometry.sizeX * geometry.sizeY) break;
        t.control.rootDepth = d;
        t.root.onlyMoveFlag = 0;
        alphaBeta(t, d, -ROOT_WINDOW, ROOT_WINDOW, colour, 0);
        if (t.control.searchStopFlag != 0) break;
    }
}

void helperLoop(SearchThread* t, int index, int seen) {
    for (;;) {
        int colour = 0;
        {
            std::unique_lock<std::mutex> hold(pool.lock);
            pool.wake.wait(hold, [&] { return index >= pool.kept || pool.searchNumber != seen; });
            if (index >= pool.kept) return;
            seen = pool.searchNumber;
            if (index >= pool.active) continue;
            colour = pool.colour;
        }
        helperSearch(*t, index, colour);
        std::lock_guard<std::mutex> hold(pool.lock);
        if (--pool.running == 0) pool.idle.notify_all();
    }
}

void addHelper() {
    Helper h;
    h.thread = std::make_unique<SearchThread>();
    resetSearchState(*h.thread);
    resetEvaluationState(*h.thread);
    h.thread->control.helper = true;
    const int index = static_cast<int>(pool.helpers.size());
    int seen = 0;
    {
        std::lock_guard<std::mutex> hold(pool.lock);
        pool.kept = index + 1;
        seen = pool.searchNumber;  // it waits for the next search
    }
    h.worker = std::thread(helperLoop, h.thread.get(), index, seen);
    pool.helpers.push_back(std::move(h));
}

void dropHelpersFrom(int count) {
    {
        std::lock_guard<std::mutex> hold(pool.lock);
        pool.kept = count;
    }
    pool.wake.notify_all();
    for (size_t i = static_cast<size_t>(count); i < pool.helpers.size(); ++i) pool.helpers[i].worker.join();
    pool.helpers.erase(pool.helpers.begin() + count, pool.helpers.end());
}

int askedThreadCount() {
    return std::clamp(settings.threadNum.load(std::memory_order_relaxed), 1, MAX_SEARCH_THREADS);
}

int machineThreads() {
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return cores > 0 ? cores : 1;
}

// Says once per change of the asked-for or possible count why the searches
// use fewer threads than asked for.
void reportThreadLimit(int asked, int target) {
    static int reportedAsked = 1, reportedTarget = 1;
    if (target == asked || (asked == reportedAsked && target == reportedTarget)) return;
    reportedAsked = asked;
    reportedTarget = target;
    const char* why = target == machineThreads() ? "the machine has no more cores"
                                                 : "no more fit beside the tables under max_memory";
    sendReply("MESSAGE searching with %d of the %d threads asked for: %s", target, asked, why);
}

// A helper's copy of the main thread's root: position, exclusions, budget.
void prepareHelper(SearchThread& t) {
    t.pos = mainThread.pos;
    std::copy(std::begin(mainThread.state.rootRefuted), std::end(mainThread.state.rootRefuted),
              std::begin(t.state.rootRefuted));
    resetTurnStatistics(t.control);
    t.control.turnBudget = mainThread.control.turnBudget;
    t.control.turnStartTime = mainThread.control.turnStartTime;
    t.control.searchStopFlag = 0;
}

}  // namespace

int searchThreadCount() {
    const int maxMemory = settings.maxMemory.load(std::memory_order_relaxed);
    const int fit = helpersThatFit(maxMemory, configuredEntryTarget());
    return std::min({askedThreadCount(), machineThreads(), 1 + std::min(fit, MAX_SEARCH_THREADS)});
}

bool resizeHelperPool(TableWorkInterrupted interrupted) {
    const int helpers = searchThreadCount() - 1;
    if (static_cast<int>(pool.helpers.size()) > helpers) dropHelpersFrom(helpers);
    while (static_cast<int>(pool.helpers.size()) < helpers) {
        if (interrupted && interrupted()) return false;
        addHelper();
    }
    return true;
}

void startHelpers(int colour) {
    const int target = searchThreadCount();
    reportThreadLimit(askedThreadCount(), target);
    const int count = std::min(static_cast<int>(pool.helpers.size()), target - 1);
    if (count == 0) return;
    for (int i = 0; i < count; ++i) prepareHelper(*pool.helpers[static_cast<size_t>(i)].thread);
    searchGroup.helperNodes.store(0, std::memory_order_relaxed);
    searchGroup.helpersStop.store(0, std::memory_order_relaxed);
    {
        std::lock_guard<std::mutex> hold(pool.lock);
        pool.colour = colour;
        pool.active = count;
        pool.running = count;
        ++pool.searchNumber;
    }
    pool.wake.notify_all();
}

void stopHelpers() {
    if (pool.helpers.empty()) return;
    searchGroup.helpersStop.store(1, std::memory_order_relaxed);
    {
        std::unique_lock<std::mutex> hold(pool.lock);
        pool.idle.wait(hold, [] { return pool.running == 0; });
    }
    mainThread.control.nodeCounter += searchGroup.helperNodes.exchange(0, std::memory_order_relaxed);
}
