#pragma once
// Turn state kept from one turn to the next. The move to play (`best move`)
// is mainThread.root.bestX/bestY (search/search_thread.h), which the root, the
// preselection, the shortcuts and the win override all write.
#include <cstdint>

struct TurnState {
    int lastTurnValue = 0;  // score of the last search, for the side the engine played
    int bestLineLength = 0;
    int16_t bestLine[400][2];
};

extern TurnState turnState;
