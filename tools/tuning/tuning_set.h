#pragma once
// The labelled positions in memory, grouped back into games so that each game
// is replayed once per pass, and the loss of the current evaluation over them.
#include <string>
#include <vector>

#include "labelled_position.h"

struct TuningGame {
    int infoRule = 0;
    int size = 15;
    int number = 0;
    bool heldOut = false;
    std::vector<Stone> stones;  // the longest position's stones; the others are prefixes
    std::vector<int> plies;     // stones on the board at each labelled position, increasing
    std::vector<double> results;
};

struct TuningSet {
    std::vector<TuningGame> games;
};

// Games whose number falls in the held-out tenth (a fixed hash of the number).
bool heldOutGame(int number);

// Reads a positions file; false with a reason on an unreadable line.
bool readTuningSet(const std::string& path, TuningSet& set, std::string& error);

// Which games a pass looks at.
struct Selection {
    std::vector<int> infoRules;  // empty: all
    int part = 0;                // 0 training games, 1 held-out games, 2 both
};

struct Loss {
    double sum = 0;  // of the per-position logistic loss
    long positions = 0;
    double mean() const { return positions ? sum / static_cast<double>(positions) : 0; }
};

// Mean logistic loss of sigmoid(k * evaluation) against the results, the
// evaluation being the engine's leaf evaluation for the side to move with the
// current weights. The combination tables are rebuilt first.
Loss evaluationLoss(const TuningSet& set, const Selection& which, double k);

// The evaluations themselves, in the order the loss visits the positions.
void collectEvaluations(const TuningSet& set, const Selection& which, std::vector<int>& evals,
                        std::vector<double>& results);
