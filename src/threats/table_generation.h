#pragma once
// Games share the transposition tables without clearing them in between: every
// entry carries the generation of the game that wrote it in its 16-bit age field,
// and entries of another generation are neither found by a probe nor kept by the
// replacement rules, exactly like empty ones.
//
// Age field layout (int16): bits 0-8 the record length at the store (0 ... 400),
// bits 9-14 the generation (0 ... 63), bit 15 zero. Ages of two generations differ
// by at least 512 - 400 = 112, so the replacement rules' "more than one move
// apart" test treats an older game's entries as stale.
#include <cstdint>

#include "core/game_state.h"

constexpr int AGE_MOVE_BITS = 9;
constexpr int TABLE_GENERATIONS = 64;
static_assert(400 < (1 << AGE_MOVE_BITS), "a record length must fit below the generation bits");
static_assert(TABLE_GENERATIONS << AGE_MOVE_BITS <= 32768, "age fields are int16");

struct TableGeneration {
    int current = 0;  // 0 ... TABLE_GENERATIONS - 1
};
extern TableGeneration tableGeneration;

// The age the current turn stores: the game record's length and the generation.
// Every probe reads it, so it is inline.
inline int tableAge() {
    return (tableGeneration.current << AGE_MOVE_BITS) | (game.recordLength & ((1 << AGE_MOVE_BITS) - 1));
}

// True when a stored age belongs to the current generation.
inline bool sameGeneration(int storedAge, int age) {
    return ((storedAge ^ age) >> AGE_MOVE_BITS) == 0;
}

// An entry stored more than one move before or after the current turn, or in
// another game, is stale: both table kinds overwrite it like an empty one.
inline bool agedOut(int storedAge, int age) {
    const int diff = storedAge - age;
    return diff > 1 || diff < -1;
}

// Starts the next generation (a new game). Returns true when the generations
// wrapped around: the caller then clears the tables for real, since entries of
// 64 games ago would carry the new generation's stamp.
bool startTableGeneration();
// Back to generation 0 (after a real clear, when nothing of any generation is left).
void resetTableGeneration();
