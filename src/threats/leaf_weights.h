#pragma once
// The weights of the leaf evaluation's threat corrections. Two sets: one for
// free-style, standard Gomoku and Caro, one for Renju. The engine starts with
// the hand-set or the tuned values (build option VODARO_TUNED_WEIGHTS); the
// tuner changes them in place.

struct LeafWeights {
    int ownCluster;       // per 32 units of room and cluster count, own threat points
    int oppCluster;       // the same for the opponent's threat points
    int fourOffset;       // a four point's cluster count is its neighbours less this
    int threeOffset;      // ... an open-three point's less this
    int oppThreats;       // the opponent has threat points at all
    int allForbidden;     // Renju, white to move: black has threat points, all forbidden
    int forbiddenBare;    // Renju: a threat point black may not play, black's weight there low
    int forbiddenStrong;  // ... black's weight there at least a split three's
    int oppWinRoom;       // per 32 units of room at the opponent's first winning point
    int oppSpread;        // the opponent's winning points lie in two directions or more
    int ownSpread;        // the same for the side to move
    int tempo;            // having the move
};

// [0]: free-style, standard Gomoku and Caro; [1]: Renju.
extern LeafWeights leafWeights[2];
