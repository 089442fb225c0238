#pragma once
// Answers QVBALANCE: the pair of moves after which the position is most even.
void balanceDriver();
