// vodaro_tune: fits the evaluation weights to labelled positions (Texel's
// method): the mean logistic loss of sigmoid(K * evaluation) against the game
// result is minimised by coordinate descent over integer weights, K being fitted
// first on the hand-set weights and then held. A tenth of the games is held out
// to show that the fit carries over to positions it never saw.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "board/combo_weights.h"
#include "board/combo_weights_hand.h"
#include "elapsed.h"
#include "threats/leaf_weights.h"
#include "threats/leaf_weights_hand.h"
#include "tuning_set.h"
#include "weight_params.h"

namespace {

struct Options {
    std::string positions;
    std::string writeDir;
    std::vector<int> sets{0, 1};
    int sweeps = 12;
    double seconds = 1800;  // per weight set
    bool fromDefault = false;
    std::string kinds = "all";  // combo, leaf or all
    double anchor = 0;          // weight of the pull towards the starting weights
    std::vector<std::string> frozen;  // weights the descent leaves alone
    std::string command;
};

std::vector<int> rulesOf(int set) {
    return set == 1 ? std::vector<int>{4} : std::vector<int>{0, 1, 8};
}

// K minimising the training loss, by golden-section search on log K.
double fitScale(const TuningSet& data, const Selection& training) {
    std::vector<int> evals;
    std::vector<double> results;
    collectEvaluations(data, training, evals, results);
    auto loss = [&](double logK) {
        const double k = std::exp(logK);
        double sum = 0;
        for (size_t i = 0; i < evals.size(); ++i) {
            const double z = k * evals[i];
            const double l = z > 0 ? std::log1p(std::exp(-z)) : -z + std::log1p(std::exp(z));
            sum += l + (1 - results[i]) * z;
        }
        return sum;
    };
    double lo = std::log(1e-6), hi = std::log(1e-1);
    const double g = (std::sqrt(5.0) - 1) / 2;
    for (int i = 0; i < 80; ++i) {
        const double a = hi - g * (hi - lo), b = lo + g * (hi - lo);
        if (loss(a) < loss(b))
            hi = b;
        else
            lo = a;
    }
    return std::exp((lo + hi) / 2);
}

void printLosses(const TuningSet& data, int set, double k, const char* when) {
    for (int rule : rulesOf(set)) {
        Loss train = evaluationLoss(data, {{rule}, 0}, k),
             held = evaluationLoss(data, {{rule}, 1}, k);
        if (train.positions + held.positions == 0) continue;
        std::printf("  %s, rule %d: training %.6f (%ld positions), held-out %.6f (%ld positions)\n",
                    when, rule, train.mean(), train.positions, held.mean(), held.positions);
    }
}

// The pull towards the starting weights: anchor times the sum of squared
// changes, each relative to its starting value (at least 4, so that a weight
// starting near zero may still move a few units).
struct Anchor {
    double strength = 0;
    std::vector<int> start;

