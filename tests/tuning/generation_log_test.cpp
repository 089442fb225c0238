// The generator's file: the games it records as done, after a stop in
// mid-write, and the search labels surviving a write and a read.
#include "generation_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

LabelledPosition searchedPosition(int game, int value) {
    LabelledPosition p;
    p.infoRule = 4;
    p.size = 15;
    p.result = 0;
    p.game = game;
    p.searched = true;
    p.value = value;
    p.best = {6, 9};
    p.stones = {{7, 7}, {8, 8}, {19, 0}};
    return p;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(GenerationLog, ResumesAfterATornBlock) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "vodaro_generation_log_test.txt").string();
    std::filesystem::remove(path);
    EXPECT_TRUE(finishedGames(path).empty());
    ASSERT_TRUE(
        appendBlock(path, gameBlock({searchedPosition(3, -41), searchedPosition(3, 12)}, 3)));
    ASSERT_TRUE(appendBlock(path, gameBlock({}, 11)));  // a game with nothing to label is done too
    const std::string whole = readAll(path);
    // A stop in mid-write leaves a block without its closing line.
    ASSERT_TRUE(appendBlock(path, gameBlock({searchedPosition(5, 7)}, 5).substr(0, 20)));
    EXPECT_EQ(finishedGames(path), (std::set<int>{3, 11}));
    EXPECT_EQ(readAll(path), whole);
    // The next block starts on a line of its own.
    ASSERT_TRUE(appendBlock(path, gameBlock({searchedPosition(5, 7)}, 5)));
    EXPECT_EQ(finishedGames(path), (std::set<int>{3, 5, 11}));
    std::filesystem::remove(path);
}

TEST(GenerationLog, SearchLabelsRoundTrip) {
    std::ostringstream out;
    writePosition(out, searchedPosition(8, -1234));
    std::string line = out.str();
    line.pop_back();
    LabelledPosition p;
    std::string error;
    ASSERT_TRUE(parsePosition(line, p, error)) << error;
    EXPECT_TRUE(p.searched);
    EXPECT_EQ(p.value, -1234);
    EXPECT_EQ(p.best.x, 6);
    EXPECT_EQ(p.best.y, 9);
    ASSERT_EQ(p.stones.size(), 3u);
    EXPECT_EQ(p.stones[2].x, 19);
    EXPECT_FALSE(parsePosition("4 15 0 8 v=12 7,7 8,8", p, error));
    EXPECT_FALSE(parsePosition("4 15 0 8 v= b=6,9 7,7", p, error));
    ASSERT_TRUE(parsePosition("4 15 0.5 8 7,7 8,8", p, error));
    EXPECT_FALSE(p.searched);
}

}  // namespace
