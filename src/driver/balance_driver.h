#pragma once
// Answers QVBALANCE: the pair of moves after which the position is most even.
void balanceDriver();

// The balance search on the built board, within the turn clock already set in
// mainThread.control: pairs of colour's move and its opponent's reply, ranked
// by how even the position is after both (balancePairs, the most even first;
// driver/balance_pairs.h). Returns the number of pairs listed.
int rankBalancedPairs(int colour);
