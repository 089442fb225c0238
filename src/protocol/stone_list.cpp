#include "protocol/stone_list.h"

#include "core/game_state.h"
#include "core/output.h"
#include "driver/game_setup.h"
#include "protocol/argument_scan.h"
#include "protocol/command_match.h"
#include "protocol/line_reader.h"

namespace {

bool onGameBoard(int x, int y) { return x >= 0 && y >= 0 && x < game.sizeX && y < game.sizeY; }

// Places one stone of the list; false when who ends the list.
bool placeListedStone(int x, int y, int who) {
    switch (who) {
        case 1: placeOwnStone(x, y); return true;
        case 2: placeOpponentStone(x, y); return true;
        case 3: placeBlockedStone(x, y); return true;
        default: return false;
    }
}

// The stones up to DONE, or up to the first line that is no stone.
void readListedStones() {
    for (;;) {
        const char* line = readLine();
        int v[3];
        if (scanIntegers(line, "%d,%d,%d", v) < 3) {
            if (!equalsIgnoringCase(line, "done")) sendReply("ERROR x,y,who or DONE expected after BOARD");
            return;
        }
        // A point off the board ends the list like an unknown who.
        const int who = onGameBoard(v[0], v[1]) ? v[2] : 0;
        if (!placeListedStone(v[0], v[1], who)) {
            sendReply("ERROR x,y,who or DONE expected after BOARD");
            return;
        }
    }
}

}  // namespace

void readStoneList() {
    beginStoneList();
    readListedStones();
    endStoneList();
}

void readBlockList() {
    for (;;) {
        const char* line = readLine();
        if (equalsIgnoringCase(line, "done")) return;
        int v[2];
        if (scanIntegers(line, "%d,%d", v) < 2) {
            sendReply("ERROR x,y or DONE expected after QVBLOCK");
            continue;
        }
        // The block table is 20 by 20 whatever the board: nothing outside it is written.
        if (v[0] < 0 || v[1] < 0 || v[0] >= MAX_SIDE || v[1] >= MAX_SIDE) {
            sendReply("ERROR block point [%d,%d] outside 0..19", v[0], v[1]);
            continue;
        }
        game.blockTable[v[0]][v[1]].store(1);
    }
}

void clearBlockTable() {
    for (auto& column : game.blockTable)
        for (auto& cell : column) cell.store(0);
}
