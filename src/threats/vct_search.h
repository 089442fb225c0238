#pragma once
// Victory by continuous threats: can side win by a chain of fours and threes,
// each of which the opponent must answer, against every answer it has?
#include <cstdint>

#include "core/limits.h"

struct ThreatThread;

// One search thread's state of its last call.
struct VctState {
    int64_t nodes = 0;
    int64_t budget = 0;
    int firstRow = 0;
    bool ranOut = false;  // the call spent its node budget
    int cutoffs = 0;      // nodes that gave up for want of rows: their "no win" is no finding
    int winX = -1, winY = -1;
    uint32_t markStamp = 0;
    uint32_t mark[MAX_SIDE][MAX_SIDE] = {};  // candidate already listed at this node, by stamp
};

// Bounds of one call. Attacker moves are counted by depth; the forced blocks of
// either side are free. The node budget is the search's own: the turn's node
// limit, clock and stop request still apply through the shared limit check.
struct VctBounds {
    int depth;          // attacker moves (threats) at most
    int64_t nodes;      // nodes this call may spend
    int firstRow;       // first row of the threat move list the call may use
};

// Positive: side wins (10000000 + 400 - ply of the five); 0: no win proven
// (none exists within the bounds, or the search ran out of nodes or was stopped).
// The position is restored on return.
int vctSearch(ThreatThread& t, int side, const VctBounds& bounds);

// The first move of the win the last successful vctSearch proved.
bool vctWinningMove(const ThreatThread& t, int& x, int& y);

// Nodes the last call spent, and whether it ran out of its own budget.
int64_t vctNodesSpent(const ThreatThread& t);
bool vctRanOut(const ThreatThread& t);
