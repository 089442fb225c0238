// vodaro_selfplay: plays games between two engine processes through the
// Gomocup protocol, checks every reply, and reports results and faults.
// Exit status 0 only when no fault was seen.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "game.h"

#ifndef VODARO_SELFPLAY_OPENINGS
#define VODARO_SELFPLAY_OPENINGS "tools/selfplay/openings"
#endif

namespace {

struct Options {
    Seat a{"A", "build/pbrain-vodaro"};
    Seat b{"B", ""};  // same binary as A unless given
    int games = 12;
    std::string openingsDir = VODARO_SELFPLAY_OPENINGS;
    std::vector<int> rules{0, 1, 4};
    std::vector<int> sizes{15, 20};
    int renjuInfo = 4;  // managers send rule as bit flags: 4 is Renju
    GameLimits limits;
};

void usage() {
    std::printf(
        "usage: vodaro_selfplay [options]\n"
        "  --engine PATH        engine A (default build/pbrain-vodaro)\n"
        "  --engine2 PATH       engine B (default: the same as A)\n"
        "  --games N            games to play, in pairs with colours swapped (default 12)\n"
        "  --rules LIST         INFO rule values to play, of 0,1,4,8 (default 0,1,4; 4 = Renju, 8 = Caro)\n"
        "  --sizes LIST         board sizes to play, of 15,20 (default 15,20)\n"
        "  --timeout-turn MS    INFO timeout_turn (default 200)\n"
        "  --timeout-match MS   INFO timeout_match, where time_left starts (default 1000 x timeout_turn)\n"
        "  --tolerance MS       a reply may take timeout_turn plus this (default 500)\n"
        "  --first-tolerance MS the same for an engine's first reply, which builds its tables (default 2000)\n"
        "  --exit-timeout MS    time to exit after END (default 1000)\n"
        "  --openings DIR       opening files (default %s)\n"
        "  --verbose            print every move\n",
        VODARO_SELFPLAY_OPENINGS);
}

std::vector<int> parseList(const char* text) {
    std::vector<int> out;
    for (const char* p = text; *p;) {
        out.push_back(std::atoi(p));
        const char* comma = std::strchr(p, ',');
        if (!comma) break;
        p = comma + 1;
    }
    return out;
}

bool parseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* v = nullptr;
        if (arg == "--verbose") {
            o.limits.verbose = true;
            continue;
        }
        if (arg == "--help" || arg == "-h" || !(v = value())) return false;
        if (arg == "--engine") o.a.path = v;
        else if (arg == "--engine2") o.b.path = v;
        else if (arg == "--games") o.games = std::atoi(v);
        else if (arg == "--rules") o.rules = parseList(v);
        else if (arg == "--sizes") o.sizes = parseList(v);
        else if (arg == "--timeout-turn") o.limits.timeoutTurn = std::atoi(v);
        else if (arg == "--timeout-match") o.limits.timeoutMatch = std::atoi(v);
        else if (arg == "--tolerance") o.limits.tolerance = std::atoi(v);
        else if (arg == "--first-tolerance") o.limits.firstTolerance = std::atoi(v);
        else if (arg == "--exit-timeout") o.limits.exitTimeout = std::atoi(v);
        else if (arg == "--openings") o.openingsDir = v;
        else return false;
    }
    if (o.b.path.empty()) o.b.path = o.a.path;
    if (o.limits.timeoutMatch <= 0) o.limits.timeoutMatch = 1000 * o.limits.timeoutTurn;
    return o.games > 0 && o.limits.timeoutTurn > 0;
}

bool wanted(const std::vector<int>& list, int v) { return std::find(list.begin(), list.end(), v) != list.end(); }

