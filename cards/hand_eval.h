// Classification of five cards into the eleven hand categories.
#pragma once

#include "cards/cards.h"

// Higher is better, equal is equal. Unscoped, so that the numbers 0..10 stay
// what the tables and records use.
enum HandCategory : int {
    NoHand = 0,
    OnePair = 1,
    TwoPair = 2,
    ThreeOfAKind = 3,
    Straight = 4,
    RoyalStraight = 5,  // A-10-J-Q-K, not all one suit
    Flush = 6,
    FullHouse = 7,
    FourOfAKind = 8,
    StraightFlush = 9,
    RoyalStraightFlush = 10,
};
constexpr int HandCategoryCount = 11;

constexpr int HandNameBufferSize = 29;  // the longest name is 28 bytes

// Returns the category and always writes its Shift-JIS display name into
// `name` (at least HandNameBufferSize bytes).
HandCategory EvaluateHand(const Hand& hand, char* name);

// The display name of a category, Shift-JIS, or nullptr outside 0..10.
const char* HandCategoryName(int category);
