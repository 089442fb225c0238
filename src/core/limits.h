#pragma once
// Fixed sizes every subsystem dimensions its arrays by.

constexpr int MAX_SIDE = 20;      // largest board extent
constexpr int MAX_POINTS = 400;   // points of the largest board
constexpr int MAX_PLY = 400;      // rows of the per-ply work areas
constexpr int MOVE_ROW = 400;     // entries per row of the threat move list

// Cell codes and colours.
constexpr int EMPTY = 0;
constexpr int BLACK = 1;  // the first player; under Renju the side with forbidden moves
constexpr int WHITE = 2;
constexpr int BLOCKED = 3;  // blocked point, rectangular filler, or wall in a line word

// Score scale, always from the side to move's point of view.
constexpr int WIN_SCORE = 10000000;        // + remaining depth for a win found at a node
constexpr int DECIDED = 9999200;           // |score| >= this is a proven win or loss
constexpr int MAX_UNDECIDED = 9999199;
constexpr bool isDecided(int score) { return score > MAX_UNDECIDED || score < -MAX_UNDECIDED; }
constexpr int NO_TABLE_SCORE = 20000000;   // a table probe found nothing usable
constexpr int NO_SCORE = -1000000000;      // a best score before any move was scored
constexpr int SKIP_KEY = 1000000000;       // sort key of a move not to be searched
