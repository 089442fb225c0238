#include "board/window_rules.h"

#include <bit>

#include "board/types.h"

namespace {

// True when filling one empty position of the window w (stones as bits 0-4)
// gives four in a row whose two outer neighbours are free.
bool canBecomeOpenFour(int w, bool blockedLeft, bool blockedRight) {
    for (int p = 0; p < 5; ++p) {
        if (w & (1 << p)) continue;
        int filled = w | (1 << p);
        // Four at positions 0-3: the neighbour before the window and position 4.
        if ((filled & 0x0F) == 0x0F && !blockedLeft && !(filled & 0x10)) return true;
        // Four at positions 1-4: position 0 and the neighbour after the window.
        if ((filled & 0x1E) == 0x1E && !blockedRight && !(filled & 0x01)) return true;
    }
    return false;
}

int threeClass(int w, bool blockedLeft, bool blockedRight) {
    if (!canBecomeOpenFour(w, blockedLeft, blockedRight)) return SHAPE_THREE_CLOSED;
    bool consecutive = w == 0x07 || w == 0x0E || w == 0x1C;
    return consecutive ? SHAPE_THREE_OPEN : SHAPE_THREE_SPLIT;
}

int fourClass(int w, bool blockedLeft, bool blockedRight) {
    int empty = std::countr_zero(static_cast<unsigned>(~w & 0x1F));
    switch (empty) {
        case 0: return blockedRight ? SHAPE_FOUR : SHAPE_FOUR_OPEN;
        case 4: return blockedLeft ? SHAPE_FOUR : SHAPE_FOUR_OPEN;
        case 1: return blockedRight ? SHAPE_FOUR : SHAPE_FOUR_PLUS;
        case 3: return blockedLeft ? SHAPE_FOUR : SHAPE_FOUR_PLUS;
        default: return SHAPE_FOUR;  // the gap in the middle
    }
}

int twoClass(int w, bool blockedLeft, bool blockedRight) {
    if (blockedLeft && blockedRight) return SHAPE_ONE;
    int low = std::countr_zero(static_cast<unsigned>(w));
    int high = 31 - std::countl_zero(static_cast<unsigned>(w));
    int gaps = high - low - 1;
    if (gaps == 3) return SHAPE_ONE;
    for (int p = 0; p < 5; ++p) {
        if (w & (1 << p)) continue;
        int k = threeClass(w | (1 << p), blockedLeft, blockedRight);
        if (k == SHAPE_THREE_SPLIT || k == SHAPE_THREE_OPEN) return SHAPE_TWO_OPEN - gaps;
    }
    return SHAPE_TWO_CLOSED;
}

}  // namespace

int windowClassByRules(int occupancy, bool blockedLeft, bool blockedRight, int windowIndex) {
    int point = 4 - windowIndex;
    if (occupancy & (1 << point)) return SHAPE_NONE;
    if (occupancy == 0) {
        // Never read (windows without a stone are skipped); kept for a complete table.
        bool pointAtBlockedEnd = (point == 0 && blockedLeft) || (point == 4 && blockedRight);
        return (blockedLeft && blockedRight) || pointAtBlockedEnd ? SHAPE_NONE : SHAPE_ONE;
    }
    int w = occupancy | (1 << point);
    switch (std::popcount(static_cast<unsigned>(w))) {
        case 5: return SHAPE_FIVE;
        case 4: return fourClass(w, blockedLeft, blockedRight);
        case 3: return threeClass(w, blockedLeft, blockedRight);
        default: return twoClass(w, blockedLeft, blockedRight);
    }
}
