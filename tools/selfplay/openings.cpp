#include "openings.h"

#include <fstream>
#include <sstream>

namespace {

bool parsePoint(const std::string& word, Point& p) {
    size_t comma = word.find(',');
    if (comma == std::string::npos || comma == 0 || comma + 1 >= word.size()) return false;
    try {
        size_t used = 0;
        p.x = std::stoi(word.substr(0, comma), &used);
        if (used != comma) return false;
        std::string rest = word.substr(comma + 1);
        p.y = std::stoi(rest, &used);
        return used == rest.size();
    } catch (...) {
        return false;
    }
}

}  // namespace

bool readOpenings(const std::string& path, int size, std::vector<Opening>& out, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string word;
        Opening opening;
        bool used[REF_MAX][REF_MAX] = {};
        while (words >> word) {
            Point p;
            if (!parsePoint(word, p) || p.x < 0 || p.y < 0 || p.x >= size || p.y >= size || used[p.x][p.y]) {
                error = path + ":" + std::to_string(lineNo) + ": bad or repeated point '" + word + "'";
                return false;
            }
            used[p.x][p.y] = true;
            opening.push_back(p);
        }
        if (!opening.empty()) out.push_back(opening);
    }
    return true;
}
