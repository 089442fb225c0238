#include "protocol/stone_list.h"

#include "board/rule.h"
#include "core/game_state.h"
#include "core/output.h"
#include "core/settings.h"
#include "driver/game_setup.h"
#include "protocol/argument_scan.h"
#include "protocol/command_match.h"
#include "protocol/line_reader.h"
#include "protocol/list_colours.h"

namespace {

// A list names each point at most once, so twice the board's points leave room
// for repeats; a longer list is placed in parts.
constexpr int LIST_CAPACITY = 2 * MAX_POINTS;
ListedStone listed[LIST_CAPACITY];
int listedCount = 0;

bool onGameBoard(int x, int y) { return x >= 0 && y >= 0 && x < game.sizeX && y < game.sizeY; }

bool validWho(int who) { return who == WHO_OWN || who == WHO_OPPONENT || who == WHO_BLOCKED; }

// The stones read so far, placed in list order once their colours are known
// (they depend on the whole list).
void placeListedStones(bool announce) {
    const bool renju = ruleFromSetting(settings.rule.load()) == RULE_RENJU;
    const ListColours colours = chooseListColours(listed, listedCount, renju);
    if (colours.note != nullptr && announce) sendReply("MESSAGE %s", colours.note);
    for (int i = 0; i < listedCount; ++i) {
        const ListedStone& s = listed[i];
        if (s.who == WHO_BLOCKED) {
            placeBlockedStone(s.x, s.y);
        } else {
            placeColouredStone(s.x, s.y, listedColour(colours, s.who), s.who == WHO_OWN);
        }
    }
    listedCount = 0;
}

// The stones up to DONE, or up to the first line that is no stone; a point off
// the board ends the list like an unknown who.
void readListedStones(bool announce) {
    for (;;) {
        const char* line = readLine();
        int v[3];
        const bool stone =
            scanIntegers(line, "%d,%d,%d", v) == 3 && onGameBoard(v[0], v[1]) && validWho(v[2]);
        if (!stone) {
            placeListedStones(announce);
            if (!equalsIgnoringCase(line, "done"))
                sendReply("ERROR x,y,who or DONE expected after BOARD");
            return;
        }
        if (listedCount == LIST_CAPACITY) placeListedStones(announce);
        listed[listedCount] = {v[0], v[1], v[2]};
        ++listedCount;
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

void readStoneList(bool announce) {
    beginStoneList();
    readListedStones(announce);
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
