// Command words, INFO keys and scanf-style arguments.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "protocol/argument_scan.h"
#include "protocol/command_match.h"

namespace {

std::string argsOf(const char* word, const char* text) {
    const char* rest = matchCommand(word, text);
    return rest ? std::string(rest) : std::string("<no match>");
}

TEST(MatchCommand, IgnoresCaseAndNeedsNoSeparator) {
    EXPECT_EQ(argsOf("about", "ABOUT"), "");
    EXPECT_EQ(argsOf("about", "AbOuT"), "");
    EXPECT_EQ(argsOf("about", "aboutxyz"), "xyz");
    EXPECT_EQ(argsOf("turn", "TURN7,7"), "7,7");
    EXPECT_EQ(argsOf("turn", "turn \t 7,7"), "7,7");
    EXPECT_EQ(argsOf("start", "STARTING 15"), "ING 15");
}

TEST(MatchCommand, RefusesShortTextsAndLeadingBlanks) {
    EXPECT_EQ(argsOf("turn", "tur"), "<no match>");
    EXPECT_EQ(argsOf("turn", ""), "<no match>");
    EXPECT_EQ(argsOf("about", " about"), "<no match>");
    EXPECT_EQ(argsOf("qvblockreset", "qvblock"), "<no match>");
}

TEST(MatchCommand, TreatsHighBytesAsPlainCharacters) {
    EXPECT_EQ(argsOf("about", "\xc1\x42OUT"), "<no match>");
    EXPECT_EQ(argsOf("a", "A\xff"), "\xff");
}

TEST(EqualsIgnoringCase, WholeLineOnly) {
    EXPECT_TRUE(equalsIgnoringCase("DONE", "done"));
    EXPECT_TRUE(equalsIgnoringCase("DoNe", "done"));
    EXPECT_FALSE(equalsIgnoringCase("done ", "done"));
    EXPECT_FALSE(equalsIgnoringCase("don", "done"));
    EXPECT_FALSE(equalsIgnoringCase("", "done"));
}

TEST(ScanIntegers, CommaMustFollowTheNumberDirectly) {
    int v[3] = {-9, -9, -9};
    EXPECT_EQ(scanIntegers("7,8", "%d,%d", v), 2);
    EXPECT_EQ(v[0], 7);
    EXPECT_EQ(v[1], 8);
    EXPECT_EQ(scanIntegers("  7, 8", "%d,%d", v), 2);  // %d skips blanks before the number
    EXPECT_EQ(scanIntegers("7 ,8", "%d,%d", v), 1);
    EXPECT_EQ(scanIntegers("7 , 8", "%d ,%d", v), 2);
    EXPECT_EQ(scanIntegers("7,8", "%d ,%d", v), 2);
    EXPECT_EQ(scanIntegers("x7,8", "%d,%d", v), 0);
}

TEST(ScanIntegers, SignsAndTrailingText) {
    int v[3] = {0, 0, 0};
    EXPECT_EQ(scanIntegers("-3,+4,5xyz", "%d,%d,%d", v), 3);
    EXPECT_EQ(v[0], -3);
    EXPECT_EQ(v[1], 4);
    EXPECT_EQ(v[2], 5);
    EXPECT_EQ(scanIntegers("-,4", "%d,%d", v), 0);
    EXPECT_EQ(scanIntegers("15 20", "%d %d", v), 2);
    EXPECT_EQ(v[1], 20);
    EXPECT_EQ(scanIntegers("15", "%d %d", v), 1);
    EXPECT_EQ(scanIntegers("", "%d %d", v), 0);
}

TEST(ScanIntegers, SaturatesNumbersThatDoNotFit) {
    int v[2] = {0, 0};
    EXPECT_EQ(scanIntegers("99999999999999999999,-99999999999999999999", "%d,%d", v), 2);
    EXPECT_EQ(v[0], INT_MAX);
    EXPECT_EQ(v[1], INT_MIN);
    EXPECT_EQ(scanIntegers("2147483647,-2147483648", "%d,%d", v), 2);
    EXPECT_EQ(v[0], INT_MAX);
    EXPECT_EQ(v[1], INT_MIN);
    EXPECT_EQ(scanIntegers("2147483648", "%d", v), 1);
    EXPECT_EQ(v[0], INT_MAX);
}

TEST(ParseLeadingInteger, BehavesLikeAtoiWithoutOverflow) {
    EXPECT_EQ(parseLeadingInteger("  42abc"), 42);
    EXPECT_EQ(parseLeadingInteger("-5"), -5);
    EXPECT_EQ(parseLeadingInteger("abc"), 0);
    EXPECT_EQ(parseLeadingInteger(""), 0);
    EXPECT_EQ(parseLeadingInteger("123456789012345"), INT_MAX);
    EXPECT_EQ(parseLeadingInteger("-123456789012345"), INT_MIN);
}

}  // namespace
