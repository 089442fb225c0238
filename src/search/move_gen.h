#pragma once
// Move generation for one alpha-beta node: the phases that fill the node's row
// of the threat move list, the filter and keys, the extension class and penalty
// of a move, and late-move pruning.
#include <cstdint>

#include "board/types.h"
#include "core/limits.h"

struct Position;

struct SearchThread;

// What the move generation needs to know about the node it serves.
struct SearchNode {
    int depth;
    int alpha;
    int beta;
    int side;
    int credit;
    int ply;             // root depth - depth
    int effectiveDepth;  // depth + (credit >> 1)
    bool isRoot;
    bool zeroWindow;  // beta == alpha + 1
    uint64_t stamp;   // the ply node counter of this node: a point with this stamp is taken
    uint64_t (*stamps)[MAX_SIDE];  // the visit stamps of this node's ply
    SearchThread* thread;          // whose position and work areas the node uses
    MoveEntry* row;                // the node's row of the threat move list
    int generated;                 // moves accepted by keyBatch at this node so far
    int staticValue;               // evaluateLeaf(depth - 1, side), NO_SCORE until needed
    double penaltyFactor;          // derived from the static value, 1000 until needed
};

// Phase numbers a batch may carry besides 0..6.
constexpr int PHASE_TABLE = 0;
constexpr int PHASE_SCAN = 6;
constexpr int PHASE_FORCED_BLOCK = 12;
constexpr int PHASE_DEFENCE_LAST = 13;  // a defence batch after which the node ends

// Prepares the node record; the caller then raises the ply node counter and sets stamp.
void initSearchNode(SearchNode& node, SearchThread& t, int depth, int alpha, int beta, int side,
                    int credit, int rootDepth, MoveEntry* row);

bool isTaken(const SearchNode& node, int x, int y);
bool isExcludedAtRoot(const SearchNode& node, int x, int y);

// Phase 0: the handed-out table moves that lie on empty points, in slot order.
int tableBatch(SearchNode& node, const int* xs, const int* ys);

// Phases 1 to 6. Writes the batch into the node's row and returns its size (0 = empty
// phase). Phase 2 may change the phase number the batch carries (to 13).
int generateBatch(SearchNode& node, int& phase);

// Filters and keys entries 0..count-1 of the node's row: repeats, black's forbidden
// points under Renju and (at the root) block-table points get the skip key; the others
// are marked taken and counted as generated.
void keyBatch(SearchNode& node, int count);

// Drops skip-key entries while keeping the order (for the unsorted table batch).
int compactBatch(MoveEntry* row, int count);

// Ascending keys; the order among equal keys is not defined.
void sortBatch(MoveEntry* row, int count);

struct MoveClass {
    int extension;  // 0..4, added to the child's extension credit
    int penalty;    // <= 0, added to the move's score
};

// For the side to move, before the move is made.
MoveClass classifyMove(SearchNode& node, int x, int y);

// Scale of the penalties for a node whose static value is staticValue: none when the
// side to move stands well, larger the worse it stands.
double penaltyFactorFor(Position& pos, int staticValue, int side);

// True when the node stops searching moves after a move that did not raise alpha.
// n: moves searched at the node before this one.
bool latePrune(const SearchNode& node, int n, int phase, int extension, int best);

// Edge weight of a point: 40 at the edge, falling to 15 from five lines in.
int edgeWeight(int x, int y);

// Neighbourhood tests: does any stone or blocked point lie in the 5x5 square around
// (x, y), or in the 33-point wide pattern?
bool squareHasStone(Position& pos, int x, int y);
bool widePatternHasStone(Position& pos, int x, int y);
