#include "threats/move_rows.h"

void sortRowByKey(MoveEntry* entries, int n) {
    for (int i = 1; i < n; ++i) {
        const MoveEntry moving = entries[i];
        int j = i - 1;
        while (j >= 0 && entries[j].key > moving.key) {
            entries[j + 1] = entries[j];
            --j;
        }
        entries[j + 1] = moving;
    }
}
