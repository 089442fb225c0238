#include "search/search_state.h"

#include <cstring>

#include "core/search_control.h"
#include "search/search_thread.h"

SearchThread mainThread;

void resetSearchState(SearchThread& t) {
    SearchState& s = t.state;
    std::memset(s.visitStamp, 0, sizeof(s.visitStamp));
    std::memset(s.plyNodeCounter, 0, sizeof(s.plyNodeCounter));
    for (int p = 0; p < MAX_PLY; ++p) clearPvRow(s, p);
    t.control.rootDepth = 0;
    t.control.searchStopFlag = 0;
}

const PvLine& rootPrincipalVariation(const SearchThread& t) {
    return t.state.pvRows[0];
}
