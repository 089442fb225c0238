#pragma once
// The colours of a BOARD or QVBOARD list's stones. Under free-style, standard
// and Caro a manager may list the stones in any order, so who decides: the
// engine's stones take the colour of the side to move, black when both sides
// hold as many stones, white when the opponent holds one more. Under Renju the
// list is the move order and colours alternate from black. A list that fits
// neither case is read in list order, as every list once was.

constexpr int WHO_OWN = 1;
constexpr int WHO_OPPONENT = 2;
constexpr int WHO_BLOCKED = 3;

struct ListedStone {
    int x, y, who;
};

struct ListColours {
    bool byWho;        // false: a stone takes the colour whose turn it is when placed
    int ownColour;     // colour of the who-1 stones when byWho
    const char* note;  // why a list was read in list order against its rule; nullptr if it fits
};

ListColours chooseListColours(const ListedStone* stones, int count, bool renju);

// The colour a stone of who 1 or 2 is placed in.
int listedColour(const ListColours& colours, int who);
