// The forbidden cases through QVSHOWFORBID on the engine binary: the listing
// names the case's point exactly when it is forbidden, and lists exactly the
// points that isForbidden finds in the same position built in this process.
#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "board/position.h"
#include "rules/forbidden.h"
#include "rules/forbidden_cases.h"
#include "support/engine_process.h"
#include "support/position_fixture.h"

namespace {

// The position these tests build and change.
Position pos;

using PointSet = std::set<std::pair<int, int>>;

// The game record alternates colours, so the side with fewer stones gets
// filler stones spaced along the bottom rows, away from every drawing.
std::vector<fixture::Stone> withFillers(const std::vector<fixture::Stone>& drawn) {
    std::vector<fixture::Stone> black, white;
    for (const fixture::Stone& s : drawn) (s.code == 1 ? black : white).push_back(s);
    static const int whiteSpots[][2] = {{1, 14}, {4, 14}, {7, 14}, {10, 14}, {13, 14}, {2, 12},
                                        {6, 12}, {10, 12}, {14, 12}, {0, 13}, {12, 13}};
    static const int blackSpots[][2] = {{14, 14}, {9, 13}, {4, 12}};
    size_t w = 0, b = 0;
    while (white.size() + 1 < black.size() && w < std::size(whiteSpots))
        white.push_back({whiteSpots[w][0], whiteSpots[w][1], 2}), ++w;
    while (black.size() < white.size() && b < std::size(blackSpots))
        black.push_back({blackSpots[b][0], blackSpots[b][1], 1}), ++b;
    std::vector<fixture::Stone> record;
    for (size_t i = 0; i < black.size() || i < white.size(); ++i) {
        if (i < black.size()) record.push_back(black[i]);
        if (i < white.size()) record.push_back(white[i]);
    }
    return record;
}

PointSet forbiddenInProcess(const std::vector<fixture::Stone>& record) {
    fixture::newBoard(pos, 2);
    for (const fixture::Stone& s : record) makeMove(pos, s.x, s.y, s.code);
    PointSet points;
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y)
            if (isForbidden(pos, x, y)) points.insert({x, y});
    return points;
}

// "FORBID " then four digits (x then y, two each) per point, then ".".
bool parseListing(const std::string& line, PointSet& points) {
    const std::string head = "FORBID ";
    if (line.rfind(head, 0) != 0 || line.back() != '.') return false;
    std::string digits = line.substr(head.size(), line.size() - head.size() - 1);
    if (digits.size() % 4 != 0 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
    for (size_t i = 0; i < digits.size(); i += 4)
        points.insert({std::stoi(digits.substr(i, 2)), std::stoi(digits.substr(i + 2, 2))});
    return true;
}

TEST(ForbiddenListingBinary, EveryCaseListedAsIsForbiddenJudgesIt) {
    EngineProcess engine;
    engine.send("INFO hash_size 4096");
    engine.send("INFO rule 4");  // managers flag Renju with bit 4
    int cases = 0;
    for (const forbidden_cases::Case& c : forbidden_cases::CASES) {
        if (c.sizeX != 15) continue;
        ++cases;
        std::vector<fixture::Stone> record = withFillers(fixture::parse(c.drawing));
        engine.send("START 15");
        std::string line;
        do line = engine.readLine();
        while (line != "OK" && line != EngineProcess::TIMEOUT && line != EngineProcess::CLOSED);
        ASSERT_EQ(line, "OK") << c.what;
        std::string board = "QVBOARD\n";
        for (const fixture::Stone& s : record)
            board += std::to_string(s.x) + "," + std::to_string(s.y) + "," + std::to_string(s.code) + "\n";
        engine.sendRaw(board + "DONE\n");
        engine.send("QVSHOWFORBID");
        line = engine.readLine();
        PointSet listed;
        ASSERT_TRUE(parseListing(line, listed)) << line;
        EXPECT_EQ(listed.count({c.x, c.y}), static_cast<size_t>(c.expected)) << c.what << c.drawing << line;
        EXPECT_EQ(listed, forbiddenInProcess(record)) << c.what << c.drawing << line;
    }
    EXPECT_GT(cases, 20);
}

}  // namespace
