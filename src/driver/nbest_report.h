#pragma once
// The lines of the multi-line analysis (QVNBEST), made to be parsed:
//   NBEST <rank> <x>,<y> value <v> depth <d> pv <x>,<y> <x>,<y> ...
//   NBEST INFO depth <d> nodes <N> ms <t> nps <S>
//   NBEST DONE depth <d> nodes <N> ms <t>
// <v> is the side to move's value clamped to -10000 ... 10000 as in MESSAGE
// REALTIME VAL, or W<k> / L<k> for a proven win / loss whose five is the k-th
// stone from now (win_distance.h; the search's estimate when the line stops
// short of it). Nodes and milliseconds count from the command.
struct RankedMove;
struct RootRanking;

// The value token of a ranked move found at iteration depth with colour to
// move: "W3", "L2" or "-120".
void formatRankValue(const RankedMove& m, int depth, int colour, char (&token)[16]);

// One NBEST line per ranked move, best first; colour is the side to move.
void writeRankLines(const RootRanking& ranking, int colour);

// The NBEST INFO line after an iteration.
void writeRankInfo(int depth);

// The closing NBEST DONE line.
void writeRankDone(int depth);
