#pragma once
// Opening sets: one opening per line, moves as absolute 0-based "x,y" points
// separated by blanks, black first; '#' starts a comment.
#include <string>
#include <vector>

#include "referee.h"

struct Point {
    int x;
    int y;
};

using Opening = std::vector<Point>;

struct OpeningSet {
    std::string name;  // file name without directory and extension
    Rule rule;
    int infoRule;      // the value sent with INFO rule
    int size;          // square board
    std::vector<Opening> openings;
};

// Reads path; false (and a reason in error) if the file cannot be read, a line
// cannot be parsed, or an opening does not fit the board or repeats a point.
bool readOpenings(const std::string& path, int size, std::vector<Opening>& out, std::string& error);
