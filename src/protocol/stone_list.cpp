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

// The points of a SWAP2BOARD list as read. Five are kept: a longer list is
// refused by its count alone.
struct Swap2List {
    static constexpr int KEEP = 5;
    int count = 0;
    int x[KEEP];
    int y[KEEP];
};

// Why a listed point cannot be a stone of the opening, or nullptr.
const char* swap2Refusal(const Swap2List& list, int x, int y) {
    if (!onGameBoard(x, y)) return "outside the board";
    for (int i = 0; i < list.count && i < Swap2List::KEEP; ++i)
        if (list.x[i] == x && list.y[i] == y) return "given twice";
    return nullptr;
}

// The points up to DONE; false once an ERROR line has gone out (one per list).
bool readSwap2Points(Swap2List& list) {
    bool fine = true;
    for (;;) {
        const char* line = readLine();
        if (equalsIgnoringCase(line, "done")) return fine;
        int v[2];
        if (scanIntegers(line, "%d,%d", v) < 2) {
            if (fine) sendReply("ERROR x,y or DONE expected after SWAP2BOARD");
            return false;
        }
        if (!fine) continue;
        if (const char* why = swap2Refusal(list, v[0], v[1])) {
            sendReply("ERROR SWAP2BOARD point [%d,%d] %s", v[0], v[1], why);
            fine = false;
            continue;
        }
        if (list.count < Swap2List::KEEP) {
            list.x[list.count] = v[0];
            list.y[list.count] = v[1];
        }
        ++list.count;
    }
}

// The opening's stone counts, and room on the board for up to three more.
bool swap2CountFits(int count) {
    if (count != 0 && count != 3 && count != 5) {
        sendReply("ERROR SWAP2BOARD takes 0, 3 or 5 stones, not %d", count);
        return false;
    }
    if (game.sizeX * game.sizeY - count < 3) {
        sendReply("ERROR SWAP2BOARD: no room for the answer on this board");
        return false;
    }
    return true;
}

}  // namespace

bool readSwap2List() {
    Swap2List list;
    if (!readSwap2Points(list) || !swap2CountFits(list.count)) return false;
    beginStoneList();
    for (int i = 0; i < list.count; ++i) placeOpponentStone(list.x[i], list.y[i]);
    endStoneList();
    return true;
}

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
