#include "threats/table_generation.h"

TableGeneration tableGeneration;

bool startTableGeneration() {
    tableGeneration.current = (tableGeneration.current + 1) % TABLE_GENERATIONS;
    return tableGeneration.current == 0;
}

void resetTableGeneration() { tableGeneration.current = 0; }
