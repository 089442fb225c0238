// INFO lines: every key stores its value and nothing is ever written.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "board/rule.h"
#include "core/settings.h"
#include "output_capture.h"
#include "protocol/info_keys.h"

namespace {

class InfoKeys : public ::testing::Test {
protected:
    OutputCapture output;
    void TearDown() override {
        EXPECT_EQ(output.written(), "");  // INFO never replies
        settings.timeoutTurn = 30000;
        settings.timeLeft = 1000000000;
        settings.maxDepth = 400;
        settings.maxNode = 2000000000;
        settings.cautionFactor = 1;
        settings.learnedOrder = 1;
        settings.hashSize = 524288;
        settings.showDetail = 0;
        settings.rule = 0;
        settings.maxMemory = 0;
        settings.timeoutMatch = 1000000000;
        settings.gameType = 1;
        settings.folder[0] = '\0';
    }
};

TEST_F(InfoKeys, EveryKeyReachesItsSetting) {
    applyInfoKey("max_memory 83886080");
    applyInfoKey("timeout_match 180000");
    applyInfoKey("timeout_turn 5000");
    applyInfoKey("time_left 90000");
    applyInfoKey("game_type 0");
    applyInfoKey("max_depth 12");
    applyInfoKey("max_node -1");
    applyInfoKey("caution_factor 3");
    applyInfoKey("learned_order 0");
    applyInfoKey("hash_size 1024");
    applyInfoKey("show_detail 1");
    applyInfoKey("rule 4");
    applyInfoKey("folder /tmp/some where");
    EXPECT_EQ(settings.maxMemory, 83886080);
    EXPECT_EQ(settings.timeoutMatch, 180000);
    EXPECT_EQ(settings.timeoutTurn, 5000);
    EXPECT_EQ(settings.timeLeft, 90000);
    EXPECT_EQ(settings.gameType, 0);
    EXPECT_EQ(settings.maxDepth, 12);
    EXPECT_EQ(settings.maxNode, -1);
    EXPECT_EQ(settings.cautionFactor, 3);
    EXPECT_EQ(settings.learnedOrder, 0);
    EXPECT_EQ(settings.hashSize, 1024);
    EXPECT_EQ(settings.showDetail, 1);
    EXPECT_EQ(settings.rule, 4);
    EXPECT_STREQ(settings.folder, "/tmp/some where");
}

TEST_F(InfoKeys, KeysIgnoreCaseAndNeedNoBlank) {
    applyInfoKey("TIMEOUT_TURN1234");
    EXPECT_EQ(settings.timeoutTurn, 1234);
    applyInfoKey("Rule\t2");
    EXPECT_EQ(settings.rule, 2);
}

TEST_F(InfoKeys, HashSizeIsAtLeastOne) {
    applyInfoKey("hash_size -5");
    EXPECT_EQ(settings.hashSize, 1);
    applyInfoKey("hash_size 0");
    EXPECT_EQ(settings.hashSize, 1);
    applyInfoKey("hash_size lots");
    EXPECT_EQ(settings.hashSize, 1);
}

TEST_F(InfoKeys, ValuesWithoutDigitsStoreZero) {
    applyInfoKey("timeout_turn fast");
    EXPECT_EQ(settings.timeoutTurn, 0);
    applyInfoKey("max_depth");
    EXPECT_EQ(settings.maxDepth, 0);
}

TEST_F(InfoKeys, UnknownOrMissingKeysChangeNothing) {
    applyInfoKey("evaluate 7,7");
    applyInfoKey("");
    applyInfoKey(" timeout_turn 5");  // a key must start the text
    applyInfoKey("timeout 5");
    EXPECT_EQ(settings.timeoutTurn, 30000);
    EXPECT_EQ(settings.timeoutMatch, 1000000000);
}

TEST_F(InfoKeys, HugeNumbersSaturate) {
    applyInfoKey("time_left 99999999999999999999");
    EXPECT_EQ(settings.timeLeft, INT_MAX);
    applyInfoKey("timeout_turn -99999999999999999999");
    EXPECT_EQ(settings.timeoutTurn, INT_MIN);
    applyInfoKey("hash_size -99999999999999999999");
    EXPECT_EQ(settings.hashSize, 1);
}

TEST_F(InfoKeys, FolderKeepsAtMost255Characters) {
    const std::string longName(400, 'f');
    applyInfoKey(("folder " + longName).c_str());
    EXPECT_EQ(std::strlen(settings.folder), 255u);
}

// The manager's bit flags: 4 Renju over 8 Caro over 1 exactly five; 2 changes nothing.
TEST(RuleFromSetting, ManagerBitFlags) {
    for (int v = 0; v <= 15; ++v) {
        const int expected = (v & 4) ? RULE_RENJU : (v & 8) ? RULE_CARO : (v & 1) ? RULE_STANDARD : RULE_FREESTYLE;
        EXPECT_EQ(ruleFromSetting(v), expected) << v;
        EXPECT_EQ(ruleFromSetting(v), ruleFromSetting(v ^ 2)) << v;
    }
    for (int v : {-1, 16, 17, 1000}) EXPECT_EQ(ruleFromSetting(v), RULE_RENJU) << v;
    for (int rule : {RULE_FREESTYLE, RULE_STANDARD, RULE_RENJU, RULE_CARO})
        EXPECT_EQ(ruleFromSetting(settingForRule(rule)), rule);
}

}  // namespace
