// Placements once a search has built the board: refusals, blocked points,
// take-backs and the rule line, and a long random session checked against a model.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "protocol_session.h"

namespace {

using namespace session;

std::string point(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

// Reads lines up to the engine's move; returns the MESSAGE lines met on the way.
std::vector<std::string> messagesBeforeMove(EngineProcess& engine, std::string& move) {
    std::vector<std::string> messages;
    for (;;) {
        std::string line = engine.readLine();
        if (line.rfind("MESSAGE", 0) != 0) {
            move = line;
            return messages;
        }
        messages.push_back(line);
    }
}

int countRuleLines(const std::vector<std::string>& messages, const std::string& name) {
    int n = 0;
    for (const std::string& m : messages) n += m == "MESSAGE Rule " + name;
    return n;
}

TEST(BuiltBoard, OccupiedPointsAreRefusedAndTheEngineStillMoves) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    engine.send("TURN 7,7");
    std::string first = expectMove(engine, 15, 15);
    engine.send("TURN 7,7");
    EXPECT_EQ(engine.readLine(), "ERROR opponents's move [7,7]");
    std::string second = expectMove(engine, 15, 15);
    EXPECT_NE(second, first);
    engine.send("PLAY " + first);
    EXPECT_EQ(engine.readLine(), "ERROR my move [" + first + "]");
    EXPECT_EQ(engine.readLine(), first);
}

TEST(BuiltBoard, BlockedPointsFromBoardLists) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    engine.send("TURN 14,14");
    std::string move = expectMove(engine, 15, 15);
    // The game so far, then blocked points and a stone; within the list a taken
    // point is refused.
    engine.sendRaw("QVBOARD\n14,14,2\n" + move + ",1\n5,5,3\n6,6,2\n5,5,3\n" + move + ",3\nDONE\n");
    EXPECT_EQ(engine.readLine(), "ERROR board-block move [5,5]");
    EXPECT_EQ(engine.readLine(), "ERROR board-block move [" + move + "]");
    engine.send("PLAY 5,5");
    EXPECT_EQ(engine.readLine(), "ERROR my move [5,5]");
    EXPECT_EQ(engine.readLine(), "5,5");
    engine.send("TAKEBACK 5,5");  // a blocked point is no stone of the game
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
    engine.send("TAKEBACK 6,6");
    EXPECT_EQ(engine.readLine(), "OK");
    engine.send("TAKEBACK " + move);
    EXPECT_EQ(engine.readLine(), "OK");
    engine.send("PLAY " + move);
    EXPECT_EQ(engine.readLine(), move);
    // A new list is a new position: the blocked point and the stones are gone.
    engine.sendRaw("QVBOARD\n15,1,3\n");  // off the board: ends the list
    EXPECT_EQ(engine.readLine(), "ERROR x,y,who or DONE expected after BOARD");
    engine.send("TAKEBACK " + move);
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
    engine.send("PLAY 5,5");
    EXPECT_EQ(engine.readLine(), "5,5");
}

// The first list of a game comes before any board is built: its blocked points
// are part of the position all the same.
TEST(BuiltBoard, BlockedPointsOfTheFirstListStay) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    engine.sendRaw("QVBOARD\n7,7,2\n7,7,3\n5,5,3\nDONE\nPLAY 5,5\n");
    EXPECT_EQ(engine.readLine(), "ERROR board-block move [7,7]");
    EXPECT_EQ(engine.readLine(), "ERROR my move [5,5]");
    EXPECT_EQ(engine.readLine(), "5,5");
    // Four in a row closed at both ends by blocked points: neither end is a move.
    engine.sendRaw("BOARD\n3,7,1\n10,10,2\n4,7,1\n10,11,2\n5,7,1\n12,10,2\n6,7,1\n12,12,2\n"
                   "2,7,3\n7,7,3\nDONE\n");
    const std::string move = engine.readNonMessage();
    EXPECT_TRUE(parseMove(move, 15, 15)) << move;
    EXPECT_NE(move, "2,7");
    EXPECT_NE(move, "7,7");
}

TEST(BuiltBoard, RectangularBoardKeepsMovesInside) {
    EngineProcess engine;
    configure(engine);
    engine.send("INFO timeout_turn 100");
    engine.send("RECTSTART 6,9");  // y below 6, x below 9
    expectWelcome(engine);
    for (int i = 0; i < 6; ++i) {
        engine.send("BEGIN");
        expectMove(engine, 9, 6);
    }
    engine.send("PLAY 9,0");
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
    engine.send("PLAY 0,6");
    EXPECT_EQ(engine.readLine(), "ERROR bad coordinates");
}

