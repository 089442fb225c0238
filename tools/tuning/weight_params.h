#pragma once
// The evaluation weights the tuner may change, by name, with their bounds, and
// the generated headers that carry the fitted values into the engine.
#include <string>
#include <vector>

struct WeightParam {
    std::string name;
    int* value;
    int low;
    int high;
};

// The weights of one set (0: free-style, standard and Caro; 1: Renju) that
// quiet positions can inform: no five-point class, and the Renju terms only in
// the Renju set.
// combo and leaf choose the two kinds of weight.
std::vector<WeightParam> tunableWeights(int set, bool combo = true, bool leaf = true);

// Writes board/combo_weights_tuned.h and threats/leaf_weights_tuned.h under
// sourceDir from the current weights of both sets; command goes into their
// top comment. False if a file cannot be written.
bool writeTunedHeaders(const std::string& sourceDir, const std::string& command);
