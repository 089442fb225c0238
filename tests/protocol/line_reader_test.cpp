// Splitting standard input into protocol lines.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "protocol/line_reader.h"

namespace {

// All lines readLineFrom yields for the given input, up to end of input.
std::vector<std::string> linesOf(const std::string& input) {
    std::vector<std::string> lines;
    std::FILE* in = fmemopen(const_cast<char*>(input.data()), input.size(), "r");
    if (!in) return lines;
    char line[LINE_KEEP + 1];
    while (readLineFrom(in, line)) lines.emplace_back(line);
    std::fclose(in);
    return lines;
}

TEST(ReadLine, DropsOneTrailingCarriageReturn) {
    EXPECT_EQ(linesOf("TURN 7,7\r\n"), std::vector<std::string>{"TURN 7,7"});
    EXPECT_EQ(linesOf("a\r\r\n"), std::vector<std::string>{"a\r"});
    EXPECT_EQ(linesOf("a\rb\n"), std::vector<std::string>{"a\rb"});
}

TEST(ReadLine, EmptyLinesAndPartialLastLine) {
    EXPECT_EQ(linesOf("\n\nx\n"), (std::vector<std::string>{"", "", "x"}));
    // A line cut off by end of input is dropped.
    EXPECT_EQ(linesOf("ABOUT\nEND"), std::vector<std::string>{"ABOUT"});
    EXPECT_TRUE(linesOf("").empty());
}

TEST(ReadLine, KeepsTheFirst255CharactersOfLongLines) {
    const std::string longLine(300, 'a');
    auto lines = linesOf(longLine + "\nnext\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(255, 'a'));
    EXPECT_EQ(lines[1], "next");

    auto huge = linesOf(std::string(10000, 'b') + "\r\nok\n");
    ASSERT_EQ(huge.size(), 2u);
    EXPECT_EQ(huge[0].size(), 255u);
    EXPECT_EQ(huge[1], "ok");
}

TEST(ReadLine, CarriageReturnAtTheCutIsDropped) {
    // 254 characters and a carriage return fill the kept part exactly.
    auto lines = linesOf(std::string(254, 'c') + "\rzzz\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::string(254, 'c'));
    // A line of exactly 255 characters keeps them all; its carriage return falls beyond.
    lines = linesOf(std::string(255, 'd') + "\r\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::string(255, 'd'));
}

TEST(ReadLine, NulEndsTheTextButNotTheLine) {
    auto lines = linesOf(std::string("ab\0cd\nef\n", 9));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "ab");
    EXPECT_EQ(lines[1], "ef");
}

}  // namespace
