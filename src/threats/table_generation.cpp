#include "threats/table_generation.h"

#include "core/game_state.h"

namespace {

struct TableGeneration {
    int current = 0;
};
TableGeneration generation;

}  // namespace

int tableAge() {
    return (generation.current << AGE_MOVE_BITS) | (game.recordLength & ((1 << AGE_MOVE_BITS) - 1));
}

bool startTableGeneration() {
    generation.current = (generation.current + 1) % TABLE_GENERATIONS;
    return generation.current == 0;
}

void resetTableGeneration() { generation.current = 0; }
