#pragma once
// The stone lists of BOARD and QVBOARD, and the point list of QVBLOCK.

// Reads "x,y,who" lines up to DONE and places the stones in list order (who 1
// own, 2 opponent, 3 blocked), coloured as protocol/list_colours.h decides. Any
// other line ends the list with an ERROR line; it is not run as a command. The
// stones before it stay placed. The list is the whole position: the record
// starts afresh, keeping the board where the list repeats it. A list read in
// list order against its rule is reported in a MESSAGE line when announce is
// set (BOARD, whose move follows; QVBOARD answers nothing but errors).
void readStoneList(bool announce);

// Reads "x,y" lines up to DONE and marks each point in the block table.
void readBlockList();

// QVBLOCKRESET.
void clearBlockTable();
