#pragma once
// Game set-up on the board: the operations of the front end that touch the
// board model, and the lazy build of the board from the game record.

// Builds (or rebuilds) the board for the rule setting when it differs from the
// applied rule: writes the rule line, initTables, resetBoard, replays the record.
void applyRule();

// Append a stone of the colour whose turn it is to the game record; on a built
// board test it first ("ERROR my move [x,y]" / "ERROR opponents's move [x,y]").
void placeOwnStone(int x, int y);
void placeOpponentStone(int x, int y);
// The same for a stone of a BOARD list, in the colour the list gives it.
void placeColouredStone(int x, int y, int colour, bool own);
// A BOARD or QVBOARD list imposes a whole new position, stones placed between
// these two calls. While the list repeats the old record stone by stone the board
// and the tables stay as they are (a manager that resends the game before every
// move costs nothing); where it departs, the old record ends.
void beginStoneList();
void endStoneList();
// A blocked point of a list ("ERROR board-block move [x,y]" on a taken point):
// kept with the position until the next list or game, and made on the board
// now or when it is built.
void placeBlockedStone(int x, int y);
// 0 on success, 2 when refused.
int takeBack(int x, int y);
// The QVSHOWFORBID listing (nothing unless the rule is Renju).
void listForbiddenPoints();

const char* ruleName(int rule);
