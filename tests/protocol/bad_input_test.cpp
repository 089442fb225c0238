// Bad input through the engine binary: every case gets an answer (or, for INFO,
// deliberate silence) and leaves the previous valid state in effect.
#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

#include "protocol_session.h"

namespace {

using namespace session;

TEST(BadInput, HugeLines) {
    EngineProcess engine;
    engine.send(std::string(10000, 'x'));
    EXPECT_EQ(engine.readLine(), "UNKNOWN command");
    engine.send("ABOUT" + std::string(10000, 'y'));
    EXPECT_EQ(engine.readLine(), ABOUT);  // cut, then matched once
    engine.send("INFO folder " + std::string(10000, 'z'));
    expectSilenceThenAbout(engine);
}

TEST(BadInput, HighControlAndNulBytes) {
    EngineProcess engine;
    engine.sendRaw("\x80\xff\xfe\n"s);
    EXPECT_EQ(engine.readLine(), "UNKNOWN command");
    engine.sendRaw("\x01\x02\x1b[2J\x7f\n"s);
    EXPECT_EQ(engine.readLine(), "UNKNOWN command");
    engine.sendRaw("AB\0OUT\n"s);  // the text ends at the NUL
    EXPECT_EQ(engine.readLine(), "UNKNOWN command");
    engine.sendRaw("ABOUT\0\xff\x01 trailing\n"s);
    EXPECT_EQ(engine.readLine(), ABOUT);
    engine.sendRaw("\0\n"s);
    EXPECT_EQ(engine.readLine(), "UNKNOWN command");
    engine.sendRaw("START 1\xb5\n"s);  // digits end at the high byte
    expectWelcome(engine);
}

TEST(BadInput, NumbersBeyond32BitsInInfoStartTurnAndBoard) {
    EngineProcess engine;
    configure(engine);
    engine.send("INFO timeout_turn 99999999999999999999");
    engine.send("INFO max_node -99999999999999999999");
    engine.send("INFO hash_size 4096");
    engine.send("INFO max_node 2000000000");
    engine.send("INFO timeout_turn 300");
    expectSilenceThenAbout(engine);

    // 4294967311 would wrap to 15 if the number were cut to 32 bits.
    engine.send("START 4294967311");
    EXPECT_EQ(engine.readLine(), "ERROR size of the board");
    engine.send("START -4294967281");
    EXPECT_EQ(engine.readLine(), "ERROR size of the board");
    engine.send("START 15");
    expectWelcome(engine);

    engine.send("TURN 4294967303,7");  // 2^32 + 7
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
    engine.send("TURN 7,-4294967289");
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");

    engine.send("QVBOARD");
    engine.send("4294967297,1,1");
    EXPECT_EQ(engine.readLine(), "ERROR x,y,who or DONE expected after BOARD");
    engine.send("QVBOARD");
    engine.send("1,1,4294967297");  // who would wrap to 1
    EXPECT_EQ(engine.readLine(), "ERROR x,y,who or DONE expected after BOARD");
    engine.send("TAKEBACK 1,1");  // neither list placed anything
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
}

TEST(BadInput, RefusedStartKeepsThePreviousGame) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    engine.send("PLAY 3,3");
    EXPECT_EQ(engine.readLine(), "3,3");
    for (const char* line : {"START 21", "START 0", "START -5", "START 15 21", "START 15 0", "RECTSTART 21,5",
                             "RECTSTART 5,0", "RECTSTART -3 , 7"}) {
        engine.send(line);
        EXPECT_EQ(engine.readLine(), "ERROR size of the board") << line;
    }
    for (const char* line : {"RECTSTART 5", "RECTSTART", "RECTSTART 5 7", "RECTSTART x,7"}) {
        engine.send(line);
        EXPECT_EQ(engine.readLine(), "ERROR bad RECTSTART parameters") << line;
    }
    // Still the 15 by 15 game with its stone.
    engine.send("PLAY 3,3");
    EXPECT_EQ(engine.readLine(), "ERROR my move [3,3]");
    EXPECT_EQ(engine.readLine(), "3,3");
    engine.send("PLAY 15,14");
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
    engine.send("PLAY 14,14");
    EXPECT_EQ(engine.readLine(), "14,14");
}

TEST(BadInput, RefusedStartOnAFreshEngineLeavesNoGame) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 21");
    EXPECT_EQ(engine.readLine(), "ERROR size of the board");
    engine.send("RECTSTART 30,30");
    EXPECT_EQ(engine.readLine(), "ERROR size of the board");
    // The first position command starts the 20 by 20 game.
    engine.send("PLAY 20,20");
    expectWelcome(engine);
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
    engine.send("PLAY 19,19");
    EXPECT_EQ(engine.readLine(), "19,19");
}

TEST(BadInput, BlockPointsOutsideTheTable) {
    EngineProcess engine;
    engine.send("QVBLOCK");
    engine.send("-1,0");
    EXPECT_EQ(engine.readLine(), "ERROR block point [-1,0] outside 0..19");
    engine.send("20,0");
    EXPECT_EQ(engine.readLine(), "ERROR block point [20,0] outside 0..19");
    engine.send("0,20");
    EXPECT_EQ(engine.readLine(), "ERROR block point [0,20] outside 0..19");
    engine.send("99999999999,1");
    EXPECT_EQ(engine.readLine(), "ERROR block point [2147483647,1] outside 0..19");
    engine.send("no numbers");
    EXPECT_EQ(engine.readLine(), "ERROR x,y or DONE expected after QVBLOCK");
    engine.send("5");
    EXPECT_EQ(engine.readLine(), "ERROR x,y or DONE expected after QVBLOCK");
    engine.send("19,19");
    engine.send("done");
    expectSilenceThenAbout(engine);
}

TEST(BadInput, BoardListLongerThanTheBoard) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 20");
    expectWelcome(engine);
    std::string list = "QVBOARD\n";
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 20; ++y) list += std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(1 + (x + y) % 2) + "\n";
    // Five more stones on taken points: refused one by one, the record never overflows.
    list += "0,0,1\n5,5,2\n19,19,1\n7,7,2\n3,3,1\nDONE\n";
    engine.sendRaw(list);
    EXPECT_EQ(engine.readLine(), "ERROR my move [0,0]");
    EXPECT_EQ(engine.readLine(), "ERROR opponents's move [5,5]");
    EXPECT_EQ(engine.readLine(), "ERROR my move [19,19]");
    EXPECT_EQ(engine.readLine(), "ERROR opponents's move [7,7]");
    EXPECT_EQ(engine.readLine(), "ERROR my move [3,3]");
    // The last stone of the 400 is still the one taken back first.
    engine.send("TAKEBACK 19,19");
    EXPECT_EQ(engine.readLine(), "OK");
    engine.send("TAKEBACK 19,18");
    EXPECT_EQ(engine.readLine(), "OK");
    engine.send("PLAY 19,19");
    EXPECT_EQ(engine.readLine(), "19,19");
}

TEST(BadInput, RepeatedPointsInABoardListAreRefused) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    engine.sendRaw("QVBOARD\n7,7,1\n7,7,2\n8,8,2\n7,7,1\nDONE\n");
    EXPECT_EQ(engine.readLine(), "ERROR opponents's move [7,7]");
    EXPECT_EQ(engine.readLine(), "ERROR my move [7,7]");
    engine.send("TAKEBACK 8,8");
    EXPECT_EQ(engine.readLine(), "OK");
    engine.send("TAKEBACK 7,7");
    EXPECT_EQ(engine.readLine(), "OK");
    engine.send("TAKEBACK 7,7");
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
}

}  // namespace
