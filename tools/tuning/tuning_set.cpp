#include "tuning_set.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "board/position.h"
#include "quiet_positions.h"
#include "threats/evaluate.h"
#include "threats/threat_thread.h"

bool heldOutGame(int number) {
    const unsigned h = static_cast<unsigned>(number) * 2654435761u;
    return (h >> 16) % 10 == 0;
}

namespace {

bool extends(const TuningGame& g, const LabelledPosition& p) {
    if (g.number != p.game || g.infoRule != p.infoRule || g.size != p.size) return false;
    if (p.stones.size() <= static_cast<size_t>(g.plies.back())) return false;
    for (size_t i = 0; i < g.stones.size() && i < p.stones.size(); ++i)
        if (g.stones[i].x != p.stones[i].x || g.stones[i].y != p.stones[i].y) return false;
    return true;
}

void addPosition(TuningSet& set, const LabelledPosition& p) {
    if (set.games.empty() || !extends(set.games.back(), p)) {
        TuningGame g;
        g.infoRule = p.infoRule;
        g.size = p.size;
        g.number = p.game;
        g.heldOut = heldOutGame(p.game);
        set.games.push_back(g);
    }
    TuningGame& g = set.games.back();
    if (p.stones.size() > g.stones.size()) g.stones = p.stones;
    g.plies.push_back(static_cast<int>(p.stones.size()));
    g.results.push_back(p.result);
}

bool selected(const TuningGame& g, const Selection& which) {
    if (which.part != 2 && g.heldOut != (which.part == 1)) return false;
    return which.infoRules.empty() || std::find(which.infoRules.begin(), which.infoRules.end(),
                                                g.infoRule) != which.infoRules.end();
}

// Replays the selected games, calling visit(evaluation, result) at each position.
template <typename Visit>
void forEachEvaluation(const TuningSet& set, const Selection& which, Visit visit) {
    forgetBoardSetUp();
    ThreatThread& replay = replayThread();
    for (const TuningGame& g : set.games) {
        if (!selected(g, which)) continue;
        setUpBoard(g.infoRule, g.size);
        int made = 0;
        for (size_t i = 0; i < g.plies.size(); ++i) {
            for (; made < g.plies[i]; ++made)
                makeMove(replay.pos, g.stones[made].x, g.stones[made].y, made % 2 + 1);
            visit(evaluateLeaf(replay, 0, made % 2 + 1), g.results[i]);
        }
    }
}

}  // namespace

bool readTuningSet(const std::string& path, TuningSet& set, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    int lineNo = 0;
    LabelledPosition p;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line[0] == '#') continue;  // the generator's closing lines
        if (!parsePosition(line, p, error)) {
            error = path + ":" + std::to_string(lineNo) + ": " + error;
            return false;
        }
        addPosition(set, p);
    }
    return true;
}

Loss evaluationLoss(const TuningSet& set, const Selection& which, double k) {
    Loss loss;
    forEachEvaluation(set, which, [&](int e, double r) {
        // log(1 + exp(-z)) for a win, log(1 + exp(z)) for a loss, evaluated stably.
        const double z = k * e;
        const double lossWin = z > 0 ? std::log1p(std::exp(-z)) : -z + std::log1p(std::exp(z));
        loss.sum += lossWin + (1 - r) * z;
        ++loss.positions;
    });
    return loss;
}

void collectEvaluations(const TuningSet& set, const Selection& which, std::vector<int>& evals,
                        std::vector<double>& results) {
    evals.clear();
    results.clear();
    forEachEvaluation(set, which, [&](int e, double r) {
        evals.push_back(e);
        results.push_back(r);
    });
}
