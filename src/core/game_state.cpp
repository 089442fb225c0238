#include "core/game_state.h"

GameState game;

bool listedBlocked(int x, int y) {
    for (int i = 0; i < game.blockedCount; ++i)
        if (game.blockedPoints[i].x == x && game.blockedPoints[i].y == y) return true;
    return false;
}

bool barredPoint(int x, int y) {
    return game.blockTable[x][y].load() != 0 || listedBlocked(x, y);
}
