#pragma once
// The stone lists of BOARD, QVBOARD and SWAP2BOARD, and the point list of QVBLOCK.

// Reads "x,y,who" lines up to DONE and places the stones in list order (who 1
// own, 2 opponent, 3 blocked), coloured as protocol/list_colours.h decides. Any
// other line ends the list with an ERROR line; it is not run as a command. The
// stones before it stay placed. The list is the whole position: the record
// starts afresh, keeping the board where the list repeats it. A list read in
// list order against its rule is reported in a MESSAGE line when announce is
// set (BOARD, whose move follows; QVBOARD answers nothing but errors).
void readStoneList(bool announce);

// Reads SWAP2BOARD's "x,y" lines up to DONE: the opening's stones in move order.
// A list of 0, 3 or 5 distinct points on the board, with room left for the
// answer's stones, becomes the whole position (as a BOARD list would) and true
// is returned. Otherwise one ERROR line says why and the position stays; a line
// that is neither a point nor DONE ends the list and is not run as a command.
bool readSwap2List();

// Reads "x,y" lines up to DONE and marks each point in the block table.
void readBlockList();

// QVBLOCKRESET.
void clearBlockTable();
