#include "protocol/list_colours.h"

#include "core/game_state.h"
#include "core/limits.h"  // BLACK, WHITE

namespace {

// Whether the who fields agree with colours alternating from black: the side
// to move after the list is the engine, so the stones of its colour are who 1.
bool followsMoveOrder(const ListedStone* stones, int count, int stoneCount) {
    const int engineColour = (stoneCount % 2) + 1;
    int made = 0;
    for (int i = 0; i < count; ++i) {
        if (stones[i].who == WHO_BLOCKED) continue;
        const int colour = (made % 2) + 1;
        ++made;
        if ((stones[i].who == WHO_OWN) != (colour == engineColour)) return false;
    }
    return true;
}

}  // namespace

ListColours chooseListColours(const ListedStone* stones, int count, bool renju) {
    int own = 0;
    int opponent = 0;
    for (int i = 0; i < count; ++i) {
        if (stones[i].who == WHO_OWN) ++own;
        if (stones[i].who == WHO_OPPONENT) ++opponent;
    }
    if (renju) {
        if (followsMoveOrder(stones, count, own + opponent)) return {false, 0, nullptr};
        return {false, 0,
                "stone list: who does not follow the move order; colours follow the list"};
    }
    if (own == opponent) return {true, BLACK, nullptr};
    if (opponent == own + 1) return {true, WHITE, nullptr};
    return {false, 0, "stone list: the stone counts fit neither colour; colours follow the list"};
}

int listedColour(const ListColours& colours, int who) {
    if (!colours.byWho) return sideToMove();
    return who == WHO_OWN ? colours.ownColour : colours.ownColour ^ 3;
}
