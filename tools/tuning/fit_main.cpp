// vodaro_fit: fits every entry of the combination value table to positions
// labelled by a deeper search (vodaro_generate's file), by Adam, and reports
// the losses per rule before and after on the training and held-out games.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "adam_fit.h"
#include "board/combo_values.h"
#include "board/position.h"
#include "combo_features.h"
#include "combo_values_header.h"
#include "core/limits.h"
#include "elapsed.h"
#include "labelled_position.h"
#include "move_order_fit.h"
#include "order_scores_header.h"
#include "quiet_positions.h"
#include "threats/evaluate.h"
#include "threats/threat_thread.h"
#include "tuning_set.h"

namespace {

struct Options {
    std::string positions;
    std::string writeDir;
    std::string command = "build/tools/vodaro_fit";
    double k = 0;  // 0: fitted on the starting evaluations
    bool dropDecided = false;
    bool fromWeights = false;  // start from the weights even if the build has a fitted table
    int orderSteps = 0;  // 0: no move-order fit
    double orderRate = 1.0;
    std::string orderOut;
    FitOptions fit;
};

// The table as the engine computes it now: the fit starts (and is pulled) there.
std::vector<double> startingEntries() {
    ComboValueTable table;
    if (useFittedComboValues)
        table = fittedComboValues;
    else
        comboValuesFromWeights(table);
    std::vector<double> start(COMBO_SETS * COMBO_MULTISETS);
    for (int s = 0; s < COMBO_SETS; ++s)
        for (int m = 0; m < COMBO_MULTISETS; ++m)
            start[s * COMBO_MULTISETS + m] = table.value[s][m];
    return start;
}

// Puts the position on the replay board; its side to move, or 0 if a stone is refused.
int replay(const LabelledPosition& p) {
    setUpBoard(p.infoRule, p.size);
    Position& pos = replayThread().pos;
    int side = 1;
    for (const Stone& s : p.stones) {
        if (s.x >= p.size || s.y >= p.size || pos.board[s.x][s.y] != EMPTY) return 0;
        makeMove(pos, s.x, s.y, side);
        side ^= 3;
    }
    return side;
}

struct Loaded {
    long lines = 0, unquiet = 0, decided = 0;
    double mismatch = 0;  // largest gap between the evaluation's point values and the features' sum
};

// Reads the file, replays each position and keeps its evaluation and features.
bool load(const std::string& path, bool dropDecided, const std::vector<double>& start, FitData& d,
          std::vector<LabelledPosition>& kept, OrderData* order, Loaded& stats) {
    std::ifstream in(path);
    if (!in) return false;
    std::string line, error;
    LabelledPosition p;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        ++stats.lines;
        if (!parsePosition(line, p, error)) {
            std::fprintf(stderr, "vodaro_fit: %s:%ld: %s\n", path.c_str(), stats.lines,
                         error.c_str());
            return false;
        }
        if (dropDecided && p.searched && isDecided(p.value)) {
            ++stats.decided;
            continue;
        }
        const int side = replay(p);
        if (side == 0 || !quietForSideToMove(side)) {
            ++stats.unquiet;
            continue;
        }
        ThreatThread& t = replayThread();
        FitPosition f{p.infoRule,
                      heldOutGame(p.game),
                      p.searched,
                      static_cast<float>(evaluateLeaf(t, 0, side)),
                      static_cast<float>(p.value),
                      static_cast<float>(p.result),
                      static_cast<uint32_t>(d.features.size()),
                      0};
        appendComboFeatures(t, side, d.features);
        f.last = static_cast<uint32_t>(d.features.size());
        double points = 0;
        for (uint32_t i = f.first; i < f.last; ++i)
            points += d.features[i].weight * start[d.features[i].param];
        const double total = t.pos.totalValue[side - 1] - t.pos.totalValue[(side ^ 3) - 1];
        stats.mismatch = std::max(stats.mismatch, std::fabs(points - total));
        d.positions.push_back(f);
        kept.push_back(p);
        if (order && p.searched) appendMoveChoice(t, p, side, f.heldOut, *order);
    }
    return true;
}

// The engine's own evaluations of the kept positions with the table it builds now.
std::vector<double> engineEvaluations(const std::vector<LabelledPosition>& kept) {
    forgetBoardSetUp();
    std::vector<double> out;
    for (const LabelledPosition& p : kept) {
        const int side = replay(p);
        out.push_back(evaluateLeaf(replayThread(), 0, side));
    }
    return out;
}

template <class Evaluate>
void printLosses(const FitData& d, const FitOptions& o, const char* when, Evaluate evaluate) {
    for (bool heldOut : {false, true})
        for (const auto& [rule, l] : lossesByRule(d, heldOut, o, evaluate))
            std::printf(
                "%-6s rule %d %-8s %7ld positions: loss %.6f against the target, %.6f against the "
                "result\n",
                when, rule, heldOut ? "held-out" : "training", l.positions, l.target, l.result);
}

