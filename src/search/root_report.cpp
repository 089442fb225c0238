#include "search/root_report.h"

#include <algorithm>

#include "board/geometry.h"
#include "board/position.h"
#include "core/game_state.h"
#include "core/output.h"
#include "core/search_control.h"
#include "core/settings.h"
#include "search/root_messages.h"
#include "search/search_thread.h"

namespace {

// Helpers search the same root silently: only the main thread reports.
bool messagesOn(const SearchNode& root) {
    return root.thread == &mainThread && root.thread->control.rootDepth >= 8 && settings.showDetail.load(std::memory_order_relaxed) != 0;
}

// An empty point the root did not take and may play.
bool unsearchedPoint(const SearchNode& root, int x, int y) {
    Position& pos = root.thread->pos;
    return pos.board[x][y] == EMPTY && !isTaken(root, x, y) && !isExcludedAtRoot(root, x, y);
}

inline bool holdsStone(Position& pos, int x, int y) {
    return onBoard(x, y) && (pos.board[x][y] == BLACK || pos.board[x][y] == WHITE);
}

// Which neighbours count for the pre-marking of unsearched points.
enum class Ring { All, Far, Near };

bool stoneNearby(Position& pos, int x, int y, int radius, Ring ring) {
    for (int dx = -radius; dx <= radius; ++dx)
        for (int dy = -radius; dy <= radius; ++dy) {
            const int dist = std::abs(dx) + std::abs(dy);
            if (ring == Ring::Far && dist < 4) continue;
            if (ring == Ring::Near && dist > 3) continue;
            if (holdsStone(pos, x + dx, y + dy)) return true;
        }
    return false;
}

// The scan batch's last moves: the points the root will not search are reported as
// finished, so that a watching manager sees the whole board covered.
void preMarkUnsearched(const SearchNode& root, const RootBatch& batch, int k) {
    Position& pos = root.thread->pos;
    auto skipAt = [&](int i) { return i < batch.count && batch.row[i].key == SKIP_KEY; };
    const bool last = k == batch.count - 1 || skipAt(k + 1);
    const bool lastTwo = last || k == batch.count - 2 || skipAt(k + 2);
    if (!lastTwo) return;
    const int radius = settings.cautionFactor.load(std::memory_order_relaxed) >= 2 ? 3 : 2;
    const Ring ring = k == 0 ? Ring::All : (last ? Ring::Far : Ring::Near);
    for (int x = 0; x < geometry.sizeX; ++x)
        for (int y = 0; y < geometry.sizeY; ++y) {
            if (!unsearchedPoint(root, x, y) || !stoneNearby(pos, x, y, radius, ring)) continue;
            sendReply("MESSAGE REALTIME POS %d,%d", x, y);
            sendReply("MESSAGE REALTIME DONE %d,%d", x, y);
        }
}

}  // namespace

int clampRootScore(const SearchNode& root, int score) {
    const int top = root.thread->control.rootDepth + 9999999;
    return std::clamp(score, -top, top);
}

void reportBeforeMove(const SearchNode& root, const RootBatch& batch, int k, bool firstMove) {
    if (!messagesOn(root)) return;
    const int x = batch.row[k].x, y = batch.row[k].y;
    if (firstMove) {
        sendReply("MESSAGE REALTIME BEST %d,%d", x, y);
        sendReply("MESSAGE REALTIME REFRESH");
    }
    if (batch.phase == PHASE_SCAN) preMarkUnsearched(root, batch, k);
    sendReply("MESSAGE REALTIME POS %d,%d", x, y);
}

void reportAfterMove(const SearchNode& root, int x, int y) {
    if (messagesOn(root)) sendReply("MESSAGE REALTIME DONE %d,%d", x, y);
}

void reportScore(const SearchNode& root, int x, int y, int score, int best) {
    if (!messagesOn(root)) return;
    if (score > best) {
        sendReply("MESSAGE REALTIME BEST %d,%d", x, y);
        sendReply("MESSAGE REALTIME VAL %d", std::clamp(score, -10000, 10000));
    }
    if (score < -DECIDED) sendReply("MESSAGE REALTIME LOSE %d,%d", x, y);
}

void reportNewAlpha(const SearchNode& root) {
    if (!messagesOn(root)) return;
    const PvLine& row = root.thread->state.pvRows[0];
    const int n = std::min(row.length, root.thread->control.rootDepth);
    OutLine line;
    line.add("MESSAGE REALTIME PV");
    for (int j = 0; j < n; ++j) line.add(" [%d%c]", geometry.sizeX - row.moves[j][0], 'A' + row.moves[j][1]);
    line.add("\n");
    line.send();
}

void finishRoot(const SearchNode& root, int keptX, int keptY, int nonLosingMoves, int best) {
    Position& pos = root.thread->pos;
    RootResult& rootResult = root.thread->root;
    rootResult.bestX = keptX;
    rootResult.bestY = keptY;
    rootResult.onlyMoveFlag = nonLosingMoves == 1 ? 1 : 0;
    if (!messagesOn(root) || best >= -DECIDED || best == NO_SCORE) return;
    for (int x = 0; x < geometry.sizeX; ++x)
        for (int y = 0; y < geometry.sizeY; ++y)
            if (unsearchedPoint(root, x, y) && stoneNearby(pos, x, y, 3, Ring::All))
                sendReply("MESSAGE REALTIME LOSE %d,%d", x, y);
}

int stopRoot(const SearchNode& root, int searched, int keptX, int keptY, int best, int alpha) {
    if (searched <= 1) return 0;
    root.thread->root.bestX = keptX;
    root.thread->root.bestY = keptY;
    int result;
    if (best != NO_SCORE) result = clampRootScore(root, best);
    else result = std::min(alpha, root.thread->control.rootDepth + 9999999);
    return result == 0 ? 1 : result;
}
