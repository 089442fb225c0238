#include "protocol/info_keys.h"

#include <atomic>
#include <cstring>

#include "core/settings.h"
#include "protocol/argument_scan.h"
#include "protocol/brain_thread.h"
#include "protocol/command_match.h"

namespace {

struct NumericKey {
    const char* key;
    std::atomic<int> Settings::*field;
};

// Tried in this order; no key is a prefix of a later one.
const NumericKey numericKeys[] = {
    {"max_memory", &Settings::maxMemory},     {"timeout_match", &Settings::timeoutMatch},
    {"timeout_turn", &Settings::timeoutTurn}, {"time_left", &Settings::timeLeft},
    {"game_type", &Settings::gameType},       {"max_depth", &Settings::maxDepth},
    {"max_node", &Settings::maxNode},         {"caution_factor", &Settings::cautionFactor},
    {"hash_size", &Settings::hashSize},       {"show_detail", &Settings::showDetail},
    {"rule", &Settings::rule},                {"thread_num", &Settings::threadNum},
    {"learned_order", &Settings::learnedOrder},
};

void storeFolder(const char* value) {
    // The line buffer holds at most 255 characters, but the copy stays bounded on its own.
    std::strncpy(settings.folder, value, sizeof settings.folder - 1);
    settings.folder[sizeof settings.folder - 1] = '\0';
}

}  // namespace

void applyInfoKey(const char* text) {
    for (const NumericKey& k : numericKeys) {
        const char* value = matchCommand(k.key, text);
        if (!value) continue;
        int number = parseLeadingInteger(value);
        // The tables need at least one entry.
        if (k.field == &Settings::hashSize && number <= 0) number = 1;
        (settings.*k.field).store(number);
        // New table sizes and helper counts are prepared between searches, not inside a turn.
        const bool memory = k.field == &Settings::maxMemory;
        if (memory || k.field == &Settings::hashSize || k.field == &Settings::threadNum)
            requestTablePreparation(memory);
        return;
    }
    if (const char* value = matchCommand("folder", text)) storeFolder(value);
}
