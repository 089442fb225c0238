#include "driver/game_setup.h"

#include "core/game_state.h"
#include "core/output.h"
#include "driver/turn_state.h"

namespace {

bool boardBuilt() { return game.appliedRule != -1; }

bool inExtents(int x, int y) { return x >= 0 && y >= 0 && x < game.sizeX && y < game.sizeY; }

bool recorded(int x, int y) {
    for (int i = 0; i < game.recordLength; ++i)
        if (game.gameRecord[i].x == x && game.gameRecord[i].y == y) return true;
    return false;
}

// While the board is not built the record is the position: a point named twice
// would later be made twice on the fresh board, so it counts as occupied too.
bool occupied(int x, int y) { return recorded(x, y); }

// Appends a stone of the colour whose turn it is; refuses a point off the board,
// an occupied point, and (never reached on a 20 by 20 board) a full record.
void placeStone(int x, int y, const char* whose) {
    if (!inExtents(x, y) || occupied(x, y) || game.recordLength >= MAX_POINTS) {
        sendReply("ERROR %s move [%d,%d]", whose, x, y);
        return;
    }
    const int colour = sideToMove();
    game.gameRecord[game.recordLength] = {x, y, colour};
    ++game.recordLength;
}

}  // namespace

void placeOwnStone(int x, int y) { placeStone(x, y, "my"); }

void placeOpponentStone(int x, int y) { placeStone(x, y, "opponents's"); }

void placeBlockedStone(int x, int y) {
    if (!boardBuilt()) return;  // blocked points live on the board only
    if (!inExtents(x, y) || occupied(x, y)) sendReply("ERROR board-block move [%d,%d]", x, y);
}

// Only the last stone of the record can be taken back: the record and the board
// are kept in step by undoing exactly what was done last.
int takeBack(int x, int y) {
    if (game.recordLength == 0) return 2;
    const StoneRecord& last = game.gameRecord[game.recordLength - 1];
    if (last.x != x || last.y != y) return 2;
    --game.recordLength;
    turnState.lastTurnValue = 0;
    return 0;
}

const char* ruleName(int rule) {
    switch (rule) {
        case 0: return "Gomoku (Freestyle)";
        case 1: return "Gomoku (Standard)";
        default: return "Renju";
    }
}
