#pragma once
// The game being played, as the front end records it. The board model is built
// from it lazily (see driver/game_setup.h). The brain thread reads it only while
// it runs a driver, when the main thread does not change it.
#include <atomic>

#include "core/limits.h"

struct StoneRecord {
    int x, y, colour;  // colour of record i is (i % 2) + 1, whoever placed it
};

struct GameState {
    int sizeX = 0;  // extent of the first coordinate x; 0 = no game started
    int sizeY = 0;  // extent of the second coordinate y
    int boardSize = 15;  // max(sizeX, sizeY)
    StoneRecord gameRecord[MAX_POINTS];
    int recordLength = 0;  // also the age of the transposition tables
    int appliedRule = -1;  // engine rule the board was built for; -1 = not built
    int blockedOnBoard = 0;  // blocked points a list made on the board since it was built
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
