// vodaro_generate: labelled positions from self-play, appended to a file that
// also records which games are done (a later run skips them). Games are
// numbered 0 .. N-1; game g is played under variant g mod 8 (rules 0, 1, 4, 8
// on 15x15 and 20x20) from the shared openings plus random stones. With
// --jobs J the games are dealt to J processes (g mod J).
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "elapsed.h"
#include "generation_log.h"
#include "openings.h"
#include "self_play_labels.h"

namespace {

struct Options {
    std::string out;
    std::string openingDir = VODARO_SELFPLAY_OPENINGS;
    int games = 0;
    int jobs = 1;
    double minutes = 0;  // stop starting games after this long; 0: no limit
    uint64_t seed = 1;
    LabelBudget budget;
};

struct VariantOpenings {
    std::vector<Opening> free15, free20, renju15;
};

bool readSet(const std::string& dir, const char* name, int size, std::vector<Opening>& out) {
    std::string error;
    if (readOpenings(dir + "/" + name, size, out, error)) return true;
    std::fprintf(stderr, "vodaro_generate: %s\n", error.c_str());
    return false;
}

bool readVariants(const std::string& dir, VariantOpenings& o, std::vector<GameVariant>& variants) {
    if (!readSet(dir, "freestyle15_piskvork_A.txt", 15, o.free15) ||
        !readSet(dir, "freestyle20_piskvork_A.txt", 20, o.free20) ||
        !readSet(dir, "freestyle20_misc_A.txt", 20, o.free20) ||
        !readSet(dir, "renju15_rif26_A.txt", 15, o.renju15))
        return false;
    for (int infoRule : {0, 1, 4, 8}) {
        variants.push_back({infoRule, 15, infoRule == 4 ? &o.renju15 : &o.free15});
        variants.push_back({infoRule, 20, &o.free20});
    }
    return true;
}

bool parseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        const char* value = argv[i + 1];
        if (arg == "--out")
            o.out = value;
        else if (arg == "--games")
            o.games = std::atoi(value);
        else if (arg == "--jobs")
            o.jobs = std::atoi(value);
        else if (arg == "--minutes")
            o.minutes = std::atof(value);
        else if (arg == "--seed")
            o.seed = std::strtoull(value, nullptr, 10);
        else if (arg == "--openings")
            o.openingDir = value;
        else if (arg == "--play-depth")
            o.budget.playDepth = std::atoi(value);
        else if (arg == "--label-depth")
            o.budget.labelDepth = std::atoi(value);
        else if (arg == "--label-nodes")
            o.budget.labelNodes = std::atoi(value);
        else if (arg == "--label-share")
            o.budget.labelShare = std::atof(value);
        else if (arg == "--random-stones")
            o.budget.randomStones = std::atoi(value);
        else if (arg == "--skip")
            o.budget.skipStones = std::atoi(value);
        else
            return false;
    }
    return argc % 2 == 1 && !o.out.empty() && o.games > 0 && o.jobs >= 1;
}

// One job's share of the games not yet in the file, with a progress line per game.
int runJob(const Options& o, const std::vector<GameVariant>& variants, const std::set<int>& done,
           int job) {
    const auto start = std::chrono::steady_clock::now();
    int played = 0, todo = 0;
    long positions = 0;
    for (int g = job; g < o.games; g += o.jobs) todo += done.count(g) == 0;
    for (int g = job; g < o.games; g += o.jobs) {
        if (done.count(g)) continue;
        if (o.minutes > 0 && secondsSince(start) > o.minutes * 60) break;
        const auto found = playLabelledGame(variants[g % variants.size()], o.budget, o.seed, g);
        if (!appendBlock(o.out, gameBlock(found, g))) {
            std::fprintf(stderr, "vodaro_generate: cannot append to %s\n", o.out.c_str());
            return 1;
        }
        ++played;
        positions += static_cast<long>(found.size());
        const double s = secondsSince(start);
        std::fprintf(stderr, "job %d: %d of %d games, %ld positions, %.0f positions/hour, %.0f s\n",
                     job, played, todo, positions, positions * 3600.0 / s, s);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parseOptions(argc, argv, o)) {
        std::fprintf(
            stderr,
            "usage: vodaro_generate --out FILE --games N [--jobs J] [--minutes M] [--seed S]\n"
            "  [--play-depth D] [--label-depth D | --label-nodes K] [--label-share F]\n"
            "  [--random-stones R] [--skip N] [--openings DIR]\n");
        return 2;
    }
    VariantOpenings openings;
    std::vector<GameVariant> variants;
    if (!readVariants(o.openingDir, openings, variants)) return 1;
    // Two runs on one file would both play the games it lacks.
    const int lock = ::open((o.out + ".lock").c_str(), O_WRONLY | O_CREAT, 0644);
    if (lock < 0 || flock(lock, LOCK_EX | LOCK_NB) != 0) {
        std::fprintf(stderr, "vodaro_generate: another run writes %s\n", o.out.c_str());
        return 1;
    }
    const std::set<int> done = finishedGames(o.out);
    std::fprintf(stderr, "vodaro_generate: %zu of %d games already in %s\n", done.size(), o.games,
                 o.out.c_str());
    if (o.jobs == 1) return runJob(o, variants, done, 0);
    // Processes, not threads: the engine's board and tables are one per process.
    for (int job = 0; job < o.jobs; ++job)
        if (fork() == 0) std::_Exit(runJob(o, variants, done, job));
    int failed = 0, status = 0;
    while (wait(&status) > 0) failed += !WIFEXITED(status) || WEXITSTATUS(status) != 0;
    return failed ? 1 : 0;
}
