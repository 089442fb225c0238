#include "game.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "engine_link.h"

namespace {

// One side of the board: its process and its clock.
struct Player {
    const Seat* seat;
    int colour;
    EngineLink link;
    bool started = false;
    bool hasPosition = false;  // got BOARD (or BEGIN) once; afterwards TURN
    long long timeLeft = 0;
    int lastReplyMs = 0;  // how long the last move took, for --verbose
};

class Game {
public:
    Game(const OpeningSet& set, const GameLimits& limits, const std::string& label)
        : set_(set), limits_(limits), label_(label) {}

    GameResult run(const Opening& opening, const Seat& black, const Seat& white, unsigned variety);

private:
    void fault(const Player& p, const std::string& what);
    bool open(Player& p);
    bool drainUnasked(Player& p);
    bool askMove(Player& p, Point& move);
    bool readMove(Player& p, Point& move, long long deadline, int tolerance);
    bool judge(Player& p, Point move);
    void finish(Player& p, bool faulted);
    std::string who(const Player& p) const;

    const OpeningSet& set_;
    const GameLimits& limits_;
    std::string label_;
    RefBoard board_;
    std::vector<Point> record_;
    GameResult result_;
};

bool parseMove(const std::string& line, Point& p) {
    int x = 0, y = 0, used = 0;
    if (std::sscanf(line.c_str(), "%d,%d%n", &x, &y, &used) != 2) return false;
    if (static_cast<size_t>(used) != line.size() || line[0] == ' ') return false;
    p = {x, y};
    return true;
}

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

std::string Game::who(const Player& p) const {
    return "engine " + p.seat->name + " (" + (p.colour == REF_BLACK ? "black" : "white") + ")";
}

void Game::fault(const Player& p, const std::string& what) {
    result_.faultedColours |= p.colour;
    result_.faults.push_back(label_ + ": " + who(p) + ", stone " + std::to_string(record_.size() + 1) + ": " + what);
}

// Starts the process and sets up the game the way a manager does.
bool Game::open(Player& p) {
    std::string error;
    if (!p.link.start(p.seat->command, error)) {
        fault(p, "cannot start " + p.seat->command.front() + ": " + error);
        return false;
    }
    p.started = true;
    p.link.send("START " + std::to_string(set_.size));
    std::string line;
    for (;;) {
        EngineLink::Read r = p.link.readLine(line, limits_.startTimeout);
        if (r == EngineLink::Read::Timeout) {
            fault(p, "no OK within " + std::to_string(limits_.startTimeout) + " ms after START");
            return false;
        }
        if (r == EngineLink::Read::Closed) {
            int status = 0;
            p.link.waitExit(1000, status);
            fault(p, "closed its output after START: " + p.link.exitDescription());
            return false;
        }
        if (line == "OK") break;
        if (!startsWith(line, "MESSAGE")) {
            fault(p, "answered START with '" + line + "'");
            return false;
        }
    }
    p.timeLeft = limits_.timeoutMatch;
    p.link.send("INFO timeout_match " + std::to_string(limits_.timeoutMatch));
    p.link.send("INFO timeout_turn " + std::to_string(limits_.timeoutTurn));
    p.link.send("INFO max_memory " + std::to_string(limits_.maxMemory));
    p.link.send("INFO game_type 1");
    p.link.send("INFO rule " + std::to_string(set_.infoRule));
    for (const std::string& info : limits_.extraInfo) p.link.send("INFO " + info);
    for (const std::string& info : p.seat->info) p.link.send("INFO " + info);
    return true;
}

// Nothing but MESSAGE lines may arrive unasked (a second move would be a fault).
bool Game::drainUnasked(Player& p) {
    std::string line;
    while (p.link.readLine(line, 0) == EngineLink::Read::Line) {
        if (startsWith(line, "MESSAGE") || startsWith(line, "DEBUG")) continue;
        fault(p, "wrote '" + line + "' without being asked");
        return false;
    }
    return true;
}

bool Game::readMove(Player& p, Point& move, long long deadline, int tolerance) {
    std::string line;
    for (;;) {
        long long left = std::max(0LL, deadline - nowMs());
        EngineLink::Read r = p.link.readLine(line, static_cast<int>(left));
        if (r == EngineLink::Read::Timeout) {
            fault(p, "no move within " + std::to_string(limits_.timeoutTurn) + " + " + std::to_string(tolerance) +
                         " ms");
            return false;
        }
        if (r == EngineLink::Read::Closed) {
            int status = 0;
            p.link.waitExit(1000, status);
            fault(p, "closed its output instead of moving: " + p.link.exitDescription());
            return false;
        }
        if (startsWith(line, "MESSAGE") || startsWith(line, "DEBUG")) continue;
        if (parseMove(line, move)) return true;
        fault(p, "unexpected line '" + line + "'");  // an ERROR line, for example; keep waiting
    }
}

// Sends the position (first time) or the opponent's last stone, then times the reply.
bool Game::askMove(Player& p, Point& move) {
    if (!drainUnasked(p)) return false;
    p.link.send("INFO time_left " + std::to_string(p.timeLeft));
    const bool first = !p.hasPosition;
    if (first) {
        p.hasPosition = true;
        if (record_.empty()) {
            p.link.send("BEGIN");
        } else {
            p.link.send("BOARD");
            for (size_t i = 0; i < record_.size(); ++i) {
                int colour = static_cast<int>(i % 2) + 1;
                p.link.send(std::to_string(record_[i].x) + "," + std::to_string(record_[i].y) + "," +
                            (colour == p.colour ? "1" : "2"));
            }
            p.link.send("DONE");
        }
    } else {
        const Point& last = record_.back();
        p.link.send("TURN " + std::to_string(last.x) + "," + std::to_string(last.y));
    }
    // The engine's own budget: what it may use of this turn.
    int budget = static_cast<int>(std::min<long long>(limits_.timeoutTurn, p.timeLeft / 16));
    long long start = nowMs();
    const int tolerance = first ? limits_.firstTolerance : limits_.tolerance;
    if (!readMove(p, move, start + limits_.timeoutTurn + tolerance, tolerance)) return false;
    int used = static_cast<int>(nowMs() - start);
    p.lastReplyMs = used;
    p.timeLeft -= used;
    if (first) {
        result_.longestFirst = std::max(result_.longestFirst, used);
        result_.times[p.colour - 1].longestFirstMs = used;
    } else {
        result_.times[p.colour - 1].add(used);
        if (used > result_.longestReply) {
            result_.longestReply = used;
            result_.longestBudget = budget;
        }
    }
    if (p.timeLeft < 0) {
        fault(p, "ran out of match time (" + std::to_string(p.timeLeft) + " ms left)");
        return false;
    }
    return true;
}

bool Game::judge(Player& p, Point m) {
    std::string at = std::to_string(m.x) + "," + std::to_string(m.y);
    if (!board_.onBoard(m.x, m.y)) {
        fault(p, "played " + at + " off the board");
        return false;
    }
    if (!board_.empty(m.x, m.y)) {
        fault(p, "played " + at + " on an occupied point");
        return false;
    }
    if (set_.rule == Rule::Renju && p.colour == REF_BLACK && renjuForbidden(board_, m.x, m.y)) {
        fault(p, "played " + at + ", a forbidden point");
        return false;
    }
    return true;
}

// END, then the process must be gone within the exit timeout with status 0.
// A faulty engine is killed instead: its state is not worth asking.
void Game::finish(Player& p, bool faulted) {
    if (!p.started) return;
    if (faulted) {
        p.link.kill();
        return;
    }
    p.link.send("END");
    int status = 0;
    if (!p.link.waitExit(limits_.exitTimeout, status)) {
        fault(p, "still running " + std::to_string(limits_.exitTimeout) + " ms after END");
        p.link.kill();
    } else if (status != 0) {
        fault(p, "after END: " + p.link.exitDescription());
    }
}

GameResult Game::run(const Opening& opening, const Seat& black, const Seat& white, unsigned variety) {
    board_.reset(set_.size, set_.size);
    for (size_t i = 0; i < opening.size(); ++i) {
        board_.put(opening[i].x, opening[i].y, static_cast<int>(i % 2) + 1);
        record_.push_back(opening[i]);
    }
    addRandomStones(board_, record_, set_.rule, limits_.randomMoves, variety);
    auto players = std::make_unique<Player[]>(2);
    players[0].seat = &black;
    players[0].colour = REF_BLACK;
    players[1].seat = &white;
    players[1].colour = REF_WHITE;
    Player* culprit = nullptr;
    for (int i = 0; i < 2 && !culprit; ++i)
        if (!open(players[i])) culprit = &players[i];

    result_.winner = -1;
    while (!culprit) {
        Player& p = players[record_.size() % 2];
        Point m{};
        if (!askMove(p, m) || !judge(p, m)) {
            culprit = &p;
            break;
        }
        board_.put(m.x, m.y, p.colour);
        record_.push_back(m);
        if (limits_.verbose)
            std::printf("  %s: %s %d,%d in %d ms\n", label_.c_str(), who(p).c_str(), m.x, m.y, p.lastReplyMs);
        if (makesWin(board_, m.x, m.y, p.colour, set_.rule)) {
            result_.winner = p.colour;
            break;
        }
        if (board_.full()) {
            result_.winner = 0;
            break;
        }
    }
    for (int i = 0; i < 2; ++i) finish(players[i], culprit == &players[i]);
    if (!result_.faults.empty()) result_.winner = -1;
    result_.moves = static_cast<int>(record_.size());
    for (const Point& m : record_) result_.record += std::to_string(m.x) + "," + std::to_string(m.y) + " ";
    return result_;
}

// A small generator of our own: the stones must not depend on the library.
unsigned nextRandom(unsigned& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

bool nearStone(const RefBoard& b, int x, int y) {
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy)
            if (b.onBoard(x + dx, y + dy) && b.cell[x + dx][y + dy] != REF_EMPTY) return true;
    return false;
}

bool fitsAsRandomStone(RefBoard& b, int x, int y, int colour, Rule rule) {
    if (!b.empty(x, y) || (b.stones > 0 && !nearStone(b, x, y))) return false;
    if (rule == Rule::Renju && colour == REF_BLACK && renjuForbidden(b, x, y)) return false;
    return !makesWin(b, x, y, colour, rule);
}

}  // namespace

