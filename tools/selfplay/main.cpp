// vodaro_selfplay: plays games between two engine processes through the
// Gomocup protocol, checks every reply, and reports results, Elo and faults.
// Exit status 0 only when no fault was seen.
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine_command.h"
#include "game.h"
#include "match.h"

#ifndef VODARO_SELFPLAY_OPENINGS
#define VODARO_SELFPLAY_OPENINGS "tools/selfplay/openings"
#endif

namespace {

struct Options {
    std::string engineA = "build/pbrain-vodaro";
    std::string engineB;  // the same as A unless given
    std::string nameA, nameB;
    std::vector<std::string> infoA, infoB;  // INFO lines for one engine only
    int games = 12;
    std::string openingsDir = VODARO_SELFPLAY_OPENINGS;
    std::vector<int> rules{0, 1, 4};
    std::vector<int> sizes{15, 20};
    int renjuInfo = 4;  // managers send rule as bit flags: 4 is Renju
    GameLimits limits;
    int concurrency = 1;
    std::string sprt;  // "elo0,elo1", empty for no test
    double sprtAlpha = 0.05, sprtBeta = 0.05;
    std::string logPath;
};

void usage() {
    std::printf(
        "usage: vodaro_selfplay [options]\n"
        "  --engine CMD         engine A: program and arguments, split on blanks (default build/pbrain-vodaro)\n"
        "  --engine2 CMD        engine B (default: the same as A)\n"
        "  --name NAME          A's name in reports (default: the program's file name)\n"
        "  --name2 NAME         B's name in reports\n"
        "  --games N            games to play, in pairs with colours swapped (default 12)\n"
        "  --rules LIST         INFO rule values to play, of 0,1,4,8 (default 0,1,4; 4 = Renju, 8 = Caro)\n"
        "  --sizes LIST         board sizes to play, of 15,20 (default 15,20)\n"
        "  --timeout-turn MS    INFO timeout_turn (default 200)\n"
        "  --timeout-match MS   INFO timeout_match, where time_left starts (default 1000 x timeout_turn)\n"
        "  --tolerance MS       a reply may take timeout_turn plus this (default 500)\n"
        "  --first-tolerance MS the same for an engine's first reply, which builds its tables (default 10000)\n"
        "  --exit-timeout MS    time to exit after END (default 1000)\n"
        "  --openings DIR       opening files (default %s)\n"
        "  --verbose            print every move\n"
        "  --concurrency N      games played at once, each with its own engine processes (default 1)\n"
        "  --sprt ELO0,ELO1     stop once a sequential test over game pairs accepts H0: A - B = ELO0\n"
        "                       or H1: A - B = ELO1\n"
        "  --sprt-alpha P       chance to accept H1 when H0 holds (default 0.05)\n"
        "  --sprt-beta P        chance to accept H0 when H1 holds (default 0.05)\n"
        "  --log FILE           append one line per game: opening, colours, result, faults, stones\n"
        "  --max-memory BYTES   INFO max_memory (default 0: no limit)\n"
        "  --info \"KEY VALUE\"   an extra INFO line for both engines after the usual ones, e.g.\n"
        "                       \"max_depth 4\" (repeatable)\n"
        "  --info1 \"KEY VALUE\"  the same for engine A only, after the lines for both, e.g.\n"
        "                       \"thread_num 2\" (repeatable)\n"
        "  --info2 \"KEY VALUE\"  the same for engine B only\n"
        "  --random-moves N     add N random stones near the others after each opening (default 0);\n"
        "                       both games of a pair get the same ones\n"
        "  --seed N             seed of the random stones (default 0)\n"
        "  --random-each-game   new random stones for every game instead of every pair: an engine\n"
        "                       playing itself would otherwise repeat each game with colours swapped\n",
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
        if (arg == "--random-each-game") {
            o.limits.randomEachGame = true;
            continue;
        }
        if (arg == "--help" || arg == "-h" || !(v = value())) return false;
        if (arg == "--engine") o.engineA = v;
        else if (arg == "--engine2") o.engineB = v;
        else if (arg == "--name") o.nameA = v;
        else if (arg == "--name2") o.nameB = v;
        else if (arg == "--games") o.games = std::atoi(v);
        else if (arg == "--rules") o.rules = parseList(v);
        else if (arg == "--sizes") o.sizes = parseList(v);
        else if (arg == "--timeout-turn") o.limits.timeoutTurn = std::atoi(v);
        else if (arg == "--timeout-match") o.limits.timeoutMatch = std::atoi(v);
        else if (arg == "--tolerance") o.limits.tolerance = std::atoi(v);
        else if (arg == "--first-tolerance") o.limits.firstTolerance = std::atoi(v);
        else if (arg == "--exit-timeout") o.limits.exitTimeout = std::atoi(v);
        else if (arg == "--openings") o.openingsDir = v;
        else if (arg == "--concurrency") o.concurrency = std::atoi(v);
        else if (arg == "--sprt") o.sprt = v;
        else if (arg == "--sprt-alpha") o.sprtAlpha = std::atof(v);
        else if (arg == "--sprt-beta") o.sprtBeta = std::atof(v);
        else if (arg == "--log") o.logPath = v;
        else if (arg == "--max-memory") o.limits.maxMemory = std::atoll(v);
        else if (arg == "--info") o.limits.extraInfo.push_back(v);
        else if (arg == "--info1") o.infoA.push_back(v);
        else if (arg == "--info2") o.infoB.push_back(v);
        else if (arg == "--random-moves") o.limits.randomMoves = std::atoi(v);
        else if (arg == "--seed") o.limits.seed = static_cast<unsigned>(std::atoll(v));
        else return false;
    }
    if (o.engineB.empty()) o.engineB = o.engineA;
    if (o.limits.timeoutMatch <= 0) o.limits.timeoutMatch = 1000 * o.limits.timeoutTurn;
    return o.games > 0 && o.limits.timeoutTurn > 0 && o.concurrency > 0;
}

bool makeSeat(const std::string& command, const std::string& name, Seat& seat) {
    seat.command = splitCommand(command);
    seat.name = name.empty() ? commandName(seat.command) : name;
    return !seat.command.empty();
}

bool sprtFromOptions(const Options& o, MatchPlan& plan) {
    if (o.sprt.empty()) return true;
    double elo0 = 0, elo1 = 0;
    if (std::sscanf(o.sprt.c_str(), "%lf,%lf", &elo0, &elo1) != 2 || elo0 >= elo1) return false;
    plan.sprtOn = true;
    plan.sprt = {elo0, elo1, o.sprtAlpha, o.sprtBeta};
    return o.sprtAlpha > 0 && o.sprtAlpha < 1 && o.sprtBeta > 0 && o.sprtBeta < 1;
}

bool planFromOptions(const Options& o, MatchPlan& plan) {
    if (!makeSeat(o.engineA, o.nameA, plan.a) || !makeSeat(o.engineB, o.nameB, plan.b)) return false;
    plan.a.info = o.infoA;
    plan.b.info = o.infoB;
    if (plan.a.name == plan.b.name) {  // self-play: tell the processes apart
        plan.a.name += "#1";
        plan.b.name += "#2";
    }
    plan.limits = o.limits;
    plan.games = o.games;
    plan.concurrency = o.concurrency;
    plan.logPath = o.logPath;
    return sprtFromOptions(o, plan);
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

}  // namespace

int main(int argc, char** argv) {
    Options o;
    MatchPlan plan;
    if (!parseOptions(argc, argv, o) || !planFromOptions(o, plan)) {
        usage();
        return 2;
    }
    if (!loadSets(o, plan.sets)) return 2;
    ::signal(SIGPIPE, SIG_IGN);  // an engine that died must not take the tool with it
    std::printf("vodaro_selfplay: %d games, %d at once, A = %s (%s), B = %s (%s), timeout_turn %d ms, "
                "timeout_match %d ms, tolerance %d ms (first reply %d ms)\n",
                o.games, o.concurrency, plan.a.name.c_str(), o.engineA.c_str(), plan.b.name.c_str(),
                o.engineB.c_str(), o.limits.timeoutTurn, o.limits.timeoutMatch, o.limits.tolerance,
                o.limits.firstTolerance);
    std::fflush(stdout);
    return runMatch(plan);
}
