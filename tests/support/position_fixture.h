#pragma once
// Test helpers: build a board for a rule and size and draw positions as ASCII.
//
// A drawing has one text line per y (top line y = 0) and one character per x
// (blanks are ignored): 'X' black, 'O' white, '#' blocked, '.' empty.
// Stones are made in reading order (y, then x), blocked points first.
#include <string>
#include <vector>

#include "board/combo_values.h"
#include "board/geometry.h"
#include "board/position.h"

namespace fixture {

struct Stone {
    int x, y, code;
};

// Builds the tables and an empty board of sizeX by sizeY under the rule (0, 1, 2).
inline void newBoard(Position& pos, int rule, int sizeX = 15, int sizeY = 15) {
    setBoardGeometry(sizeX, sizeY, rule);
    initTables();
    resetBoard(pos);
}

// Puts the build's combination values and their switch back when it goes out
// of scope, so that a test which changes either leaves the next one the build's
// tables.
struct KeepComboValues {
    bool fitted = useFittedComboValues;
    ComboValueTable values = fittedComboValues;
    ~KeepComboValues() {
        useFittedComboValues = fitted;
        fittedComboValues = values;
    }
};

// The same board, its tables built from the combination weights even where
// the build carries a fitted table: for tests whose numbers are the weights' own.
inline void newBoardFromWeights(Position& pos, int rule, int sizeX = 15, int sizeY = 15) {
    KeepComboValues keep;
    useFittedComboValues = false;
    newBoard(pos, rule, sizeX, sizeY);
}

inline std::vector<Stone> parse(const std::string& drawing) {
    std::vector<Stone> stones;
    int y = -1;
    size_t start = 0;
    while (start <= drawing.size()) {
        size_t end = drawing.find('\n', start);
        if (end == std::string::npos) end = drawing.size();
        std::string line = drawing.substr(start, end - start);
        start = end + 1;
        std::string cells;
        for (char ch : line)
            if (ch != ' ' && ch != '\t' && ch != '\r') cells += ch;
        if (cells.empty()) continue;
        ++y;
        for (int x = 0; x < static_cast<int>(cells.size()); ++x) {
            char ch = cells[x];
            if (ch == 'X' || ch == 'x') stones.push_back({x, y, 1});
            else if (ch == 'O' || ch == 'o') stones.push_back({x, y, 2});
            else if (ch == '#') stones.push_back({x, y, 3});
        }
    }
    return stones;
}

// Makes the drawn stones on the current board (blocked points first, then
// stones in reading order). Returns the stones made, for unwinding.
inline std::vector<Stone> place(Position& pos, const std::string& drawing) {
    std::vector<Stone> stones = parse(drawing);
    std::vector<Stone> made;
    for (const Stone& s : stones)
        if (s.code == 3) {
            makeMove(pos, s.x, s.y, 3);
            made.push_back(s);
        }
    for (const Stone& s : stones)
        if (s.code != 3) {
            makeMove(pos, s.x, s.y, s.code);
            made.push_back(s);
        }
    return made;
}

// Undoes stones made by place(), in reverse order.
inline void unwind(Position& pos, const std::vector<Stone>& made) {
    for (auto it = made.rbegin(); it != made.rend(); ++it) unmakeMove(pos, it->x, it->y, it->code);
}

// Fresh board plus drawing in one call.
inline std::vector<Stone> setup(Position& pos, int rule, const std::string& drawing, int sizeX = 15,
                                int sizeY = 15) {
    newBoard(pos, rule, sizeX, sizeY);
    return place(pos, drawing);
}

// The drawing with black and white swapped.
inline std::string swapColours(std::string drawing) {
    for (char& ch : drawing) ch = ch == 'X' ? 'O' : ch == 'O' ? 'X' : ch;
    return drawing;
}

}  // namespace fixture
