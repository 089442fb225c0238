#include "driver/game_setup.h"

#ifdef VODARO_CHECKS
#include <cstdio>
#include <cstdlib>
#endif

#include "board/geometry.h"
#include "board/position.h"
#include "core/game_state.h"
#include "core/output.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "driver/table_preparation.h"
#include "driver/turn_limits.h"
#include "driver/turn_state.h"
#include "rules/forbidden.h"
#include "search/alpha_beta.h"
#include "search/search_table.h"
#include "search/search_thread.h"
#include "threats/evaluate.h"

namespace {

bool boardBuilt() { return game.appliedRule != -1; }

bool inExtents(int x, int y) { return x >= 0 && y >= 0 && x < game.sizeX && y < game.sizeY; }

bool recorded(int x, int y) {
    for (int i = 0; i < game.recordLength; ++i)
        if (game.gameRecord[i].x == x && game.gameRecord[i].y == y) return true;
    return false;
}

// On a built board the board knows (blocked points included). Before the build the
// record and the list's blocked points are the position: a point named twice
// would later be made twice on the fresh board, so it counts as occupied too.
bool occupied(int x, int y) {
    if (boardBuilt()) return mainThread.pos.board[x][y] != EMPTY;
    return recorded(x, y) || listedBlocked(x, y);
}

// Debug builds recount the board after every game-level change.
void checkBoard() {
#ifdef VODARO_CHECKS
    Position& pos = mainThread.pos;
    char why[256];
    if (!checkConsistency(pos, why, sizeof why)) {
        std::fprintf(stderr, "board records inconsistent: %s\n", why);
        std::abort();
    }
#endif
}

// The position drops to nothing but the first keep stones of the record. The
// stones after them were the last made, so a built board unmakes them in reverse;
// with blocked points on it the board is left to the next search to rebuild.
void keepRecordPrefix(int keep) {
    Position& pos = mainThread.pos;
    if (boardBuilt() && game.blockedCount == 0) {
        for (int i = game.recordLength - 1; i >= keep; --i) {
            const StoneRecord& r = game.gameRecord[i];
            unmakeMove(pos, r.x, r.y, r.colour);
        }
        checkBoard();
    } else {
        game.appliedRule = -1;
    }
    game.recordLength = keep;
    // The last search's value and depth belong to a position that is gone.
    turnState.lastTurnValue = 0;
    mainThread.control.rootDepth = 0;
}

// The open list departs from the old record: what it has not repeated goes.
void endOldRecord() {
    if (game.listConfirmed < game.listOldLength) keepRecordPrefix(game.listConfirmed);
    game.listOldLength = game.listConfirmed;
}

// A stone of an open list that repeats the old record at its place, in the same
// colour, is already on the board; the first stone that does not ends the old
// record there.
bool confirmsOldRecord(int x, int y, int colour) {
    if (game.listConfirmed >= game.listOldLength) return false;
    const StoneRecord& r = game.gameRecord[game.listConfirmed];
    if (r.x == x && r.y == y && r.colour == colour) {
        ++game.listConfirmed;
        return true;
    }
    endOldRecord();
    return false;
}

// Appends a stone and makes it on a built board. Refuses a point off the board,
// an occupied point and (never reached: the record holds only distinct points
// of at most 20 by 20) a full record.
void placeStone(int x, int y, int colour, const char* whose) {
    Position& pos = mainThread.pos;
    if (game.listOpen && confirmsOldRecord(x, y, colour)) return;
    if (!inExtents(x, y) || occupied(x, y) || game.recordLength >= MAX_POINTS) {
        sendReply("ERROR %s move [%d,%d]", whose, x, y);
        return;
    }
    if (boardBuilt()) {
        makeMove(pos, x, y, colour);
        checkBoard();
    }
    game.gameRecord[game.recordLength] = {x, y, colour};
    ++game.recordLength;
}

// The tables of a new game: those there are (a new size is made between
// searches), and a new generation hides the last game's entries without
// rewriting the arrays.
void resetTables() {
    tablesForTurn();
    startTableGame();
}

// Tables and board for the rule, with the game record replayed onto it.
void buildBoard(int rule) {
    Position& pos = mainThread.pos;
    setBoardGeometry(game.sizeX, game.sizeY, rule);
    initTables();
    resetTables();
    resetBoard(pos);
    resetEvaluationState(mainThread);
    resetSearchState(mainThread);
    mainThread.control.rootDepth = 0;
    mainThread.control.searchStopFlag = 0;
    turnState.lastTurnValue = 0;
    for (int i = 0; i < game.recordLength; ++i) {
        const StoneRecord& r = game.gameRecord[i];
        makeMove(pos, r.x, r.y, r.colour);
    }
    for (int i = 0; i < game.blockedCount; ++i) {
        const BlockedPoint& b = game.blockedPoints[i];
        makeMove(pos, b.x, b.y, BLOCKED);
    }
    game.appliedRule = rule;
    checkBoard();
}

}  // namespace