TEST(BuiltBoard, RuleLineOnEveryRebuild) {
    EngineProcess engine;
    configure(engine);
    engine.send("INFO rule 4");  // manager bit flags: Renju
    engine.send("START 15");
    expectWelcome(engine);
    engine.sendRaw("QVBOARD\n7,7,2\n8,8,1\n7,9,2\nDONE\nBEGIN\n");
    std::string move;
    EXPECT_EQ(countRuleLines(messagesBeforeMove(engine, move), "Renju"), 1);
    EXPECT_TRUE(parseMove(move, 15, 15)) << move;
    engine.send("TURN 14,14");  // far from every stone and from the first free points
    auto again = messagesBeforeMove(engine, move);
    EXPECT_EQ(countRuleLines(again, "Renju"), 0);
    engine.send("INFO rule 1");
    engine.send("TURN 14,13");
    EXPECT_EQ(countRuleLines(messagesBeforeMove(engine, move), "Gomoku (Standard)"), 1);
    engine.sendRaw("RESTART\n");
    expectWelcome(engine);
    engine.sendRaw("QVBOARD\n7,7,2\n8,8,1\n7,9,2\nDONE\nBEGIN\n");
    EXPECT_EQ(countRuleLines(messagesBeforeMove(engine, move), "Gomoku (Standard)"), 1);
}

// Blocked points are part of the position: a rebuild for another rule keeps them.
TEST(BuiltBoard, RebuildKeepsBlockedPoints) {
    EngineProcess engine;
    configure(engine);
    engine.send("START 15");
    expectWelcome(engine);
    engine.send("TURN 7,7");
    std::string move = expectMove(engine, 15, 15);
    engine.sendRaw("QVBOARD\n2,12,3\nDONE\nPLAY 2,12\n");
    EXPECT_EQ(engine.readLine(), "ERROR my move [2,12]");
    EXPECT_EQ(engine.readLine(), "2,12");
    engine.send("INFO rule 1");
    engine.send("TURN 12,2");
    std::string line = engine.readLine();
    while (line.rfind("MESSAGE", 0) == 0) line = engine.readLine();
    ASSERT_TRUE(parseMove(line, 15, 15)) << line;
    EXPECT_NE(line, "2,12");
    engine.send("PLAY 2,12");
    EXPECT_EQ(engine.readLine(), "ERROR my move [2,12]");
}

// A manager in board mode sends the whole game before every move, with no START
// between: the engine must refuse nothing and, at a fixed depth, play exactly as
// it does when the same game comes move by move with TURN.
TEST(BuiltBoard, ResentGameMatchesTurnByTurn) {
    EngineProcess byTurn, byBoard;
    for (EngineProcess* engine : {&byTurn, &byBoard}) {
        configure(*engine);
        engine->send("INFO max_node -1");  // only the depth ends a search
        engine->send("INFO max_depth 4");
        engine->send("START 15");
        expectWelcome(*engine);
    }
    const std::pair<int, int> wanted[] = {{7, 7}, {8, 6}, {6, 8}, {9, 9}, {5, 5}, {10, 4}, {4, 10}, {11, 11}};
    std::vector<std::pair<int, int>> game;  // opponent first, then alternating
    auto taken = [&](std::pair<int, int> p) { return std::find(game.begin(), game.end(), p) != game.end(); };
    for (std::pair<int, int> p : wanted) {
        if (taken(p)) continue;
        game.push_back(p);
        byTurn.send("TURN " + point(p.first, p.second));
        std::string list = "BOARD\n";
        for (size_t i = 0; i < game.size(); ++i)
            list += point(game[i].first, game[i].second) + (i % 2 ? ",1\n" : ",2\n");
        byBoard.sendRaw(list + "DONE\n");
        std::string turnMove, boardMove;
        messagesBeforeMove(byTurn, turnMove);
        for (const std::string& m : messagesBeforeMove(byBoard, boardMove))
            EXPECT_EQ(m.find("ERROR"), std::string::npos) << m;
        ASSERT_EQ(boardMove, turnMove) << "after " << game.size() << " stones";
        int x, y;
        ASSERT_TRUE(parseMove(boardMove, 15, 15, &x, &y)) << boardMove;
        game.push_back({x, y});
    }
}

// A model of what is on the board: the game record and the blocked points.
struct BoardModel {
    int sizeX = 0, sizeY = 0;
    std::vector<std::pair<int, int>> record;
    std::set<std::pair<int, int>> blocked;
    bool built = false;

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < sizeX && y < sizeY; }
    bool taken(int x, int y) const {
        for (const auto& p : record)
            if (p == std::make_pair(x, y)) return true;
        return blocked.count({x, y}) != 0;
    }
    void restart() {
        record.clear();
        blocked.clear();
        built = false;
    }
};

