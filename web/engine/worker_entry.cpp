// The WebAssembly engine's entry points, called by engine-worker.js: the command
// loop of main.cpp turned inside out, since a worker receives its lines one
// message at a time instead of reading them. Built twice: without threads
// (inline_brain.cpp runs each search inside the command that starts it) and
// with them (the native brain thread; the worker's own thread stays free to
// take QVSTOP).
#include <emscripten/emscripten.h>

#include <cstdio>
#include <string>

#include "core/output.h"
#include "core/settings.h"
#include "driver/bench_mode.h"
#include "protocol/brain_thread.h"
#include "protocol/command_match.h"
#include "protocol/dispatcher.h"
#include "protocol/line_reader.h"

#ifdef __EMSCRIPTEN_PTHREADS__
#include <mutex>
#endif

namespace {

// A browser tab's share of memory, for a page that never sends INFO max_memory
// (the native default tables alone take 192 MiB).
constexpr int BROWSER_MAX_MEMORY = 64 << 20;

// Lines received but not yet run: a command that reads a list of lines after
// it (BOARD, QVBOARD, QVBLOCK) waits here for its DONE, because the engine
// reads such a list from its input while the command runs.
struct PendingInput {
    std::string text;
    bool inList = false;
};
PendingInput pending;

// Hands output to the worker script, which posts it to the page line by line.
EM_JS(void, postEngineText, (const char* text, int len), {
    Module.onEngineText(UTF8ToString(text, len));
});

#ifdef __EMSCRIPTEN_PTHREADS__
// Only the worker's own thread may post, and the brain thread writes too: all
// output waits here, in the order written, until vodaroFlush posts it.
struct OutputQueue {
    static constexpr size_t RESERVE = 1 << 16;  // room enough that writing seldom allocates
    std::mutex lock;
    std::string text;
    std::string posting;  // swapped with text by the flush, so both keep their room
};
OutputQueue queued;

void queueEngineText(const char* text, int len) {
    std::lock_guard<std::mutex> hold(queued.lock);
    queued.text.append(text, static_cast<size_t>(len));
}

void flushQueuedText() {
    {
        std::lock_guard<std::mutex> hold(queued.lock);
        queued.text.swap(queued.posting);
    }
    if (!queued.posting.empty()) postEngineText(queued.posting.data(), static_cast<int>(queued.posting.size()));
    queued.posting.clear();
}
#endif

void installOutputSink() {
#ifdef __EMSCRIPTEN_PTHREADS__
    setOutputSink(queueEngineText);
#else
    setOutputSink(postEngineText);
#endif
}

bool startsList(const char* line) {
    if (matchCommand("qvblockreset", line)) return false;
    return matchCommand("board", line) || matchCommand("qvboard", line) ||
           matchCommand("qvblock", line);
}

// Runs the pending lines as the native loop would read them from standard input.
void runPending() {
    std::FILE* in = fmemopen(pending.text.data(), pending.text.size(), "r");
    if (in == nullptr) return;
    setLineInput(in);
    for (int c = std::getc(in); c != EOF; c = std::getc(in)) {
        std::ungetc(c, in);
        dispatchLine(readLine());
        // Helper threads would need workers started on this thread's event
        // loop while it may be waiting for the search: the brain searches alone.
        settings.threadNum.store(1);
    }
    setLineInput(nullptr);
    std::fclose(in);
    pending.text.clear();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void vodaroStart() {
    settings.maxMemory.store(BROWSER_MAX_MEMORY);
#ifdef __EMSCRIPTEN_PTHREADS__
    queued.text.reserve(OutputQueue::RESERVE);
    queued.posting.reserve(OutputQueue::RESERVE);
#endif
    installOutputSink();
    startBrainThread();
}

// One protocol line, without its line end.
EMSCRIPTEN_KEEPALIVE void vodaroLine(const char* line) {
    pending.text.append(line).push_back('\n');
    if (pending.inList) {
        if (!equalsIgnoringCase(line, "done")) return;
        pending.inList = false;
    } else if (startsList(line)) {
        pending.inList = true;
        return;
    }
    runPending();
#ifdef __EMSCRIPTEN_PTHREADS__
    flushQueuedText();
#endif
}

#ifdef __EMSCRIPTEN_PTHREADS__
// Posts what the brain thread wrote meanwhile; the worker script calls it on a timer.
EMSCRIPTEN_KEEPALIVE void vodaroFlush() { flushQueuedText(); }
#else
// The native `bench` signature and speed, for comparing this build with the
// native engine (web/engine/smoke.mjs). It writes to standard output, which
// the module prints. The bench's tables are the native default size, whatever
// memory limit the page set. (Not in the threaded build, where it would search
// beside the brain thread's table preparation.)
EMSCRIPTEN_KEEPALIVE void vodaroBench(int depth) {
    const int limit = settings.maxMemory.exchange(0);
    runBench(depth);
    settings.maxMemory.store(limit);
    installOutputSink();
}
#endif

}  // extern "C"