void applyRule() {
    const int rule = ruleFromSetting(settings.rule.load());
    if (rule == game.appliedRule) return;
    sendReply("MESSAGE Rule %s", ruleName(rule));
    buildBoard(rule);
}

void beginStoneList() {
    // Blocked points of an earlier list are not part of the new position.
    if (game.blockedCount > 0) {
        game.appliedRule = -1;
        game.recordLength = 0;
        game.blockedCount = 0;
    }
    game.listOpen = true;
    game.listConfirmed = 0;
    game.listOldLength = game.recordLength;
}

void endStoneList() {
    endOldRecord();
    game.listOpen = false;
}

void placeOwnStone(int x, int y) { placeStone(x, y, sideToMove(), "my"); }

void placeOpponentStone(int x, int y) { placeStone(x, y, sideToMove(), "opponents's"); }

void placeColouredStone(int x, int y, int colour, bool own) {
    placeStone(x, y, colour, own ? "my" : "opponents's");
}

void placeBlockedStone(int x, int y) {
    // The old record is repeated only by stones listed before any blocked point.
    if (game.listOpen) endOldRecord();
    if (!inExtents(x, y) || occupied(x, y) || game.blockedCount >= MAX_POINTS) {
        sendReply("ERROR board-block move [%d,%d]", x, y);
        return;
    }
    game.blockedPoints[game.blockedCount] = {x, y};
    ++game.blockedCount;
    if (boardBuilt()) {
        makeMove(mainThread.pos, x, y, BLOCKED);
        checkBoard();
    }
}

// Only the last stone of the record can be taken back: the record and the board
// stay in step by undoing exactly what was done last.
int takeBack(int x, int y) {
    Position& pos = mainThread.pos;
    if (game.recordLength == 0) return 2;
    const StoneRecord& last = game.gameRecord[game.recordLength - 1];
    if (last.x != x || last.y != y) return 2;
    if (boardBuilt()) {
        unmakeMove(pos, x, y, last.colour);
        checkBoard();
    }
    --game.recordLength;
    turnState.lastTurnValue = 0;
    return 0;
}

void listForbiddenPoints() {
    Position& pos = mainThread.pos;
    if (ruleFromSetting(settings.rule.load()) != RULE_RENJU) return;
    OutLine line;
    line.add("FORBID ");
    // Without a game there are no stones and nothing to build a board for.
    if (game.sizeY != 0) {
        if (game.appliedRule != RULE_RENJU) buildBoard(RULE_RENJU);
        for (int x = 0; x < game.boardSize; ++x)
            for (int y = 0; y < game.boardSize; ++y)
                if (isForbidden(pos, x, y)) line.add("%02d%02d", x, y);
    }
    line.add(".\n");
    line.send();
}

const char* ruleName(int rule) {
    switch (rule) {
        case RULE_FREESTYLE: return "Gomoku (Freestyle)";
        case RULE_STANDARD: return "Gomoku (Standard)";
        case RULE_CARO: return "Caro";
        default: return "Renju";
    }
}
