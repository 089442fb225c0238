#pragma once
// Answers TURN, BEGIN and BOARD: decides, reports and plays the engine's move.
void turnDriver();
