// Engines given as a command line: the words a program is started with, and
// the name reports use.
#include "selfplay/engine_command.h"

#include <gtest/gtest.h>

namespace {

TEST(EngineCommand, SplitsOnBlanksAndNamesByProgram) {
    using Words = std::vector<std::string>;
    EXPECT_EQ(splitCommand("../peers/rapfi/pbrain-rapfi --config ../peers/rapfi/config.toml"),
              (Words{"../peers/rapfi/pbrain-rapfi", "--config", "../peers/rapfi/config.toml"}));
    EXPECT_EQ(splitCommand("  a\t\tb  c "), (Words{"a", "b", "c"}));
    EXPECT_TRUE(splitCommand(" \t ").empty());
    EXPECT_EQ(commandName(splitCommand("../peers/rapfi/pbrain-rapfi --config x/y.toml")),
              "pbrain-rapfi");
    EXPECT_EQ(commandName(splitCommand("pbrain-vodaro")), "pbrain-vodaro");
    EXPECT_EQ(commandName({}), "");
}

}  // namespace
