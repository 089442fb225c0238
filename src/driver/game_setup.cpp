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
#include "driver/turn_limits.h"
#include "driver/turn_state.h"
#include "rules/forbidden.h"
#include "search/alpha_beta.h"
#include "search/search_table.h"
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
// record is the position: a point named twice would later be made twice on the
// fresh board, so it counts as occupied too.
bool occupied(int x, int y) { return boardBuilt() ? pos.board[x][y] != EMPTY : recorded(x, y); }

// Debug builds recount the board after every game-level change.
void checkBoard() {
#ifdef VODARO_CHECKS
    char why[256];
    if (!checkConsistency(why, sizeof why)) {
        std::fprintf(stderr, "board records inconsistent: %s\n", why);
        std::abort();
    }
#endif
}

// Appends a stone of the colour whose turn it is and makes it on a built board.
// Refuses a point off the board, an occupied point and (never reached: the record
// holds only distinct points of at most 20 by 20) a full record.
void placeStone(int x, int y, const char* whose) {
    if (!inExtents(x, y) || occupied(x, y) || game.recordLength >= MAX_POINTS) {
        sendReply("ERROR %s move [%d,%d]", whose, x, y);
        return;
    }
    const int colour = sideToMove();
    if (boardBuilt()) {
        makeMove(x, y, colour);
        checkBoard();
    }
    game.gameRecord[game.recordLength] = {x, y, colour};
    ++game.recordLength;
}

// The hash check of a new game: the tables follow hash_size and max_memory, and
// a new generation hides the last game's entries without rewriting the arrays.
void resetTables() {
    checkHashSize();
    startTableGame();
}

// Tables and board for the rule, with the game record replayed onto it.
void buildBoard(int rule) {
    setBoardGeometry(game.sizeX, game.sizeY, rule);
    initTables();
    resetTables();
    resetBoard();
    resetEvaluationState();
    resetSearchState();
    searchControl.rootDepth = 0;
    searchControl.searchStopFlag = 0;
    turnState.lastTurnValue = 0;
    for (int i = 0; i < game.recordLength; ++i) {
        const StoneRecord& r = game.gameRecord[i];
        makeMove(r.x, r.y, r.colour);
    }
    game.appliedRule = rule;
    checkBoard();
}

}  // namespace

void applyRule() {
    const int rule = engineRule(settings.rule.load());
    if (rule == game.appliedRule) return;
    sendReply("MESSAGE Rule %s", ruleName(rule));
    buildBoard(rule);
}

void placeOwnStone(int x, int y) { placeStone(x, y, "my"); }

void placeOpponentStone(int x, int y) { placeStone(x, y, "opponents's"); }

void placeBlockedStone(int x, int y) {
    if (!boardBuilt()) return;  // blocked points live on the board only
    if (!inExtents(x, y) || occupied(x, y)) {
        sendReply("ERROR board-block move [%d,%d]", x, y);
        return;
    }
    makeMove(x, y, BLOCKED);
    checkBoard();
}

// Only the last stone of the record can be taken back: the record and the board
// stay in step by undoing exactly what was done last.
int takeBack(int x, int y) {
    if (game.recordLength == 0) return 2;
    const StoneRecord& last = game.gameRecord[game.recordLength - 1];
    if (last.x != x || last.y != y) return 2;
    if (boardBuilt()) {
        unmakeMove(x, y, last.colour);
        checkBoard();
    }
    --game.recordLength;
    turnState.lastTurnValue = 0;
    return 0;
}

void listForbiddenPoints() {
    if (engineRule(settings.rule.load()) != 2) return;
    OutLine line;
    line.add("FORBID ");
    // Without a game there are no stones and nothing to build a board for.
    if (game.sizeY != 0) {
        if (game.appliedRule != 2) buildBoard(2);
        for (int x = 0; x < game.boardSize; ++x)
            for (int y = 0; y < game.boardSize; ++y)
                if (isForbidden(x, y)) line.add("%02d%02d", x, y);
    }
    line.add(".\n");
    line.send();
}

const char* ruleName(int rule) {
    switch (rule) {
        case 0: return "Gomoku (Freestyle)";
        case 1: return "Gomoku (Standard)";
        default: return "Renju";
    }
}
