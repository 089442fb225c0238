// Interim drivers until the searching drivers exist: the turn driver plays the
// first free point in x-then-y order, the balance driver says nothing.
#include "board/position.h"
#include "core/game_state.h"
#include "core/output.h"
#include "driver/balance_driver.h"
#include "driver/game_setup.h"
#include "driver/turn_driver.h"

namespace {

bool taken(int x, int y) { return pos.board[x][y] != EMPTY || game.blockTable[x][y].load() != 0; }

}  // namespace

void turnDriver() {
    applyRule();
    for (int x = 0; x < game.sizeX; ++x) {
        for (int y = 0; y < game.sizeY; ++y) {
            if (taken(x, y)) continue;
            placeOwnStone(x, y);
            sendReply("%d,%d", x, y);
            return;
        }
    }
    sendReply("ERROR no free point to play");
}

void balanceDriver() {}
