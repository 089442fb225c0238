#include "protocol/dispatcher.h"

#include "core/game_state.h"
#include "core/output.h"
#include "core/signals.h"
#include "driver/game_setup.h"
#include "protocol/argument_scan.h"
#include "protocol/brain_thread.h"
#include "protocol/command_match.h"
#include "protocol/engine_exit.h"
#include "protocol/game_start.h"
#include "protocol/info_keys.h"
#include "protocol/stone_list.h"
#include "search/search_table.h"

namespace {

// Reads "x,y" and checks it against the current game's extents.
bool readPoint(const char* args, int& x, int& y) {
    int v[2];
    if (scanIntegers(args, "%d,%d", v) < 2) return false;
    if (v[0] < 0 || v[1] < 0 || v[0] >= game.sizeX || v[1] >= game.sizeY) return false;
    x = v[0];
    y = v[1];
    return true;
}

void badCoordinates() { sendReply("ERROR bad coordinates"); }

void infoCommand(const char* args) { applyInfoKey(args); }

void turnCommand(const char* args) {
    stopAndEnsureBoard();
    int x, y;
    if (!readPoint(args, x, y)) return badCoordinates();
    placeOpponentStone(x, y);  // a refused stone still leaves the engine to move
    startSearch();
}

void playCommand(const char* args) {
    stopAndEnsureBoard();
    int x, y;
    if (!readPoint(args, x, y)) return badCoordinates();
    placeOwnStone(x, y);
    sendReply("%d,%d", x, y);
}

void beginCommand(const char*) {
    stopAndEnsureBoard();
    startSearch();
}

// Five fields: name, author, version, country, www.
void aboutCommand(const char*) {
    sendReply("name=\"Vodaro\", author=\"Zireraz\", version=\"%s\", country=\"Finland\", "
              "www=\"https://vodaro.example.org\"",
              ENGINE_VERSION);
}

void endCommand(const char*) {
    stopSearch();  // a running turn search writes its move first
    exitEngine();
}

void boardCommand(const char*) {
    stopAndEnsureBoard();
    readStoneList(true);
    startSearch();
}

void quietBoardCommand(const char*) {
    stopAndEnsureBoard();
    readStoneList(false);
}

void stopCommand(const char*) { stopSearch(); }

void blockResetCommand(const char*) { clearBlockTable(); }

void blockCommand(const char*) { readBlockList(); }

void takeBackCommand(const char* args) {
    stopAndEnsureBoard();
    int x, y;
    if (!readPoint(args, x, y) || takeBack(x, y) != 0) return badCoordinates();
    sendReply("OK");
}

// Neither may change the board or the tables under a running search, nor stop it:
// they wait for its end instead.
void showForbiddenCommand(const char*) { runWhenIdle(listForbiddenPoints); }

void hashClearCommand(const char*) { runWhenIdle(clearHashTables); }

void balanceCommand(const char*) {
    brainSignals.driverRequest.store(BALANCE_DRIVER);
    stopAndEnsureBoard();
    startSearch();
}

// The count is clamped by the analysis (1 ... 10 and the playable points).
void nbestCommand(const char* args) {
    stopAndEnsureBoard();
    int count[1];
    if (scanIntegers(args, "%d", count) < 1) return sendReply("ERROR QVNBEST needs a count of moves");
    brainSignals.nbestCount.store(count[0] < 1 ? 1 : count[0]);
    brainSignals.driverRequest.store(NBEST_DRIVER);
    startSearch();
}

void swap2Command(const char*) {
    stopAndEnsureBoard();
    if (!readSwap2List()) return;
    brainSignals.driverRequest.store(SWAP2_DRIVER);
    startSearch();
}

struct Command {
    const char* word;  // lower case; tested in table order, first prefix match wins
    void (*run)(const char* args);
};

const Command commands[] = {
    {"info", infoCommand},
    {"start", startCommand},
    {"rectstart", rectStartCommand},
    {"restart", [](const char*) { restartCommand(); }},
    {"turn", turnCommand},
    {"play", playCommand},
    {"begin", beginCommand},
    {"about", aboutCommand},
    {"end", endCommand},
    {"board", boardCommand},
    {"qvboard", quietBoardCommand},
    {"qvstop", stopCommand},
    {"qvblockreset", blockResetCommand},  // before qvblock, which is its prefix
    {"qvblock", blockCommand},
    {"takeback", takeBackCommand},
    {"qvshowforbid", showForbiddenCommand},
    {"qvhashclear", hashClearCommand},
    {"qvbalance", balanceCommand},
    {"qvnbest", nbestCommand},
    {"swap2board", swap2Command},
};

}  // namespace

void dispatchLine(const char* line) {
    noteCommandArrival();
    stopAnalysis();
    for (const Command& command : commands) {
        if (const char* args = matchCommand(command.word, line)) {
            command.run(args);
            return;
        }
    }
    sendReply("UNKNOWN command");
}
