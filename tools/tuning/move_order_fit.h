#pragma once
// Move-order scores for the same multisets of direction classes as the
// combination values: a point's score for the side to move is
// tau * (own[its classes for the mover] + opp[its classes for the opponent]),
// fitted (softmax over the candidate points, Adam) to predict the move the
// deeper search chose. The entries start at the combined values, so the
// starting order is "my value plus the value the point has for the opponent".
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "labelled_position.h"

struct ThreatThread;

struct OrderCandidate {
    int32_t own;  // set * COMBO_MULTISETS + multiset, for the mover
    int32_t opp;  // the same for the opponent
};

struct MoveChoice {
    int infoRule = 0;
    bool heldOut = false;
    uint32_t first = 0, last = 0;  // its candidates in OrderData::candidates
    uint32_t chosen = 0;           // index of the chosen move among them
};

struct OrderData {
    std::vector<MoveChoice> choices;
    std::vector<OrderCandidate> candidates;
};

// The empty points on t's board that lie in a line with some stone, with the
// searched move among them; false (nothing kept) if it is not.
bool appendMoveChoice(ThreatThread& t, const LabelledPosition& p, int side, bool heldOut,
                      OrderData& d);

struct OrderParams {
    std::vector<double> own, opp;  // COMBO_SETS * COMBO_MULTISETS each
    double tau = 0.01;
};

struct OrderLoss {
    double crossEntropy = 0;
    double top1 = 0;  // share of positions whose chosen move scores highest
    long positions = 0;
};

// Per INFO rule value, over the training or held-out positions.
std::map<int, OrderLoss> orderLosses(const OrderData& d, const OrderParams& p, bool heldOut);

// tau that fits the starting entries best on the training positions.
double fitOrderScale(const OrderData& d, const OrderParams& p);

// steps of full-batch Adam (step rate) with the pull anchor towards start.
void fitMoveOrder(const OrderData& d, const OrderParams& start, OrderParams& p, int steps,
                  double rate, double anchor);

// One line per entry any position reads: "set multiset own opp".
bool writeOrderScores(const std::string& path, const OrderParams& p);
