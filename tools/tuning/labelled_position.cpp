#include "labelled_position.h"

#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <sstream>

namespace {

bool parseStone(const std::string& word, Stone& s) {
    int x = 0, y = 0, used = 0;
    if (std::sscanf(word.c_str(), "%d,%d%n", &x, &y, &used) != 2 ||
        used != static_cast<int>(word.size()))
        return false;
    if (x < 0 || y < 0 || x >= 20 || y >= 20) return false;
    s = {static_cast<int8_t>(x), static_cast<int8_t>(y)};
    return true;
}

bool parseStones(std::istringstream& words, std::vector<Stone>& stones) {
    std::string word;
    while (words >> word) {
        Stone s{};
        if (!parseStone(word, s)) return false;
        stones.push_back(s);
    }
    return true;
}

// The optional "v=VALUE b=x,y" words; the stream is left at the first stone.
bool parseSearchLabel(std::istringstream& words, LabelledPosition& p) {
    words >> std::ws;
    if (words.peek() != 'v') return true;
    std::string value, best;
    if (!(words >> value >> best) || value.compare(0, 2, "v=") != 0 ||
        best.compare(0, 2, "b=") != 0)
        return false;
    char* end = nullptr;
    p.value = static_cast<int>(std::strtol(value.c_str() + 2, &end, 10));
    p.searched = true;
    return *end == '\0' && end != value.c_str() + 2 && parseStone(best.substr(2), p.best);
}

// The value after "key " in a tab-separated field list, or an empty string.
std::string field(const std::string& line, const std::string& key) {
    size_t at = 0;
    while (at < line.size()) {
        size_t end = line.find('\t', at);
        if (end == std::string::npos) end = line.size();
        if (line.compare(at, key.size() + 1, key + " ") == 0)
            return line.substr(at + key.size() + 1, end - at - key.size() - 1);
        at = end + 1;
    }
    return "";
}

}  // namespace

void writePosition(std::ostream& out, const LabelledPosition& p) {
    out << p.infoRule << ' ' << p.size << ' '
        << (p.result == 1   ? "1"
            : p.result == 0 ? "0"
                            : "0.5")
        << ' ' << p.game;
    if (p.searched) out << " v=" << p.value << " b=" << int(p.best.x) << ',' << int(p.best.y);
    for (const Stone& s : p.stones) out << ' ' << int(s.x) << ',' << int(s.y);
    out << '\n';
}

bool parsePosition(const std::string& line, LabelledPosition& p, std::string& error) {
    std::istringstream words(line);
    p = LabelledPosition{};
    if (!(words >> p.infoRule >> p.size >> p.result >> p.game)) {
        error = "expected RULE SIZE RESULT GAME";
        return false;
    }
    if (p.size < 5 || p.size > 20 || (p.result != 0 && p.result != 0.5 && p.result != 1)) {
        error = "size or result out of range";
        return false;
    }
    if (!parseSearchLabel(words, p) || !parseStones(words, p.stones)) {
        error = "bad stone";
        return false;
    }
    return true;
}

bool parseLoggedGame(const std::string& line, LoggedGame& g) {
    g = LoggedGame{};
    const std::string rule = field(line, "rule"), size = field(line, "size"),
                      result = field(line, "result");
    if (rule.empty() || size.empty() || result.empty()) return false;
    g.infoRule = std::atoi(rule.c_str());
    g.size = std::atoi(size.c_str());
    g.winner = result == "1-0" ? 1 : result == "0-1" ? 2 : result == "1/2-1/2" ? 0 : -1;
    std::istringstream words(field(line, "stones"));
    return parseStones(words, g.stones) && g.size >= 5 && g.size <= 20;
}
