#include "adam_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

double sigmoid(double x) {
    return 1 / (1 + std::exp(-x));
}

double logisticLoss(double p, double y) {
    p = std::clamp(p, 1e-12, 1 - 1e-12);
    return -(y * std::log(p) + (1 - y) * std::log(1 - p));
}

double targetOf(const FitPosition& p, const FitOptions& o) {
    if (!p.searched) return p.result;
    return o.blend * sigmoid(o.k * p.value) + (1 - o.blend) * p.result;
}

double evaluationWith(const FitData& d, const FitPosition& p, const std::vector<double>& theta,
                      const std::vector<double>& start) {
    double e = p.start;
    for (uint32_t f = p.first; f < p.last; ++f) {
        const ComboFeature& c = d.features[f];
        e += c.weight * (theta[c.param] - start[c.param]);
    }
    return e;
}

double fitScale(const FitData& d) {
    auto loss = [&](double k) {
        double sum = 0;
        for (const FitPosition& p : d.positions)
            if (!p.heldOut) sum += logisticLoss(sigmoid(k * p.start), p.result);
        return sum;
    };
    return minimumOverLog(loss, 1e-5, 1e-1);
}

void AdamState::step(std::vector<double>& x, const std::vector<double>& g, int t, double rate) {
    constexpr double BETA1 = 0.9, BETA2 = 0.999, EPSILON = 1e-12;
    const double c1 = 1 - std::pow(BETA1, t), c2 = 1 - std::pow(BETA2, t);
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (g[i] == 0 && m[i] == 0) continue;  // an entry no training position reads
        m[i] = BETA1 * m[i] + (1 - BETA1) * g[i];
        v[i] = BETA2 * v[i] + (1 - BETA2) * g[i] * g[i];
        x[i] -= rate * (m[i] / c1) / (std::sqrt(v[i] / c2) + EPSILON);
    }
}

double addPull(const std::vector<double>& start, const std::vector<double>& x, double anchor,
               double scale, std::vector<double>& grad) {
    double pull = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        grad[i] *= scale;
        // Relative to the size of the starting value, as vodaro_tune's --anchor.
        const double w = std::max(4.0, std::fabs(start[i]));
        const double u = (x[i] - start[i]) / w;
        pull += anchor * u * u;
        grad[i] += 2 * anchor * u / w;
    }
    return pull;
}

namespace {

// The training loss's gradient (mean over positions) plus the pull, into grad; returns the loss.
double gradient(const FitData& d, const std::vector<double>& start,
                const std::vector<double>& theta, const FitOptions& o, std::vector<double>& grad) {
    std::fill(grad.begin(), grad.end(), 0.0);
    double loss = 0;
    long n = 0;
    for (const FitPosition& p : d.positions) {
        if (p.heldOut) continue;
        const double q = sigmoid(o.k * evaluationWith(d, p, theta, start));
        const double y = targetOf(p, o);
        loss += logisticLoss(q, y);
        ++n;
        const double g = o.k * (q - y);
        for (uint32_t f = p.first; f < p.last; ++f)
            grad[d.features[f].param] += g * d.features[f].weight;
    }
    const double scale = n ? 1.0 / static_cast<double>(n) : 0;
    return loss * scale + addPull(start, theta, o.anchor, scale, grad);
}

}  // namespace

void adamFit(const FitData& d, const std::vector<double>& start, std::vector<double>& theta,
             const FitOptions& o) {
    std::vector<double> grad(theta.size());
    AdamState adam(theta.size());
    for (int step = 1; step <= o.steps; ++step) {
        const double loss = gradient(d, start, theta, o, grad);
        adam.step(theta, grad, step, o.rate);
        if (step == 1 || step % 50 == 0 || step == o.steps)
            std::printf("step %4d: training loss %.6f (with the pull)\n", step, loss),
                std::fflush(stdout);
    }
}
