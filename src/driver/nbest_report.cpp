#include "driver/nbest_report.h"

#include <cstdint>
#include <cstdio>

#include "core/clock.h"
#include "core/limits.h"
#include "core/output.h"
#include "core/search_control.h"
#include "driver/turn_limits.h"
#include "search/root_ranking.h"
#include "search/search_thread.h"

namespace {

// A win or loss found at the node `remaining` plies above the horizon of an
// iteration of depth d scores WIN_SCORE + remaining; that node is d - remaining
// plies from the root, and its five is the next stone.
int stoneOfFive(int magnitude, int depth) {
    const int k = depth - (magnitude - WIN_SCORE) + 1;
    return k < 1 ? 1 : k;
}

int elapsedMs() {
    return clockMs() - mainThread.control.turnStartTime;
}

}  // namespace

void formatRankValue(int value, int depth, char (&token)[16]) {
    if (value >= DECIDED) {
        std::snprintf(token, sizeof token, "W%d", stoneOfFive(value, depth));
    } else if (value <= -DECIDED) {
        std::snprintf(token, sizeof token, "L%d", stoneOfFive(-value, depth));
    } else {
        std::snprintf(token, sizeof token, "%d", reportedValue(value));
    }
}

void writeRankLines(const RootRanking& ranking) {
    for (int i = 0; i < ranking.count; ++i) {
        const RankedMove& m = ranking.moves[i];
        char value[16];
        formatRankValue(m.value, ranking.depth, value);
        OutLine line;
        line.add("NBEST %d %d,%d value %s depth %d pv", i + 1, m.x, m.y, value, ranking.depth);
        for (int j = 0; j < m.lineLength; ++j) line.add(" %d,%d", m.line[j][0], m.line[j][1]);
        line.add("\n");
        line.send();
    }
}

void writeRankInfo(int depth) {
    const int ms = elapsedMs();
    const int64_t nodes = mainThread.control.nodeCounter;
    const int64_t nps = nodes * 1000 / (ms > 0 ? ms : 1);
    sendReply("NBEST INFO depth %d nodes %lld ms %d nps %lld", depth, static_cast<long long>(nodes), ms,
              static_cast<long long>(nps));
}

void writeRankDone(int depth) {
    sendReply("NBEST DONE depth %d nodes %lld ms %d", depth,
              static_cast<long long>(mainThread.control.nodeCounter), elapsedMs());
}
