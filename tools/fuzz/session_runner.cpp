#include "session_runner.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/game_state.h"
#include "core/output.h"
#include "core/settings.h"
#include "core/signals.h"
#include "driver/turn_state.h"
#include "protocol/brain_thread.h"
#include "protocol/dispatcher.h"
#include "protocol/engine_exit.h"
#include "protocol/line_reader.h"

namespace {

// Limits that keep every session short; INFO may set anything, the loop puts
// these back after each line.
constexpr int NODE_CAP = 4;          // units of 1024 nodes
constexpr int HASH_CAP = 4096;       // entries per table kind
constexpr int TIMEOUT_CAP = 1000;    // ms

// End of input and END leave the command loop through this exception instead
// of ending the process; it unwinds the loop's frames and releases their locks.
struct SessionEnded {};

[[noreturn]] void endSession() { throw SessionEnded{}; }

void dropOutput(const char*, int) {}

// The brain thread waits on the hand-over state for the life of the process,
// so that state must not be destroyed under it when the fuzzer calls exit:
// leave as the engine itself does.
void leaveWithoutDestructors() {
    std::fflush(nullptr);
    ::_exit(0);
}

void capLimits() {
    const int maxNode = settings.maxNode.load();
    if (maxNode == -1 || maxNode > NODE_CAP) settings.maxNode.store(NODE_CAP);
    if (settings.hashSize.load() > HASH_CAP) settings.hashSize.store(HASH_CAP);
    if (settings.timeoutTurn.load() > TIMEOUT_CAP) settings.timeoutTurn.store(TIMEOUT_CAP);
}

// Start values, so that one session does not leak into the next.
void resetSession() {
    const Settings fresh;
    settings.timeoutTurn.store(fresh.timeoutTurn.load());
    settings.timeLeft.store(fresh.timeLeft.load());
    settings.maxDepth.store(fresh.maxDepth.load());
    settings.maxNode.store(fresh.maxNode.load());
    settings.cautionFactor.store(fresh.cautionFactor.load());
    settings.hashSize.store(fresh.hashSize.load());
    settings.showDetail.store(fresh.showDetail.load());
    settings.rule.store(fresh.rule.load());
    settings.maxMemory.store(fresh.maxMemory.load());
    settings.timeoutMatch.store(fresh.timeoutMatch.load());
    settings.gameType.store(fresh.gameType.load());
    settings.folder[0] = '\0';
    game.sizeX = 0;
    game.sizeY = 0;
    game.boardSize = 15;
    game.recordLength = 0;
    game.blockedCount = 0;
    game.appliedRule = -1;
    for (auto& column : game.blockTable)
        for (auto& point : column) point.store(0);
    brainSignals.driverRequest.store(TURN_DRIVER);
    turnState.lastTurnValue = 0;
    capLimits();
}

void startOnce() {
    static bool started = false;
    if (started) return;
    started = true;
    setOutputSink(dropOutput);
    setExitHook(endSession);
    startBrainThread();
    std::atexit(leaveWithoutDestructors);
}

}  // namespace

void runFuzzSession(const uint8_t* data, size_t size) {
    startOnce();
    resetSession();
    // fmemopen refuses an empty buffer; an empty session ends at once anyway.
    std::vector<char> bytes(data, data + size);
    bytes.push_back('\0');
    std::FILE* in = size > 0 ? fmemopen(bytes.data(), size, "r") : nullptr;
    if (in) {
        setLineInput(in);
        try {
            for (;;) {
                dispatchLine(readLine());
                capLimits();
            }
        } catch (const SessionEnded&) {
        }
        setLineInput(nullptr);
        std::fclose(in);
    }
    stopSearch();
}
