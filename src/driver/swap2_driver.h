#pragma once
// Answers SWAP2BOARD, the swap2 opening. When it runs, the record holds the
// manager's stones (0, 3 or 5, in move order); the stones the engine proposes
// go into the record as well, so that the game goes on from the opening with
// TURN or BOARD. Its one answer line:
//   0 stones: "x1,y1 x2,y2 x3,y3" (black, white, black), a level opening;
//   3 stones: "SWAP" (the engine takes black; white moves next), "x4,y4" (the
//             engine plays white) or "x4,y4 x5,y5" (the opponent then chooses);
//   5 stones: "SWAP" (the engine takes black; white moves next) or "x6,y6"
//             (the engine plays white).
void swap2Driver();
