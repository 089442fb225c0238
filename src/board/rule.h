#pragma once
// The rules the engine plays, and how a manager's INFO rule value maps to them.
// Every test of the rule in the engine goes through these names.
#include "core/limits.h"

enum GameRule : int {
    RULE_FREESTYLE = 0,  // five or more in a row wins
    RULE_STANDARD = 1,   // exactly five wins
    RULE_RENJU = 2,      // exactly five for black, who may not make overlines, double fours, double threes
    RULE_CARO = 3,       // exactly five, and not with opponent stones (or blocked points) at both ends
};

// Managers send rule as bit flags: 1 exactly five, 2 continuous game (nothing
// to the engine), 4 Renju, 8 Caro. Renju wins over Caro. Values outside 0..15
// have no bit meaning and are taken as Renju, as they always were.
constexpr int ruleFromSetting(int ruleSetting) {
    if (ruleSetting < 0 || ruleSetting > 15) return RULE_RENJU;
    if (ruleSetting & 4) return RULE_RENJU;
    if (ruleSetting & 8) return RULE_CARO;
    return (ruleSetting & 1) ? RULE_STANDARD : RULE_FREESTYLE;
}

// Exactly five wins (a longer line is an overline) for colour c under rule.
constexpr bool overlineLosesFor(int rule, int c) {
    return rule == RULE_STANDARD || rule == RULE_CARO || (rule == RULE_RENJU && c == BLACK);
}

// The INFO rule value a manager sends for rule (the inverse of ruleFromSetting).
constexpr int settingForRule(int rule) {
    constexpr int SETTINGS[4] = {0, 1, 4, 8};
    return SETTINGS[rule];
}
