#pragma once
// Every tunable number of the alpha-beta search in one place, so that a tuning
// run over the match tool reaches them all here. Weight sums are a point's
// combined value for one colour (shapeInfo plane 4); depths are effective
// depths (depth plus half the extension credit) unless said otherwise.

// --- Move generation --------------------------------------------------------

// A point is "strong" for the mover from this combined value on.
constexpr int SCAN_STRONG_OWN = 8;
// ... and for the opponent from this one (its points matter a little less).
constexpr int SCAN_STRONG_OPP = 9;
// Below this depth a zero-window node that already has moves skips the quiet passes.
constexpr int SCAN_QUIET_CUT_DEPTH = 4;
// At ply 1 the neighbour pass is skipped once a zero-window node has this many moves...
constexpr int SCAN_PLY1_ZERO_WINDOW_MOVES = 10;
// ... and any node at ply 1 or at the root this many.
constexpr int SCAN_PLY1_MOVES = 18;

// --- Extensions and penalties -------------------------------------------------

// A move with a combined value below this makes no four and earns nothing.
constexpr int EXTEND_MIN_SUM = 158;
// From here the move's own shapes are fives or open fours, not only fours.
constexpr int EXTEND_STRONG_SUM = 256;
// Combined values that lift a strong move to class 2 and 3 on their own.
constexpr int EXTEND_CLASS2_SUM = 262;
constexpr int EXTEND_CLASS3_SUM = 279;

// Extension class (0..4) of a move from its own combined value u, the
// directions where it has a wide two or more, and the mover's five and
// open-four points around it.
constexpr int extensionClass(int u, int shaped, int near) {
    if (u < EXTEND_MIN_SUM) return 0;
    int e = 1;
    if (u < EXTEND_STRONG_SUM) {
        if (shaped >= 2 && near > 4) {
            e = 2;
            if ((shaped >= 3 && near > 6) || near > 8) {
                e = 3;
                if ((shaped >= 3 && near > 10) || (shaped >= 4 && near > 8)) e = 4;
            }
        }
        return e;
    }
    if (u >= EXTEND_CLASS2_SUM || near > 2) {
        e = 2;
        if (u >= EXTEND_CLASS3_SUM && near > 2) {
            e = 3;
            if ((shaped >= 4 && near > 6) || (shaped >= 3 && near > 8)) e = 4;
        }
    }
    return e;
}

// The penalty, in centi-units, of a four (or open three) whose extension
// class is 1 or 2: forcing moves with little behind them lose score.
constexpr int PENALTY_FOUR_CLASS1 = -40;
constexpr int PENALTY_FOUR_CLASS2 = -5;
constexpr int PENALTY_THREE_CLASS1 = -10;
constexpr int PENALTY_THREE_CLASS2 = -2;
// Penalties apply fully from this edge weight on (40 at the edge, 15 inside).
constexpr int PENALTY_MIN_EDGE = 20;

// A penalty grows where the mover has little room around the point and
// shrinks where it has much (room: the point's total room for the mover).
constexpr int roomScaledPenalty(int v, int room) {
    if (room < 18) v = static_cast<int>(v * 1.1);
    if (room < 15) v = static_cast<int>(v * 1.1);
    if (room < 12) v = static_cast<int>(v * 1.3);
    if (room > 22) v = static_cast<int>(v * 0.9);
    return v;
}

// Scale of a move's penalty for the static value of its node: none when the
// side to move stands well, more the worse it stands (less room adds 0.1).
constexpr double penaltyScale(int staticValue) {
    if (staticValue >= 600) return 0.0;
    if (staticValue >= 500) return 0.1;
    if (staticValue >= 400) return 0.2;
    if (staticValue >= 300) return 0.4;
    if (staticValue >= 200) return 0.6;
    if (staticValue >= 100) return 0.8;
    if (staticValue > -100) return 1.0;
    if (staticValue > -200) return 1.1;
    if (staticValue > -300) return 1.3;
    if (staticValue > -500) return 1.6;
    return 1.8;
}
// Static values from this one up take no room correction of the scale.
constexpr int PENALTY_ROOM_FREE_VALUE = 200;

// A quiet move at a PV node that starts a winning chain of fours gains one
// extension class, two from this combined value on.
constexpr int THREAT_EXTENSION_MIN_SUM = 8;
constexpr int THREAT_EXTENSION_BONUS_SUM = 34;
// The chain test stops this deep below the root, in halves of the root depth.
constexpr int THREAT_EXTENSION_HALF_DEPTHS = 3;

// --- Internal iterative deepening ---------------------------------------------

// A node without a table move first searches itself shallower from this depth.
constexpr int IID_MIN_DEPTH_ZERO_WINDOW = 8;
constexpr int IID_MIN_DEPTH_PV = 6;
// How much shallower: two plies plus a quarter of the depth at zero-window
// nodes, three at PV nodes.
constexpr int iidReduction(int effectiveDepth, bool zeroWindow) {
    return (zeroWindow ? effectiveDepth / 4 : 1) + 2;
}

// --- Late-move pruning ----------------------------------------------------------

// Zero-window nodes from this ply on may stop after a move that did not raise alpha.
constexpr int LATE_PRUNE_MIN_PLY = 3;
// Moves searched before the pruning starts, per effective depth (1..4) and
// generator phase (4 = own four-or-three points, 5 = the opponent's, 6 = the
// quiet scan); 0 = never at that depth and phase. Phases 12 and 13 (forced
// defences) count as phase 6.
constexpr int LATE_PRUNE_MOVES[5][3] = {
    {0, 0, 0},     // unused
    {10, 7, 6},    // depth 1
    {11, 11, 8},   // depth 2
    {0, 11, 11},   // depth 3
    {0, 0, 12},    // depth 4
};

// --- Aspiration windows ---------------------------------------------------------

// From this iteration on the root first searches a window of this half-width
// around the last iteration's value.
constexpr int ASPIRATION_MIN_DEPTH = 5;
constexpr int ASPIRATION_HALF_WIDTH = 30;
