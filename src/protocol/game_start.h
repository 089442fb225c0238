#pragma once
// Starting games: START, RECTSTART, RESTART and the implicit 20 by 20 game.
#include "core/limits.h"

// Text of the welcome line's version field and of the about line's version.
constexpr const char* ENGINE_VERSION = "2015 Roruvo 0.4.43";

// A fresh game of the current extents: record emptied, board to be rebuilt,
// then the welcome line and "OK". Refuses ("ERROR size of the board") extents
// outside 1 ... 20, which can only come from a caller that skipped the checks.
void sendStartReply();

// RESTART: a fresh game of the same extents; the last turn value is forgotten.
void sendRestartReply();

// Stops a running search; if no game was ever started, starts a 20 by 20 one.
void stopAndEnsureBoard();

// The commands, given their argument text. A refused size leaves everything as it
// was, including a running search: the previous extents stay in effect.
void startCommand(const char* args);
void rectStartCommand(const char* args);
void restartCommand();

inline bool validExtent(int n) { return n >= 1 && n <= MAX_SIDE; }
