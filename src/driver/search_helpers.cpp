#include "driver/search_helpers.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "board/geometry.h"
#include "core/game_state.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "driver/turn_limits.h"
#include "search/alpha_beta.h"
#include "search/search_thread.h"
#include "threats/evaluate.h"

namespace {

struct Helper {
    std::unique_ptr<SearchThread> thread;  // about 3 MiB: made when the count changes
    std::thread worker;
};

// The pool's threads wait for a new search number, search, and report idle.
// Everything but the helpers' own SearchThreads is guarded by lock.
struct HelperPool {
    std::mutex lock;
    std::condition_variable wake;  // a search started, or the pool shuts down
    std::condition_variable idle;  // the last running helper finished
    std::vector<Helper> helpers;
    int searchNumber = 0;
    int running = 0;
    int colour = 0;
    bool quit = false;
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

void helperLoop(int index) {
    SearchThread& t = *pool.helpers[static_cast<size_t>(index)].thread;
    int seen = 0;
    for (;;) {
        int colour = 0;
        {
            std::unique_lock<std::mutex> hold(pool.lock);
            pool.wake.wait(hold, [&] { return pool.quit || pool.searchNumber != seen; });
            if (pool.quit) return;
            seen = pool.searchNumber;
            colour = pool.colour;
        }
        helperSearch(t, index, colour);
        std::lock_guard<std::mutex> hold(pool.lock);
        if (--pool.running == 0) pool.idle.notify_all();
    }
}

// Joins the old helpers and starts count new ones; only between searches.
void resizePool(int count) {
    {
        std::lock_guard<std::mutex> hold(pool.lock);
        pool.quit = true;
    }
    pool.wake.notify_all();
    for (Helper& h : pool.helpers) h.worker.join();
    pool.helpers.clear();
    pool.quit = false;
    pool.searchNumber = 0;
    pool.helpers.resize(static_cast<size_t>(count));
    for (Helper& h : pool.helpers) {
        h.thread = std::make_unique<SearchThread>();
        resetSearchState(*h.thread);
        resetEvaluationState(*h.thread);
        h.thread->control.helper = true;
    }
    for (int i = 0; i < count; ++i) pool.helpers[static_cast<size_t>(i)].worker = std::thread(helperLoop, i);
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
    return std::clamp(settings.threadNum.load(std::memory_order_relaxed), 1, MAX_SEARCH_THREADS);
}

void startHelpers(int colour) {
    const int count = searchThreadCount() - 1;
    if (count != static_cast<int>(pool.helpers.size())) resizePool(count);
    if (count == 0) return;
    for (Helper& h : pool.helpers) prepareHelper(*h.thread);
    searchGroup.helperNodes.store(0, std::memory_order_relaxed);
    searchGroup.helpersStop.store(0, std::memory_order_relaxed);
    {
        std::lock_guard<std::mutex> hold(pool.lock);
        pool.colour = colour;
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
