// vodaro_positions: turns vodaro_selfplay game logs into labelled quiet
// positions for the evaluation tuner (format in labelled_position.h), written
// to standard output; a summary goes to standard error.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "labelled_position.h"
#include "quiet_positions.h"

namespace {

std::string gameKey(const LoggedGame& g) {
    std::string key = std::to_string(g.infoRule) + "/" + std::to_string(g.size) + ":";
    for (const Stone& s : g.stones) key += static_cast<char>(s.x * 20 + s.y);
    return key;
}

struct Counts {
    int lines = 0, unreadable = 0, abandoned = 0, repeated = 0;
};

bool readLog(const char* path, std::vector<LoggedGame>& games, std::set<std::string>& seen,
             Counts& counts) {
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        ++counts.lines;
        LoggedGame g;
        if (!parseLoggedGame(line, g))
            ++counts.unreadable;
        else if (g.winner < 0)
            ++counts.abandoned;
        else if (!seen.insert(gameKey(g)).second)
            ++counts.repeated;  // fixed-depth games can repeat
        else
            games.push_back(g);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QuietFilter filter;
    std::vector<const char*> logs;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--skip" && i + 1 < argc)
            filter.skipStones = std::atoi(argv[++i]);
        else if (arg == "--drop-four-wins")
            filter.dropFourWins = true;
        else if (arg.rfind("--", 0) == 0)
            logs.clear(), i = argc;
        else
            logs.push_back(argv[i]);
    }
    if (logs.empty()) {
        std::fprintf(stderr,
                     "usage: vodaro_positions [--skip N] [--drop-four-wins] LOG... > positions.txt\n"
                     "  reads vodaro_selfplay --log files, keeps each distinct finished game once "
                     "and writes\n"
                     "  its quiet positions after the first N stones (default 8), labelled with "
                     "the result;\n"
                     "  --drop-four-wins also leaves out those where either colour, moving "
                     "there, wins by a\n"
                     "  chain of fours (the search settles them without the evaluation)\n");
        return 2;
    }
    std::vector<LoggedGame> games;
    std::set<std::string> seen;
    Counts counts;
    for (const char* path : logs)
        if (!readLog(path, games, seen, counts)) {
            std::fprintf(stderr, "vodaro_positions: cannot read %s\n", path);
            return 2;
        }
    // One rule and size after another: the board tables are built once for each.
    std::stable_sort(games.begin(), games.end(), [](const LoggedGame& a, const LoggedGame& b) {
        return a.infoRule != b.infoRule ? a.infoRule < b.infoRule : a.size < b.size;
    });
    std::map<int, long> perRule;
    long total = 0;
    for (size_t i = 0; i < games.size(); ++i) {
        for (const LabelledPosition& p :
             quietPositions(games[i], static_cast<int>(i) + 1, filter)) {
            writePosition(std::cout, p);
            ++perRule[p.infoRule];
            ++total;
        }
    }
    std::cout.flush();
    std::fprintf(stderr,
                 "vodaro_positions: %d log lines, %zu games used (%d repeated, %d abandoned, %d "
                 "unreadable), %ld positions",
                 counts.lines, games.size(), counts.repeated, counts.abandoned, counts.unreadable,
                 total);
    for (const auto& [rule, n] : perRule) std::fprintf(stderr, "; rule %d: %ld", rule, n);
    std::fprintf(stderr, "\n");
    return 0;
}
