// Card codes, the deck and its shuffle, the deal and the replacement draw.
#pragma once

#include <array>

// 0..51: suit index = code / 13 (spades, hearts, clubs, diamonds),
// rank = code % 13 + 1 (ace 1 .. king 13).
using Card = int;
// Five cards in slots 0..4, slot 0 leftmost on the screen.
using Hand = std::array<Card, 5>;
// Parallel to a Hand: 1 means exchange the card in that slot.
using DiscardMask = std::array<int, 5>;

constexpr int DeckSize = 52;

int CardSuit(Card card);  // 1 spades .. 4 diamonds
int CardRank(Card card);  // 1 ace .. 13 king
int AllEqual3(int a, int b, int c);

// Sorts values[lo..hi] (inclusive) ascending in place; the game's own quicksort.
void SortRange(int* values, int lo, int hi);

// Fills out[0..n-1] with a permutation of 0..n-1 ranked from one random key
// per position, after reseeding the random stream from the clock.
void ShuffleDeck(int* out, int n);

// The ranking rule of the shuffle: out[i] is the place of position i in a
// stable sort of the positions by key.
void RankShuffleKeys(const int* keys, int* out, int n);

// One deal's cards: the shuffled deck, the index of the next card to draw,
// both hands and the cards marked for exchange.
struct Deal {
    std::array<Card, DeckSize> deck{};
    int nextCard = 0;
    Hand computerHand{};
    Hand playerHand{};
    // Cleared only by DealHands: after the exchange it still tells which cards
    // the player replaced.
    DiscardMask playerDiscards{};
    DiscardMask computerDiscards{};
};

// Starts a deal: clears playerDiscards, shuffles, deals deck positions 0..4
// to the computer and 5..9 to the player, sets nextCard to 10.
void DealHands(Deal& deal);

// Replaces every marked slot of `hand` (one of deal's hands) from the deck in
// slot order; returns the count.
int DrawReplacements(Hand& hand, const DiscardMask& mask, Deal& deal);
