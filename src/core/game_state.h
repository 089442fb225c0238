#pragma once
// The game being played, as the front end records it. The board model is built
// from it lazily (see driver/game_setup.h). The brain thread reads it only while
// it runs a driver, when the main thread does not change it.
#include <atomic>

#include "core/limits.h"

struct StoneRecord {
    // A moved stone takes the colour whose turn it is; a BOARD list's stone the
    // colour its who field gives (see protocol/list_colours.h).
    int x, y, colour;
};

struct BlockedPoint {
    int x, y;
};

struct GameState {
    int sizeX = 0;  // extent of the first coordinate x; 0 = no game started
    int sizeY = 0;  // extent of the second coordinate y
    int boardSize = 15;  // max(sizeX, sizeY)
    StoneRecord gameRecord[MAX_POINTS];
    int recordLength = 0;  // also the age of the transposition tables
    int appliedRule = -1;  // engine rule the board was built for; -1 = not built
    // The who-3 points of the last list: part of the position, made on the board
    // (after the record) whenever it is built.
    BlockedPoint blockedPoints[MAX_POINTS];
    int blockedCount = 0;
    // A BOARD list in progress: its stones so far repeat the first listConfirmed
    // stones of the record, which held listOldLength stones when the list began.
    bool listOpen = false;
    int listConfirmed = 0;
    int listOldLength = 0;
    // Points the engine must never choose. Changed by QVBLOCK while a search may read it.
    std::atomic<int> blockTable[MAX_SIDE][MAX_SIDE];
};

extern GameState game;

inline int sideToMove() { return (game.recordLength % 2) + 1; }

// A who-3 point of the last list.
bool listedBlocked(int x, int y);
// A point the engine must never play: a QVBLOCK point or a who-3 point of the list.
bool barredPoint(int x, int y);
