#include "combo_features.h"

#include <algorithm>

#include "board/combo_values.h"
#include "board/geometry.h"
#include "board/position.h"
#include "core/limits.h"
#include "threats/threat_thread.h"

int comboEntry(const Position& pos, int x, int y, int colour) {
    return comboSetFor(geometry.rule, colour) * COMBO_MULTISETS +
           comboMultisetOfKey(pos.classKey[x][y][colour - 1]);
}

void appendComboFeatures(ThreatThread& t, int side, std::vector<ComboFeature>& out) {
    const Position& pos = t.pos;
    const size_t first = out.size();
    // Every point of the square, as totalValue sums them.
    for (int x = 0; x < MAX_SIDE; ++x)
        for (int y = 0; y < MAX_SIDE; ++y)
            for (int i = 0; i < 2; ++i) {
                const int room = pos.shapeInfo[4][x][y].room[i];
                if (room == 0) continue;
                const float sign = i + 1 == side ? 1.0f : -1.0f;
                out.push_back({comboEntry(pos, x, y, i + 1), sign * room / 32.0f});
            }
    auto begin = out.begin() + static_cast<long>(first);
    std::sort(begin, out.end(),
              [](const ComboFeature& l, const ComboFeature& r) { return l.param < r.param; });
    // Merge the points that read the same entry.
    auto last = begin;
    for (auto it = begin; it != out.end(); ++it) {
        if (it != begin && it->param == last->param)
            last->weight += it->weight;
        else if (it != begin)
            *++last = *it;
    }
    if (begin != out.end()) out.erase(last + 1, out.end());
}
