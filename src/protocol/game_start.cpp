#include "protocol/game_start.h"

#include "core/game_state.h"
#include "core/output.h"
#include "core/search_control.h"
#include "driver/turn_state.h"
#include "protocol/argument_scan.h"
#include "protocol/brain_thread.h"
#include "search/search_thread.h"

namespace {

void sendWelcome() {
    sendReply("MESSAGE Vodaro %s :-)", ENGINE_VERSION);
    sendReply("OK");
}

void refuseSize() { sendReply("ERROR size of the board"); }

// A new game: no record, no board yet, and nothing of the last game's value or
// depth left for the first move to report or to play on from.
void clearGame() {
    game.appliedRule = -1;
    game.recordLength = 0;
    game.blockedCount = 0;
    turnState.lastTurnValue = 0;
    mainThread.control.rootDepth = 0;
}

// Extents are checked before they are stored, so no later coordinate check can
// ever allow a point outside the 20 by 20 arrays.
void startGame(int newSizeX, int newSizeY) {
    stopSearch();
    game.sizeX = newSizeX;
    game.sizeY = newSizeY;
    sendStartReply();
}

}  // namespace

void sendStartReply() {
    if (!validExtent(game.sizeX) || !validExtent(game.sizeY)) {
        refuseSize();
        return;
    }
    clearGame();
    game.boardSize = game.sizeX > game.sizeY ? game.sizeX : game.sizeY;
    sendWelcome();
}

void sendRestartReply() {
    clearGame();
    sendWelcome();
}

void stopAndEnsureBoard() {
    stopSearch();
    if (game.sizeY == 0) {
        game.sizeX = MAX_SIDE;
        game.sizeY = MAX_SIDE;
        sendStartReply();
    }
}

void startCommand(const char* args) {
    int n[2] = {0, 0};
    const int read = scanIntegers(args, "%d %d", n);
    if (read == 0) {
        // No size given: a new game of the current extents (20 by 20 if none yet).
        stopAndEnsureBoard();
        sendStartReply();
        return;
    }
    const int newSizeY = n[0];
    const int newSizeX = read == 2 ? n[1] : n[0];
    if (!validExtent(newSizeX) || !validExtent(newSizeY)) {
        refuseSize();
        return;
    }
    startGame(newSizeX, newSizeY);
}

void rectStartCommand(const char* args) {
    int n[2] = {0, 0};
    if (scanIntegers(args, "%d ,%d", n) < 2) {
        sendReply("ERROR bad RECTSTART parameters");
        return;
    }
    // The first number bounds y, the second x.
    if (!validExtent(n[0]) || !validExtent(n[1])) {
        refuseSize();
        return;
    }
    startGame(n[1], n[0]);
}

void restartCommand() {
    stopAndEnsureBoard();
    sendRestartReply();
}
