#include "match.h"

#include <cstdio>
#include <fstream>
#include <mutex>
#include <thread>

#include "match_report.h"
#include "match_tally.h"

Fixture fixtureOf(const std::vector<OpeningSet>& sets, int game) {
    // Each opening twice, colours swapped; the sets take turns pair by pair,
    // so a short run still meets each of them.
    const int pair = game / 2;
    const OpeningSet& set = sets[static_cast<size_t>(pair) % sets.size()];
    const int opening =
        static_cast<int>((static_cast<size_t>(pair) / sets.size()) % set.openings.size());
    return {&set, opening, game % 2 == 0};
}

namespace {

const char* outcome(int winner) {
    switch (winner) {
        case 1:
            return "black wins";
        case 2:
            return "white wins";
        case 0:
            return "draw";
        default:
            return "abandoned";
    }
}

const char* resultCode(int winner) {
    switch (winner) {
        case 1:
            return "1-0";
        case 2:
            return "0-1";
        case 0:
            return "1/2-1/2";
        default:
            return "*";
    }
}

class Match {
  public:
    explicit Match(const MatchPlan& plan) : plan_(plan), tally_(plan.games) {}

    bool openLog();
    void playAll();
    int finish();

  private:
    void work();
    bool nextGame(int& game);
    void record(int game, const Fixture& f, const std::string& label, const GameResult& r);
    void logGame(int game, const Fixture& f, const GameResult& r);

    const MatchPlan& plan_;
    std::mutex mutex_;  // guards everything below and the standard output
    MatchTally tally_;
    int next_ = 0;
    bool stop_ = false;
    std::ofstream log_;
};

bool Match::openLog() {
    if (plan_.logPath.empty()) return true;
    log_.open(plan_.logPath, std::ios::app);
    if (!log_) std::fprintf(stderr, "vodaro_selfplay: cannot write %s\n", plan_.logPath.c_str());
    return static_cast<bool>(log_);
}

bool Match::nextGame(int& game) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (stop_ || next_ >= plan_.games) return false;
    game = next_++;
    return true;
}

void Match::work() {
    int g = 0;
    while (nextGame(g)) {
        const Fixture f = fixtureOf(plan_.sets, g);
        const Seat& black = f.aBlack ? plan_.a : plan_.b;
        const Seat& white = f.aBlack ? plan_.b : plan_.a;
        const std::string label = "game " + std::to_string(g + 1) + " " + f.set->name + "#" +
                                  std::to_string(f.opening + 1) + " rule " +
                                  std::to_string(f.set->infoRule);
        GameResult r = playGame(*f.set, f.set->openings[static_cast<size_t>(f.opening)], black,
                                white, plan_.limits, label,
                                plan_.limits.seed * 100003u +
                                    static_cast<unsigned>(plan_.limits.randomEachGame ? g : g / 2));
        record(g, f, label, r);
    }
}

void Match::record(int game, const Fixture& f, const std::string& label, const GameResult& r) {
    std::lock_guard<std::mutex> lock(mutex_);
    tally_.add(game, f.aBlack, r);
    const Seat& black = f.aBlack ? plan_.a : plan_.b;
    const Seat& white = f.aBlack ? plan_.b : plan_.a;
    std::printf("%s: black %s, white %s: %s after %d stones; longest reply %d ms (first %d ms)\n",
                label.c_str(), black.name.c_str(), white.name.c_str(), outcome(r.winner), r.moves,
                r.longestReply, r.longestFirst);
    for (const std::string& fault : r.faults) std::printf("  FAULT %s\n", fault.c_str());
    if (!r.faults.empty()) std::printf("  stones: %s\n", r.record.c_str());
    printRunningLine(tally_, plan_.games, plan_.sprtOn ? &plan_.sprt : nullptr);
    std::fflush(stdout);
    logGame(game, f, r);
    if (plan_.sprtOn &&
        sprtVerdict(plan_.sprt, sprtLlr(plan_.sprt, tally_.perPair())) != SprtVerdict::Continue)
        stop_ = true;  // games under way still finish and count
}

// Tab-separated fields, the stones last, for later analysis.
void Match::logGame(int game, const Fixture& f, const GameResult& r) {
    if (!log_.is_open()) return;
    const Seat& black = f.aBlack ? plan_.a : plan_.b;
    const Seat& white = f.aBlack ? plan_.b : plan_.a;
    std::string faulted = r.faultedColours == 0 ? "-" : "";
    if (r.faultedColours & REF_BLACK) faulted += "black";
    if (r.faultedColours == (REF_BLACK | REF_WHITE)) faulted += ",";
    if (r.faultedColours & REF_WHITE) faulted += "white";
    log_ << "game " << game + 1 << "\topening " << f.set->name << "#" << f.opening + 1 << "\trule "
         << f.set->infoRule << "\tsize " << f.set->size << "\tblack " << black.name << "\twhite "
         << white.name << "\tresult " << resultCode(r.winner) << "\tfault " << faulted
         << "\tstones " << r.record << "\n";
    log_.flush();
}

void Match::playAll() {
    std::vector<std::thread> workers;
    for (int i = 1; i < plan_.concurrency; ++i) workers.emplace_back([this] { work(); });
    work();
    for (std::thread& t : workers) t.join();
}

int Match::finish() {
    if (stop_ && tally_.played() < plan_.games)
        std::printf("SPRT decided after %d of %d games\n", tally_.played(), plan_.games);
    printSummary(tally_, plan_.a, plan_.b, plan_.limits, plan_.sprtOn ? &plan_.sprt : nullptr);
    return tally_.faults.empty() ? 0 : 1;
}

}  // namespace

int runMatch(const MatchPlan& plan) {
    Match match(plan);
    if (!match.openLog()) return 2;
    match.playAll();
    return match.finish();
}
