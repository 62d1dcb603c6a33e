// The shuffle's ranking as first written, for the tests to check the game's
// faster route (RankShuffleKeys, ShuffleDeck) against.
#pragma once

// Places each position by counting the smaller keys, pair by pair, then moves
// every repeated place up (the tie fix-up).
void RankShuffleKeysLiteral(const int* keys, int* out, int n);
