// Classification of five cards into the eleven hand categories.
#pragma once

#include "cards/cards.h"

// 0 no hand, 1 one pair, 2 two pair, 3 three of a kind, 4 straight,
// 5 royal straight (A-10-J-Q-K), 6 flush, 7 full house, 8 four of a kind,
// 9 straight flush, 10 royal straight flush. Higher is better.
using HandCategory = int;

constexpr int HandNameBufferSize = 29;  // the longest name is 28 bytes

// Returns the category and always writes its Shift-JIS display name into
// `name` (at least HandNameBufferSize bytes).
HandCategory EvaluateHand(const Hand& hand, char* name);

// The display name of a category, Shift-JIS, or nullptr outside 0..10.
const char* HandCategoryName(HandCategory category);