ComboValueTable roundedTable(const std::vector<double>& theta) {
    ComboValueTable table;
    for (int s = 0; s < COMBO_SETS; ++s)
        for (int m = 0; m < COMBO_MULTISETS; ++m)
            // Room sums reach 36: a point's weighted value stays within 16 bits.
            table.value[s][m] = static_cast<int16_t>(
                std::clamp(std::lround(theta[s * COMBO_MULTISETS + m]), -8000L, 12000L));
    return table;
}

void printOrderLosses(const OrderData& d, const OrderParams& p, const char* when) {
    for (bool heldOut : {false, true})
        for (const auto& [rule, l] : orderLosses(d, p, heldOut))
            std::printf(
                "%-6s rule %d %-8s %7ld moves: cross-entropy %.4f, chosen move ranked first "
                "%.1f%%\n",
                when, rule, heldOut ? "held-out" : "training", l.positions, l.crossEntropy,
                100 * l.top1);
}

// The move-order scores, from the starting combined values for both colours.
OrderParams fitOrder(const OrderData& d, const std::vector<double>& start, const Options& o) {
    OrderParams from{start, start, 0};
    from.tau = fitOrderScale(d, from);
    std::printf("move order: %zu positions, %zu candidate points, tau = %.6f\n", d.choices.size(),
                d.candidates.size(), from.tau);
    printOrderLosses(d, from, "before");
    OrderParams p = from;
    fitMoveOrder(d, from, p, o.orderSteps, o.orderRate, o.fit.anchor);
    printOrderLosses(d, p, "after");
    if (!o.orderOut.empty() && !writeOrderScores(o.orderOut, p))
        std::fprintf(stderr, "vodaro_fit: cannot write %s\n", o.orderOut.c_str());
    return p;
}

bool parseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--drop-decided" || arg == "--from-weights") {
            (arg == "--drop-decided" ? o.dropDecided : o.fromWeights) = true;
            o.command += " " + arg, --i;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* v = argv[i + 1];
        o.command += " " + arg + " " + v;
        if (arg == "--positions")
            o.positions = v;
        else if (arg == "--write")
            o.writeDir = v;
        else if (arg == "--k")
            o.k = std::atof(v);
        else if (arg == "--blend")
            o.fit.blend = std::atof(v);
        else if (arg == "--anchor")
            o.fit.anchor = std::atof(v);
        else if (arg == "--rate")
            o.fit.rate = std::atof(v);
        else if (arg == "--steps")
            o.fit.steps = std::atoi(v);
        else if (arg == "--order-steps")
            o.orderSteps = std::atoi(v);
        else if (arg == "--order-rate")
            o.orderRate = std::atof(v);
        else if (arg == "--order-out")
            o.orderOut = v;
        else
            return false;
    }
    return !o.positions.empty();
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parseOptions(argc, argv, o)) {
        std::fprintf(
            stderr,
            "usage: vodaro_fit --positions FILE [--blend B] [--anchor A] [--rate R] [--steps N]\n"
            "  [--k K] [--drop-decided] [--from-weights] [--write src] [--order-steps N]\n"
            "  [--order-rate R] [--order-out FILE]\n");
        return 2;
    }
    const auto clock = std::chrono::steady_clock::now();
    // The replay evaluates with the same table the fit starts from.
    if (o.fromWeights) useFittedComboValues = false;
    const std::vector<double> start = startingEntries();
    FitData d;
    std::vector<LabelledPosition> kept;
    Loaded stats;
    OrderData order;
    if (!load(o.positions, o.dropDecided, start, d, kept, o.orderSteps > 0 ? &order : nullptr,
              stats))
        return 2;
    std::printf(
        "vodaro_fit: %zu positions (%ld read, %ld not quiet, %ld decided left out), %zu features, "
        "in %.1f s; "
        "largest gap between point values and features %.1f\n",
        d.positions.size(), stats.lines, stats.unquiet, stats.decided, d.features.size(),
        secondsSince(clock), stats.mismatch);
    o.fit.k = o.k > 0 ? o.k : fitScale(d);
    std::printf("K = %.7f%s\n", o.fit.k,
                o.k > 0 ? "" : " (fitted on the starting evaluations against the results)");
    printLosses(d, o.fit, "before", [&](size_t i) { return d.positions[i].start; });
    std::vector<double> theta = start;
    adamFit(d, start, theta, o.fit);
    fittedComboValues = roundedTable(theta);
    useFittedComboValues = true;
    const std::vector<double> after = engineEvaluations(kept);
    printLosses(d, o.fit, "after", [&](size_t i) { return after[i]; });
    OrderParams scores;
    if (o.orderSteps > 0) scores = fitOrder(order, start, o);
    std::printf("vodaro_fit: done in %.1f s\n", secondsSince(clock));
    const bool written =
        o.writeDir.empty() ||
        (writeComboValuesHeader(o.writeDir, fittedComboValues, o.command) &&
         (o.orderSteps == 0 || writeOrderScoresHeader(o.writeDir, scores, o.command)));
    if (!written) {
        std::fprintf(stderr, "vodaro_fit: cannot write under %s\n", o.writeDir.c_str());
        return 2;
    }
    return 0;
}
