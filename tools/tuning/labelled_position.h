#pragma once
// Labelled positions for the evaluation tuner, one per line of a text file:
//
//   RULE SIZE RESULT GAME x,y x,y ...
//
// RULE is the INFO rule value the game was played under (0 free-style,
// 1 standard, 4 Renju, 8 Caro), SIZE the square board's extent, RESULT the
// game's result for the side to move (1 won, 0.5 drawn, 0 lost), GAME a number
// shared by the positions of one game (the held-out split goes by it), then
// the stones in playing order, black first. The side to move is black after an
// even number of stones. The generator's positions carry two more words after
// GAME: "v=VALUE", a deeper search's value for the side to move, and
// "b=x,y", the move that search chose.
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

struct Stone {
    int8_t x;
    int8_t y;
};

struct LabelledPosition {
    int infoRule = 0;
    int size = 15;
    double result = 0.5;  // for the side to move
    int game = 0;
    bool searched = false;  // value and best are set
    int value = 0;          // the deeper search's value for the side to move
    Stone best{-1, -1};     // and its move
    std::vector<Stone> stones;
};

void writePosition(std::ostream& out, const LabelledPosition& p);

// Reads one line; false (and a reason in error) if it is not a position.
bool parsePosition(const std::string& line, LabelledPosition& p, std::string& error);

// A finished game as the match tool logs it: rule, size, winner, stones.
struct LoggedGame {
    int infoRule = 0;
    int size = 15;
    int winner = -1;  // 1 black, 2 white, 0 draw, -1 abandoned or unreadable
    std::vector<Stone> stones;
};

// Reads one line of a vodaro_selfplay --log file (tab-separated fields
// "rule R", "size S", "result 1-0|0-1|1/2-1/2|*", "stones x,y ..."). False when
// the line lacks one of them.
bool parseLoggedGame(const std::string& line, LoggedGame& g);
