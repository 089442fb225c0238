#include "driver/nbest_report.h"

#include <cstdint>
#include <cstdio>

#include "core/clock.h"
#include "core/limits.h"
#include "core/output.h"
#include "core/search_control.h"
#include "driver/turn_limits.h"
#include "driver/win_distance.h"
#include "search/root_ranking.h"
#include "search/search_thread.h"

namespace {

// The search's own estimate: a win or loss found at the node `remaining` plies
// above the horizon of an iteration of depth d scores about WIN_SCORE +
// remaining (less the move penalties on the way); that node is d - remaining
// plies from the root, and its five comes next. A win's five is an odd stone,
// a loss's an even one.
int estimatedStoneOfFive(int magnitude, int depth, bool win) {
    int k = depth - (magnitude - WIN_SCORE) + 1;
    if (k < 1) k = 1;
    return (k % 2 == 1) == win ? k : k + 1;
}

int stoneOfFive(const RankedMove& m, int depth, int colour, bool win) {
    const int k = stoneOfFiveAlongLine(mainThread.pos, m.line, m.lineLength, colour);
    // The line must end with the winner to move: otherwise it is not the proof.
    if (k > 0 && (k % 2 == 1) == win) return k;
    return estimatedStoneOfFive(win ? m.value : -m.value, depth, win);
}

// The start is the request's time, read on the thread that took the command;
// clocks of two threads may differ by a millisecond (WebAssembly's do).
int elapsedMs() {
    const int ms = clockMs() - mainThread.control.turnStartTime;
    return ms > 0 ? ms : 0;
}

}  // namespace

void formatRankValue(const RankedMove& m, int depth, int colour, char (&token)[16]) {
    if (m.value >= DECIDED) {
        std::snprintf(token, sizeof token, "W%d", stoneOfFive(m, depth, colour, true));
    } else if (m.value <= -DECIDED) {
        std::snprintf(token, sizeof token, "L%d", stoneOfFive(m, depth, colour, false));
    } else {
        std::snprintf(token, sizeof token, "%d", reportedValue(m.value));
    }
}

void writeRankLines(const RootRanking& ranking, int colour) {
    for (int i = 0; i < ranking.count; ++i) {
        const RankedMove& m = ranking.moves[i];
        char value[16];
        formatRankValue(m, ranking.depth, colour, value);
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
