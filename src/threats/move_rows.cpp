#include "threats/move_rows.h"

MoveEntry threatMoveList[MAX_PLY][MOVE_ROW];
