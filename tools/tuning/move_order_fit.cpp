#include "move_order_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "adam_fit.h"
#include "board/combo_values.h"
#include "board/geometry.h"
#include "board/position.h"
#include "combo_features.h"
#include "core/limits.h"
#include "threats/threat_thread.h"

namespace {

// A class of 1 or more in some direction: a stone shares a line window with the point.
bool nearStones(const Position& pos, int x, int y) {
    return (pos.classKey[x][y][0] | pos.classKey[x][y][1]) != 0;
}

double score(const OrderParams& p, const OrderCandidate& c) {
    return p.tau * (p.own[c.own] + p.opp[c.opp]);
}

// Softmax probabilities of the choice's candidates into prob; returns the chosen one's.
double softmax(const OrderData& d, const MoveChoice& m, const OrderParams& p,
               std::vector<double>& prob) {
    prob.clear();
    double top = -1e300;
    for (uint32_t i = m.first; i < m.last; ++i) top = std::max(top, score(p, d.candidates[i]));
    double sum = 0;
    for (uint32_t i = m.first; i < m.last; ++i)
        sum += prob.emplace_back(std::exp(score(p, d.candidates[i]) - top));
    for (double& q : prob) q /= sum;
    return prob[m.chosen];
}

double trainingLoss(const OrderData& d, const OrderParams& p) {
    std::vector<double> prob;
    double sum = 0;
    long n = 0;
    for (const MoveChoice& m : d.choices)
        if (!m.heldOut) sum -= std::log(std::max(1e-300, softmax(d, m, p, prob))), ++n;
    return n ? sum / static_cast<double>(n) : 0;
}

}  // namespace

bool appendMoveChoice(ThreatThread& t, const LabelledPosition& p, int side, bool heldOut,
                      OrderData& d) {
    const Position& pos = t.pos;
    MoveChoice m{p.infoRule, heldOut, static_cast<uint32_t>(d.candidates.size()), 0, 0};
    bool found = false;
    for (int x = 0; x < p.size; ++x)
        for (int y = 0; y < p.size; ++y) {
            if (pos.board[x][y] != EMPTY || !nearStones(pos, x, y)) continue;
            if (x == p.best.x && y == p.best.y)
                m.chosen = static_cast<uint32_t>(d.candidates.size()) - m.first, found = true;
            d.candidates.push_back({comboEntry(pos, x, y, side), comboEntry(pos, x, y, side ^ 3)});
        }
    if (!found) {
        d.candidates.resize(m.first);
        return false;
    }
    m.last = static_cast<uint32_t>(d.candidates.size());
    d.choices.push_back(m);
    return true;
}

std::map<int, OrderLoss> orderLosses(const OrderData& d, const OrderParams& p, bool heldOut) {
    std::map<int, OrderLoss> out;
    std::vector<double> prob;
    for (const MoveChoice& m : d.choices) {
        if (m.heldOut != heldOut) continue;
        OrderLoss& l = out[m.infoRule];
        const double chosen = softmax(d, m, p, prob);
        l.crossEntropy -= std::log(std::max(1e-300, chosen));
        l.top1 += *std::max_element(prob.begin(), prob.end()) <= chosen;
        ++l.positions;
    }
    for (auto& [rule, l] : out)
        l.crossEntropy /= static_cast<double>(l.positions),
            l.top1 /= static_cast<double>(l.positions);
    return out;
}

double fitOrderScale(const OrderData& d, const OrderParams& p) {
    OrderParams q = p;
    auto loss = [&](double tau) {
        q.tau = tau;
        return trainingLoss(d, q);
    };
    return minimumOverLog(loss, 1e-5, 1.0);
}

namespace {

// The gradient of the training cross-entropy (mean) plus the pull, into gOwn and gOpp.
double orderGradient(const OrderData& d, const OrderParams& start, const OrderParams& p,
                     double anchor, std::vector<double>& gOwn, std::vector<double>& gOpp) {
    std::fill(gOwn.begin(), gOwn.end(), 0.0);
    std::fill(gOpp.begin(), gOpp.end(), 0.0);
    std::vector<double> prob;
    double loss = 0;
    long n = 0;
    for (const MoveChoice& m : d.choices) {
        if (m.heldOut) continue;
        loss -= std::log(std::max(1e-300, softmax(d, m, p, prob)));
        ++n;
        for (uint32_t i = m.first; i < m.last; ++i) {
            const double g = p.tau * (prob[i - m.first] - (i - m.first == m.chosen ? 1 : 0));
            gOwn[d.candidates[i].own] += g;
            gOpp[d.candidates[i].opp] += g;
        }
    }
    const double scale = n ? 1.0 / static_cast<double>(n) : 0;
    return loss * scale + addPull(start.own, p.own, anchor, scale, gOwn) +
           addPull(start.opp, p.opp, anchor, scale, gOpp);
}

}  // namespace

void fitMoveOrder(const OrderData& d, const OrderParams& start, OrderParams& p, int steps,
                  double rate, double anchor) {
    std::vector<double> gOwn(p.own.size()), gOpp(p.opp.size());
    AdamState own(p.own.size()), opp(p.opp.size());
    for (int t = 1; t <= steps; ++t) {
        const double loss = orderGradient(d, start, p, anchor, gOwn, gOpp);
        own.step(p.own, gOwn, t, rate);
        opp.step(p.opp, gOpp, t, rate);
        if (t == 1 || t % 50 == 0 || t == steps)
            std::printf("order step %4d: training loss %.6f (with the pull)\n", t, loss),
                std::fflush(stdout);
    }
}

bool writeOrderScores(const std::string& path, const OrderParams& p) {
    std::ofstream out(path);
    out << "# set multiset own opp (tau " << p.tau << ")\n";
    for (size_t i = 0; i < p.own.size(); ++i)
        out << i / COMBO_MULTISETS << ' ' << i % COMBO_MULTISETS << ' ' << std::lround(p.own[i])
            << ' ' << std::lround(p.opp[i]) << '\n';
    return static_cast<bool>(out);
}
