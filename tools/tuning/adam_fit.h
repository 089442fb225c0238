#pragma once
// The fit of the combination value table: Adam over every entry, on the
// logistic loss of sigmoid(K * evaluation) against a blend of the deeper
// search's value and the game result, with a pull towards the starting values.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "combo_features.h"

struct FitPosition {
    int infoRule = 0;
    bool heldOut = false;
    bool searched = false;  // has a search value; else the result is the whole target
    float start = 0;        // the engine's leaf evaluation with the starting table
    float value = 0;        // the deeper search's value
    float result = 0.5f;    // the game's
    uint32_t first = 0;     // its features: [first, last) of FitData::features
    uint32_t last = 0;
};

struct FitData {
    std::vector<FitPosition> positions;
    std::vector<ComboFeature> features;
};

struct FitOptions {
    double k = 0.005;    // sigmoid scale of evaluations and search values alike
    double blend = 0.7;  // share of the search value in the target; the rest is the result
    double anchor = 0.001;
    double rate = 1.0;  // Adam's step, in evaluation points
    int steps = 300;
};

double sigmoid(double x);

// The target probability of a position.
double targetOf(const FitPosition& p, const FitOptions& o);

// The evaluation with the entries theta (start: the starting entries).
double evaluationWith(const FitData& d, const FitPosition& p, const std::vector<double>& theta,
                      const std::vector<double>& start);

struct RuleLoss {
    double target = 0;  // against the blended target
    double result = 0;  // against the game result alone
    long positions = 0;
};

// Mean losses per INFO rule value over the training (heldOut false) or
// held-out positions, with evaluations from evaluate(position index).
template <class Evaluate>
std::map<int, RuleLoss> lossesByRule(const FitData& d, bool heldOut, const FitOptions& o,
                                     Evaluate evaluate);

// K minimising the loss of the starting evaluations against the results.
double fitScale(const FitData& d);

// Moves theta from start by o.steps full-batch Adam steps on the training
// positions; a progress line every few steps.
void adamFit(const FitData& d, const std::vector<double>& start, std::vector<double>& theta,
             const FitOptions& o);

double logisticLoss(double p, double y);

// Adam's running moments for a vector of parameters.
struct AdamState {
    std::vector<double> m, v;
    explicit AdamState(std::size_t n) : m(n), v(n) {}
    // Step t (from 1) with gradient g; parameters no gradient has reached stay.
    void step(std::vector<double>& x, const std::vector<double>& g, int t, double rate);
};

// Scales grad by scale, then adds the pull anchor * sum(((x - start) / max(4, |start|))^2)
// and its gradient; returns the pull.
double addPull(const std::vector<double>& start, const std::vector<double>& x, double anchor,
               double scale, std::vector<double>& grad);

// The minimum of a function convex near it, over the logarithm of its argument
// in [low, high]: a golden-section search.
template <class F>
double minimumOverLog(F f, double low, double high) {
    double lo = std::log(low), hi = std::log(high);
    const double g = (std::sqrt(5.0) - 1) / 2;
    for (int i = 0; i < 60; ++i) {
        const double a = hi - g * (hi - lo), b = lo + g * (hi - lo);
        if (f(std::exp(a)) < f(std::exp(b)))
            hi = b;
        else
            lo = a;
    }
    return std::exp((lo + hi) / 2);
}

template <class Evaluate>
std::map<int, RuleLoss> lossesByRule(const FitData& d, bool heldOut, const FitOptions& o,
                                     Evaluate evaluate) {
    std::map<int, RuleLoss> out;
    for (std::size_t i = 0; i < d.positions.size(); ++i) {
        const FitPosition& p = d.positions[i];
        if (p.heldOut != heldOut) continue;
        const double q = sigmoid(o.k * evaluate(i));
        RuleLoss& l = out[p.infoRule];
        l.target += logisticLoss(q, targetOf(p, o));
        l.result += logisticLoss(q, p.result);
        ++l.positions;
    }
    for (auto& [rule, l] : out)
        l.target /= static_cast<double>(l.positions), l.result /= static_cast<double>(l.positions);
    return out;
}