    double penalty(const std::vector<WeightParam>& params) const {
        double sum = 0;
        for (size_t i = 0; i < params.size(); ++i) {
            const double d = (*params[i].value - start[i]) / std::max(4.0, std::abs(start[i] * 1.0));
            sum += d * d;
        }
        return strength * sum;
    }
};

struct Objective {
    const TuningSet& data;
    Selection training;
    double k;
    Anchor anchor;
    double operator()(const std::vector<WeightParam>& params) const {
        return evaluationLoss(data, training, k).mean() + anchor.penalty(params);
    }
};

// One weight up or down by its step, kept only if the objective falls.
bool tryStep(const Objective& objective, std::vector<WeightParam>& params, size_t i, int step,
             double& best) {
    WeightParam& p = params[i];
    const int old = *p.value;
    for (int dir : {+1, -1}) {
        const int v = std::min(p.high, std::max(p.low, old + dir * step));
        if (v == old) continue;
        *p.value = v;
        const double l = objective(params);
        if (l < best - 1e-9) {
            best = l;
            return true;
        }
    }
    *p.value = old;
    return false;
}

std::vector<WeightParam> descentWeights(int set, const Options& o) {
    std::vector<WeightParam> params;
    for (const WeightParam& p : tunableWeights(set, o.kinds != "leaf", o.kinds != "combo"))
        if (std::find(o.frozen.begin(), o.frozen.end(), p.name) == o.frozen.end())
            params.push_back(p);
    return params;
}

void descend(const TuningSet& data, int set, double k, const Options& o) {
    const Selection heldOut{rulesOf(set), 1};
    std::vector<WeightParam> params = descentWeights(set, o);
    Objective objective{data, {rulesOf(set), 0}, k, {o.anchor, {}}};
    std::vector<int> steps;
    for (const WeightParam& p : params) {
        steps.push_back(std::max(1, std::abs(*p.value) / 4));
        objective.anchor.start.push_back(*p.value);
    }
    double best = objective(params);
    const auto start = std::chrono::steady_clock::now();
    for (int sweep = 1; sweep <= o.sweeps && secondsSince(start) < o.seconds; ++sweep) {
        int changed = 0;
        bool coarse = false;
        for (size_t i = 0; i < params.size() && secondsSince(start) < o.seconds; ++i) {
            if (tryStep(objective, params, i, steps[i], best))
                ++changed;
            else
                steps[i] = std::max(1, steps[i] / 2);
            coarse |= steps[i] > 1;
        }
        const double pull = objective.anchor.penalty(params);
        std::printf("  sweep %d: %d weights changed, training %.6f (+ anchor %.6f), held-out %.6f, "
                    "%.0f s\n",
                    sweep, changed, best - pull, pull, evaluationLoss(data, heldOut, k).mean(),
                    secondsSince(start));
        std::fflush(stdout);
        if (changed == 0 && !coarse) break;
    }
    std::printf("  weights of set %d:", set);
    for (const WeightParam& p : params) std::printf(" %s=%d", p.name.c_str(), *p.value);
    std::printf("\n");
}

void usage() {
    std::printf(
        "usage: vodaro_tune --positions FILE [options]\n"
        "  --positions FILE  labelled positions (vodaro_positions output)\n"
        "  --sets LIST       weight sets to fit: 0 free-style, standard, Caro; 1 Renju (default "
        "0,1)\n"
        "  --sweeps N        coordinate-descent sweeps per set at most (default 12)\n"
        "  --seconds S       time per set at most (default 1800)\n"
        "  --from-default    start from the build's default weights instead of the hand-set ones\n"
        "  --weights KIND    combo (the combination weights), leaf (the leaf evaluation's threat\n"
        "                    corrections) or all (default); the others keep their starting values\n"
        "  --anchor L        adds L * sum(((w - w0) / max(4, |w0|))^2) to the loss, w0 the starting\n"
        "                    weights: the fit stays near them unless the data say otherwise\n"
        "  --freeze LIST     weights (comma-separated names, e.g. ownSpread,oppSpread) kept at\n"
        "                    their starting values in both sets\n"
        "  --write DIR       write the fitted weights of both sets to "
        "DIR/board/combo_weights_tuned.h and\n"
        "                    DIR/threats/leaf_weights_tuned.h (DIR is the source tree, e.g. src)\n"
        "  --sweeps 0 only reports the losses of the starting weights.\n");
}

bool parseOptions(int argc, char** argv, Options& o) {
    o.command = "build/tools/vodaro_tune";
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        o.command += " " + arg;
        if (arg == "--from-default") {
            o.fromDefault = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* v = argv[++i];
        o.command += " " + std::string(v);
        if (arg == "--positions")
            o.positions = v;
        else if (arg == "--write")
            o.writeDir = v;
        else if (arg == "--weights")
            o.kinds = v;
        else if (arg == "--anchor")
            o.anchor = std::atof(v);
        else if (arg == "--freeze") {
            std::stringstream names(v);
            for (std::string name; std::getline(names, name, ',');)
                if (!name.empty()) o.frozen.push_back(name);
        } else if (arg == "--sweeps")
            o.sweeps = std::atoi(v);
        else if (arg == "--seconds")
            o.seconds = std::atof(v);
        else if (arg == "--sets") {
            o.sets.clear();
            for (const char* p = v; *p; ++p)
                if (*p == '0' || *p == '1') o.sets.push_back(*p - '0');
        } else
            return false;
    }
    return !o.positions.empty() && (o.kinds == "all" || o.kinds == "combo" || o.kinds == "leaf");
}

// A misspelt name would freeze nothing and go unnoticed.
bool knownWeights(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        bool found = false;
        for (int set : {0, 1})
            for (const WeightParam& p : tunableWeights(set)) found |= p.name == name;
        if (!found) {
            std::fprintf(stderr, "vodaro_tune: no weight is called %s\n", name.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parseOptions(argc, argv, o) || !knownWeights(o.frozen)) {
        usage();
        return 2;
    }
    if (!o.fromDefault) {
        comboWeights[0] = HAND_COMBO_WEIGHTS[0];
        comboWeights[1] = HAND_COMBO_WEIGHTS[1];
        leafWeights[0] = HAND_LEAF_WEIGHTS[0];
        leafWeights[1] = HAND_LEAF_WEIGHTS[1];
    }
    TuningSet data;
    std::string error;
    const auto start = std::chrono::steady_clock::now();
    if (!readTuningSet(o.positions, data, error)) {
        std::fprintf(stderr, "vodaro_tune: %s\n", error.c_str());
        return 2;
    }
    std::printf("vodaro_tune: %zu games read in %.1f s\n", data.games.size(), secondsSince(start));
    for (int set : o.sets) {
        const auto setStart = std::chrono::steady_clock::now();
        const double k = fitScale(data, {rulesOf(set), 0});
        std::printf("weight set %d (rules", set);
        for (int r : rulesOf(set)) std::printf(" %d", r);
        std::printf("): K = %.7f fitted on the starting weights in %.1f s\n", k,
                    secondsSince(setStart));
        printLosses(data, set, k, "before");
        if (o.sweeps > 0) {
            descend(data, set, k, o);
            printLosses(data, set, k, "after");
        }
        std::fflush(stdout);
    }
    if (!o.writeDir.empty() && !writeTunedHeaders(o.writeDir, o.command)) {
        std::fprintf(stderr, "vodaro_tune: cannot write the headers under %s\n",
                     o.writeDir.c_str());
        return 2;
    }
    return 0;
}