// Random PLAY, QVBOARD, TAKEBACK, TURN and RESTART commands with points on, off and
// next to the board; every reply is predicted by the model. Debug builds also
// recount the board records after every placement inside the engine.
TEST(BuiltBoard, RandomSessionAgreesWithAModel) {
    std::mt19937 random(20151);
    for (int game = 0; game < 3; ++game) {
        EngineProcess engine;
        configure(engine);
        engine.send("INFO timeout_turn 100");  // many short turns
        BoardModel model;
        model.sizeX = 7 + game * 4;
        model.sizeY = 13 - game * 3;
        engine.send("RECTSTART " + std::to_string(model.sizeY) + "," + std::to_string(model.sizeX));
        expectWelcome(engine);
        auto anyCoordinate = [&](int extent) { return static_cast<int>(random() % (extent + 4)) - 2; };
        for (int step = 0; step < 150; ++step) {
            const int kind = step == 0 ? 90 : static_cast<int>(random() % 100);  // build the board first
            if (kind < 35) {
                const int x = anyCoordinate(model.sizeX), y = anyCoordinate(model.sizeY);
                engine.send("PLAY " + point(x, y));
                if (!model.inside(x, y)) {
                    ASSERT_EQ(engine.readLine(), "ERROR bad coordinates");
                    continue;
                }
                if (model.taken(x, y)) {
                    ASSERT_EQ(engine.readLine(), "ERROR my move [" + point(x, y) + "]");
                } else {
                    model.record.push_back({x, y});
                }
                ASSERT_EQ(engine.readLine(), point(x, y));
            } else if (kind < 55) {
                // A one-point list is the whole new position: nothing is refused. The
                // board stays built unless blocked points of an earlier list stand on it.
                const int x = static_cast<int>(random() % model.sizeX), y = static_cast<int>(random() % model.sizeY);
                const int who = 1 + static_cast<int>(random() % 3);
                engine.sendRaw("QVBOARD\n" + point(x, y) + "," + std::to_string(who) + "\nDONE\n");
                if (!model.blocked.empty()) model.built = false;
                model.blocked.clear();
                model.record.clear();
                if (who != 3) model.record.push_back({x, y});
                else model.blocked.insert({x, y});
            } else if (kind < 90) {
                int x = anyCoordinate(model.sizeX), y = anyCoordinate(model.sizeY);
                if (!model.record.empty() && random() % 3 != 0) std::tie(x, y) = model.record.back();
                engine.send("TAKEBACK " + point(x, y));
                const bool last = !model.record.empty() && model.record.back() == std::make_pair(x, y);
                ASSERT_EQ(engine.readLine(), last ? "OK" : "ERROR bad coordinates") << point(x, y);
                if (last) model.record.pop_back();
            } else if (kind < 93 && model.built) {
                // TURN on a taken point is refused, yet the engine moves; off the board it is not.
                int x = anyCoordinate(model.sizeX), y = anyCoordinate(model.sizeY);
                if (model.inside(x, y) && !model.taken(x, y)) {
                    if (model.record.empty()) continue;
                    std::tie(x, y) = model.record.front();
                }
                engine.send("TURN " + point(x, y));
                if (!model.inside(x, y)) {
                    ASSERT_EQ(engine.readLine(), "ERROR bad coordinates");
                    continue;
                }
                ASSERT_EQ(engine.readLine(), "ERROR opponents's move [" + point(x, y) + "]");
                std::string move = engine.readNonMessage();
                int mx, my;
                ASSERT_TRUE(parseMove(move, model.sizeX, model.sizeY, &mx, &my)) << move;
                ASSERT_FALSE(model.taken(mx, my)) << move;
                model.record.push_back({mx, my});
            } else if (kind < 96) {
                int x = -1, y = -1;
                for (int tries = 0; tries < 50 && (x < 0 || model.taken(x, y)); ++tries) {
                    x = static_cast<int>(random() % model.sizeX);
                    y = static_cast<int>(random() % model.sizeY);
                }
                if (model.taken(x, y)) continue;
                if (static_cast<int>(model.record.size() + model.blocked.size()) + 2 >= model.sizeX * model.sizeY) continue;
                engine.send("TURN " + point(x, y));
                model.record.push_back({x, y});
                std::string move = engine.readNonMessage();
                int mx, my;
                ASSERT_TRUE(parseMove(move, model.sizeX, model.sizeY, &mx, &my)) << move;
                ASSERT_FALSE(model.taken(mx, my)) << move;
                model.record.push_back({mx, my});
                model.built = true;
            } else {
                engine.send("RESTART");
                expectWelcome(engine);
                model.restart();
            }
        }
        // Still answering, and the record unwinds to the start.
        while (!model.record.empty()) {
            engine.send("TAKEBACK " + point(model.record.back().first, model.record.back().second));
            ASSERT_EQ(engine.readLine(), "OK");
            model.record.pop_back();
        }
        engine.sendRaw("QVBOARD\n" + point(model.sizeX - 1, model.sizeY - 1) + ",1\nDONE\n");
        engine.send("TAKEBACK " + point(model.sizeX - 1, model.sizeY - 1));  // blocked points went with the list
        ASSERT_EQ(engine.readLine(), "OK");
        expectSilenceThenAbout(engine);
        engine.send("END");
        EXPECT_EQ(engine.waitExit(), 0);
    }
}

}  // namespace
