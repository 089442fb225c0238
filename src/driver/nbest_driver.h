#pragma once
// Answers QVNBEST n: deepens on the current position and, after every completed
// iteration, writes its n best root moves (nbest_report.h), until the turn
// budget, a stop request, the depth limits, or every ranked value is proven.
// Then writes the last completed ranking again and NBEST DONE. Plays no move.
void nbestDriver(int wanted);

// Root moves QVNBEST ranks at most.
constexpr int MAX_NBEST = 10;