// The opening sets in playing order: the rules take turns, so a short run still
// meets each of them.
bool loadSets(const Options& o, std::vector<OpeningSet>& sets) {
    struct Source {
        const char* file;
        Rule rule;
        int infoRule;
        int size;
    };
    const Source sources[] = {
        {"renju15_rif26_A", Rule::Renju, o.renjuInfo, 15},
        {"freestyle15_piskvork_A", Rule::FreeStyle, 0, 15},
        {"freestyle15_piskvork_A", Rule::Standard, 1, 15},
        {"freestyle20_piskvork_A", Rule::FreeStyle, 0, 20},
        {"freestyle20_piskvork_A", Rule::Standard, 1, 20},
        {"freestyle20_misc_A", Rule::FreeStyle, 0, 20},
        {"freestyle15_piskvork_A", Rule::Caro, 8, 15},  // Caro is played on 15x15
    };
    for (const Source& s : sources) {
        if (!wanted(o.rules, s.infoRule) || !wanted(o.sizes, s.size)) continue;
        OpeningSet set{s.file, s.rule, s.infoRule, s.size, {}};
        std::string error;
        if (!readOpenings(o.openingsDir + "/" + s.file + ".txt", s.size, set.openings, error)) {
            std::fprintf(stderr, "vodaro_selfplay: %s\n", error.c_str());
            return false;
        }
        if (!set.openings.empty()) sets.push_back(set);
    }
    if (sets.empty()) std::fprintf(stderr, "vodaro_selfplay: no openings for these rules and sizes\n");
    return !sets.empty();
}

const char* outcome(int winner) {
    switch (winner) {
        case 1: return "black wins";
        case 2: return "white wins";
        case 0: return "draw";
        default: return "abandoned";
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parseOptions(argc, argv, o)) {
        usage();
        return 2;
    }
    std::vector<OpeningSet> sets;
    if (!loadSets(o, sets)) return 2;
    std::printf("vodaro_selfplay: %d games, A = %s, B = %s, timeout_turn %d ms, timeout_match %d ms, "
                "tolerance %d ms (first reply %d ms)\n",
                o.games, o.a.path.c_str(), o.b.path.c_str(), o.limits.timeoutTurn, o.limits.timeoutMatch,
                o.limits.tolerance, o.limits.firstTolerance);
    std::fflush(stdout);

    int winsA = 0, winsB = 0, draws = 0, abandoned = 0;
    int longest = 0, longestBudget = 0, longestFirst = 0;
    std::string longestAt;
    std::vector<std::string> faults;
    for (int g = 0; g < o.games; ++g) {
        int pair = g / 2;
        const OpeningSet& set = sets[pair % sets.size()];
        int index = static_cast<int>((pair / sets.size()) % set.openings.size());
        bool aBlack = g % 2 == 0;  // each opening twice, colours swapped
        const Seat& black = aBlack ? o.a : o.b;
        const Seat& white = aBlack ? o.b : o.a;
        std::string label = "game " + std::to_string(g + 1) + " " + set.name + "#" + std::to_string(index + 1) +
                            " rule " + std::to_string(set.infoRule);
        GameResult r = playGame(set, set.openings[index], black, white, o.limits, label);
        std::printf("%s: black %s, white %s: %s after %d stones; longest reply %d ms (first %d ms)\n",
                    label.c_str(), black.name.c_str(), white.name.c_str(), outcome(r.winner), r.moves,
                    r.longestReply, r.longestFirst);
        for (const std::string& f : r.faults) std::printf("  FAULT %s\n", f.c_str());
        if (!r.faults.empty()) std::printf("  stones: %s\n", r.record.c_str());
        std::fflush(stdout);
        faults.insert(faults.end(), r.faults.begin(), r.faults.end());
        if (r.winner == 0) ++draws;
        else if (r.winner < 0) ++abandoned;
        else if ((r.winner == 1) == aBlack) ++winsA;
        else ++winsB;
        longestFirst = std::max(longestFirst, r.longestFirst);
        if (r.longestReply > longest) {
            longest = r.longestReply;
            longestBudget = r.longestBudget;
            longestAt = label;
        }
    }
    std::printf("Result for A: %d wins, %d losses, %d draws, %d abandoned\n", winsA, winsB, draws, abandoned);
    std::printf("Longest reply: %d ms (%s); engine budget %d ms, timeout_turn %d ms, limit %d ms\n", longest,
                longestAt.c_str(), longestBudget, o.limits.timeoutTurn, o.limits.timeoutTurn + o.limits.tolerance);
    std::printf("Longest first reply of an engine (tables built): %d ms\n", longestFirst);
    std::printf("Faults: %zu\n", faults.size());
    for (const std::string& f : faults) std::printf("  %s\n", f.c_str());
    return faults.empty() ? 0 : 1;
}
