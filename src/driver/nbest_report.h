#pragma once
// The lines of the multi-line analysis (QVNBEST), made to be parsed:
//   NBEST <rank> <x>,<y> value <v> depth <d> pv <x>,<y> <x>,<y> ...
//   NBEST INFO depth <d> nodes <N> ms <t> nps <S>
//   NBEST DONE depth <d> nodes <N> ms <t>
// <v> is the side to move's value clamped to -10000 ... 10000 as in MESSAGE
// REALTIME VAL, or W<k> / L<k> for a proven win / loss whose five is the k-th
// stone from now. Nodes and milliseconds count from the command.
struct RootRanking;

// The token of a root value found at iteration depth: "W3", "L2" or "-120".
// Writes at most 12 characters and the terminating zero.
void formatRankValue(int value, int depth, char (&token)[16]);

// One NBEST line per ranked move, best first.
void writeRankLines(const RootRanking& ranking);

// The NBEST INFO line after an iteration.
void writeRankInfo(int depth);

// The closing NBEST DONE line.
void writeRankDone(int depth);