void addRandomStones(RefBoard& board, std::vector<Point>& record, Rule rule, int count, unsigned variety) {
    unsigned state = variety * 2654435761u + 12345u;
    for (int added = 0; added < count && !board.full(); ++added) {
        const int colour = static_cast<int>(record.size() % 2) + 1;
        std::vector<Point> fits;
        for (int x = 0; x < board.sizeX; ++x)
            for (int y = 0; y < board.sizeY; ++y)
                if (fitsAsRandomStone(board, x, y, colour, rule)) fits.push_back({x, y});
        if (fits.empty()) return;
        const Point p = fits[nextRandom(state) % fits.size()];
        board.put(p.x, p.y, colour);
        record.push_back(p);
    }
}

void ReplyTimes::add(int ms) {
    ++replies;
    totalMs += ms;
    longestMs = std::max(longestMs, ms);
}

void ReplyTimes::add(const ReplyTimes& other) {
    replies += other.replies;
    totalMs += other.totalMs;
    longestMs = std::max(longestMs, other.longestMs);
    longestFirstMs = std::max(longestFirstMs, other.longestFirstMs);
}

GameResult playGame(const OpeningSet& set, const Opening& opening, const Seat& black, const Seat& white,
                    const GameLimits& limits, const std::string& label, unsigned variety) {
    Game game(set, limits, label);
    return game.run(opening, black, white, variety);
}
