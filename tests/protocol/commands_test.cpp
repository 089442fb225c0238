// The command table through the engine binary: words, arguments and replies.
#include <gtest/gtest.h>

#include <string>

#include "protocol_session.h"

namespace {

using namespace session;

TEST(Commands, AboutInAnyCaseAndWithTrailingLetters) {
    EngineProcess engine;
    for (const char* line : {"ABOUT", "about", "AbOuT", "ABOUTME please"}) {
        engine.send(line);
        EXPECT_EQ(engine.readLine(), ABOUT) << line;
    }
    engine.closeInput();
    EXPECT_EQ(engine.waitExit(), 0);
}

TEST(Commands, UnknownLines) {
    EngineProcess engine;
    for (const char* line : {"", "   ", " ABOUT", "HELLO", "qv", "TUR"}) {
        engine.send(line);
        EXPECT_EQ(engine.readLine(), "UNKNOWN command") << '"' << line << '"';
    }
}

TEST(Commands, InfoNeverAnswers) {
    EngineProcess engine;
    engine.send("INFO timeout_turn 5000");
    engine.send("INFO");
    engine.send("INFO nonsense 12");
    engine.send("info RULE 4");
    engine.send("INFO folder C:\\some\\where");
    expectSilenceThenAbout(engine);
}

TEST(Commands, StartSquareAndRectangular) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    engine.send("PLAY 14,14");
    EXPECT_EQ(engine.readLine(), "14,14");
    engine.send("PLAY 15,0");
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");

    // The first number bounds y, the second x; blanks around the comma are fine.
    engine.send("RECTSTART 15 , 20");
    expectWelcome(engine);
    engine.send("PLAY 19,14");
    EXPECT_EQ(engine.readLine(), "19,14");
    engine.send("PLAY 0,15");
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");

    engine.send("START 10 12");  // two numbers: y extent, then x extent
    expectWelcome(engine);
    engine.send("PLAY 11,9");
    EXPECT_EQ(engine.readLine(), "11,9");
    engine.send("PLAY 9,10");
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
}

TEST(Commands, PlayOnAFreshEngineStartsA20By20Game) {
    EngineProcess engine;
    engine.send("PLAY 19,19");
    expectWelcome(engine);
    EXPECT_EQ(engine.readLine(), "19,19");
    engine.send("PLAY 19,19");  // refused, yet the reply names the point
    EXPECT_EQ(engine.readLine(), "ERROR my move [19,19]");
    EXPECT_EQ(engine.readLine(), "19,19");
}

TEST(Commands, TurnArgumentsFollowScanfRules) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    engine.send("TURN 7 ,7");  // the comma must follow the number
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
    engine.send("TURN 7");
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
    engine.send("TURN 15,0");
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
    engine.send("TURN -1,3");
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
    engine.sendRaw("TURN7,7\r\n");  // no separator, carriage return dropped
    std::string move = expectMove(engine, 15, 15);
    EXPECT_NE(move, "7,7");
}

TEST(Commands, LinesAreCutAfter255Characters) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    // 4 + 248 + 3 = 255 characters: the whole point is read.
    engine.send("PLAY" + std::string(248, ' ') + "7,7");
    EXPECT_EQ(engine.readLine(), "7,7");
    // Three more blanks push ",7" beyond the kept part.
    engine.send("PLAY" + std::string(251, ' ') + "8,8");
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
}

TEST(Commands, BoardListSetsColoursByOrderAndStillSearchesAfterABadLine) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    engine.send("BOARD");
    engine.send("7,7,2");
    engine.send("7,8,1");
    engine.send("3,3,5");
    EXPECT_EQ(engine.readLine(), "ERROR x,y,who or DONE expected after BOARD");
    std::string move = expectMove(engine, 15, 15);
    EXPECT_NE(move, "7,7");
    EXPECT_NE(move, "7,8");
    engine.send("DONE");  // the list has ended: this is a command of its own
    EXPECT_EQ(engine.readLine(), "UNKNOWN command");
    // Three stones now: the engine's move is the last one.
    engine.send("TAKEBACK " + move);
    EXPECT_EQ(engine.readLine(), "OK");
    engine.send("TAKEBACK 7,8");
    EXPECT_EQ(engine.readLine(), "OK");
    engine.send("TAKEBACK 7,8");
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
}

TEST(Commands, QuietBoardDoesNotSearch) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    engine.send("QVBOARD");
    engine.send("7,7,1");
    engine.send("8,8,2");
    engine.send("done");
    expectSilenceThenAbout(engine);
    engine.send("QVBOARD");
    engine.send("9,9,1");
    engine.send("oops");
    EXPECT_EQ(engine.readLine(), "ERROR x,y,who or DONE expected after BOARD");
    expectSilenceThenAbout(engine);
}

TEST(Commands, TakeBack) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    engine.send("TAKEBACK 3,3");
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
    engine.send("PLAY 3,3");
    EXPECT_EQ(engine.readLine(), "3,3");
    engine.send("TAKEBACK 3");
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
    engine.send("TAKEBACK 3,3");
    EXPECT_EQ(engine.readLine(), "OK");
    engine.send("PLAY 3,3");  // free again
    EXPECT_EQ(engine.readLine(), "3,3");
}

TEST(Commands, RestartKeepsTheExtentsAndEmptiesTheRecord) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 10");
    expectWelcome(engine);
    engine.send("PLAY 9,9");
    EXPECT_EQ(engine.readLine(), "9,9");
    engine.send("RESTART");
    expectWelcome(engine);
    engine.send("PLAY 9,9");
    EXPECT_EQ(engine.readLine(), "9,9");
    engine.send("PLAY 10,0");
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
}

TEST(Commands, QvblockAndResetWriteNothing) {
    EngineProcess engine;
    engine.send("QVBLOCK");
    engine.send("0,0");
    engine.send("19,19");
    engine.send("DONE");
    engine.send("QVBLOCKRESET");
    expectSilenceThenAbout(engine);
}

TEST(Commands, TwoBeginsGiveTwoMoves) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    engine.send("BEGIN");
    engine.send("BEGIN");
    std::string first = expectMove(engine, 15, 15);
    std::string second = expectMove(engine, 15, 15);
    EXPECT_NE(first, second);
}

TEST(Commands, EndExitsWithStatusZero) {
    EngineProcess engine;
    engine.send("END");
    EXPECT_EQ(engine.readLine(), EngineProcess::CLOSED);
    EXPECT_EQ(engine.waitExit(), 0);
}

TEST(Commands, EndOfInputInsideListsExitsWithStatusZero) {
    for (const char* list : {"BOARD\n7,7,1\n", "QVBOARD\n", "QVBLOCK\n1,1\n", "ABOUT"}) {
        EngineProcess engine;
        engine.send("START 15");
        expectWelcome(engine);
        engine.sendRaw(list);
        engine.closeInput();
        EXPECT_EQ(engine.waitExit(), 0) << list;
    }
}

}  // namespace
