#include "driver/turn_report.h"

#include "board/geometry.h"
#include "core/clock.h"
#include "core/game_state.h"
#include "core/output.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "driver/turn_limits.h"
#include "driver/turn_state.h"
#include "search/root_report.h"
#include "search/search_thread.h"

const char* moodOf(int value) {
    if (value > 500) return ":-)";
    if (value < -500) return ":-(";
    return "";
}

void writeIterationDetail(int depth, int result, bool cutShort) {
    if (depth < 5 || settings.showDetail.load() == 0) return;
    const SearchControl& sc = mainThread.control;
    sendReply("MESSAGE DETAIL DEPTH:%d-%d%s VAL:%d TIME:%dms NODE:%dm [%d,%c]", depth,
              depth - sc.lowestRemainingDepth, cutShort ? "*" : "", reportedValue(result),
              clockMs() - sc.turnStartTime, static_cast<int>(sc.nodeCounter / 1000000),
              notationNumber(game.sizeX, mainThread.root.bestX),
              notationLetter(mainThread.root.bestY));
}

namespace {

void writeSummary(int value, bool detailed) {
    const SearchControl& sc = mainThread.control;
    const long elapsed = sc.turnStartTime;
    const int depth = sc.rootDepth;
    const int selective = depth - sc.lowestRemainingDepth;
    const int64_t nodes = sc.nodeCounter;
    const int64_t expanded = sc.expandedNodeCounter;
    const double complexity =
        100.0 * static_cast<double>(expanded) / static_cast<double>(nodes + 1);
    const double branching = sc.branchSum / static_cast<double>(expanded + 1);
    // The elapsed time is never negative; the guard keeps a clock anomaly from dividing by zero.
    const long speed =
        elapsed + 1 > 0 ? static_cast<long>(nodes / (elapsed + 1)) : static_cast<long>(nodes);
    const int megaNodes = static_cast<int>(nodes / 1000000);
    if (detailed) {
        sendReply("MESSAGE Complexity: %.1f, %.1f | Depth: %d-%d | Time: %ldms | Node: %dm",
                  complexity, branching, depth, selective, elapsed, megaNodes);
        sendReply("MESSAGE Speed: %ld | Evaluation: %d %s", speed, reportedValue(value),
                  moodOf(value));
    } else {
        sendReply("MESSAGE %.1f | %d | %d | %ldms | %.1f | %ld | %d | %d %s", complexity, depth,
                  selective, elapsed, branching, speed, geometry.lineRadius, reportedValue(value),
                  moodOf(value));
    }
}

void writeBestLine(bool detailed) {
    OutLine line;
    line.add("MESSAGE ");
    if (detailed) line.add("Bestline: ");
    int count = turnState.bestLineLength;
    if (count > mainThread.control.rootDepth) count = mainThread.control.rootDepth;
    for (int i = 0; i < count; ++i) {
        const int x = turnState.bestLine[i][0];
        const int y = turnState.bestLine[i][1];
        if (detailed) {
            line.add("[%d%c] ", notationNumber(game.sizeX, x), notationLetter(y));
        } else {
            line.add("[%d,%d] ", x + 1, y + 1);
        }
    }
    line.add("\n");
    line.send();
}

void writeBlockedPoints() {
    OutLine line;
    bool any = false;
    for (int x = 0; x < game.sizeX && x < MAX_SIDE; ++x) {
        for (int y = 0; y < game.sizeY && y < MAX_SIDE; ++y) {
            if (game.blockTable[x][y].load() == 0) continue;
            if (!any) line.add("MESSAGE Block");
            any = true;
            line.add("[%d%c] ", notationNumber(game.sizeX, x), notationLetter(y));
        }
    }
    if (!any) return;
    line.add("\n");
    line.send();
}

}  // namespace

void writeTurnReport(int value) {
    const bool detailed = settings.showDetail.load() != 0;
    writeSummary(value, detailed);
    writeBestLine(detailed);
    if (detailed) writeBlockedPoints();
}
