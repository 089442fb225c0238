#pragma once
// Answers TURN, BEGIN and BOARD: decides, reports and plays the engine's move.
void turnDriver();

// The move of an empty record into mainThread.root: the centre, or the
// unblocked point nearest to it.
void chooseFirstMove();

// The turn's search on the built board (rebuilt first when the rule changed):
// colour's move into mainThread.root within mainThread.control.turnBudget from
// startTime. Returns its value for colour; leaves the elapsed time in
// mainThread.control.turnStartTime for the report.
int searchBestMove(int colour, int startTime);
