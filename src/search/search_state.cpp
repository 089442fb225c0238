#include "search/search_state.h"

#include <cstring>

#include "core/search_control.h"

SearchState searchState;

void resetSearchState() {
    std::memset(searchState.visitStamp, 0, sizeof(searchState.visitStamp));
    std::memset(searchState.plyNodeCounter, 0, sizeof(searchState.plyNodeCounter));
    for (int p = 0; p < MAX_PLY; ++p) clearPvRow(p);
    searchControl.rootDepth = 0;
    searchControl.searchStopFlag = 0;
}

const PvLine& rootPrincipalVariation() { return searchState.pvRows[0]; }
