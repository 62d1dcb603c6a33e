// Card codes, the deck and its shuffle, the deal and the replacement draw.
#include "cards/cards.h"

#include "cards/random.h"

int CardSuit(Card card) { return card / 13 + 1; }

int CardRank(Card card) { return card % 13 + 1; }

int AllEqual3(int a, int b, int c) { return (a == b && a == c) ? 1 : 0; }

void SortRange(int* values, int lo, int hi) {
    for (;;) {
        const int pivot = values[lo];
        int i = lo;
        int j = hi;
        for (;;) {
            while (values[i] < pivot) ++i;
            while (pivot < values[j]) --j;
            if (i >= j) break;
            const int swap = values[i];
            values[i] = values[j];
            values[j] = swap;
            ++i;
            --j;
        }
        if (lo < i - 1) SortRange(values, lo, i - 1);
        if (j + 1 < hi) {
            lo = j + 1;
        } else {
            return;
        }
    }
}

void RankShuffleKeys(const int* keys, int* out, int n) {
    // out[i] = (keys smaller than key[i]) + (equal keys at lower positions):
    // the place of position i in a stable sort by key.
    int order[DeckSize];
    int count = 0;
    for (int i = 0; i < n; ++i) {
        int place = count++;
        while (place > 0 && keys[order[place - 1]] > keys[i]) {
            order[place] = order[place - 1];
            --place;
        }
        order[place] = i;
    }
    for (int place = 0; place < n; ++place) out[order[place]] = place;
}

void ShuffleDeck(int* out, int n) {
    int keys[DeckSize] = {};
    if (n > DeckSize) n = DeckSize;  // the deck is the only caller; never write past a key
    SeedRandom(static_cast<std::uint32_t>(ReadClockSeconds()));
    for (int i = 0; i < n; ++i) keys[i] = DrawRandom();
    RankShuffleKeys(keys, out, n);
}

void DealHands(Deal& deal) {
    deal.playerDiscards = DiscardMask{};
    ShuffleDeck(deal.deck.data(), DeckSize);
    for (int k = 0; k < 5; ++k) deal.computerHand[k] = deal.deck[k];
    for (int k = 0; k < 5; ++k) deal.playerHand[k] = deal.deck[5 + k];
    deal.nextCard = 10;
}

int DrawReplacements(Hand& hand, const DiscardMask& mask, Deal& deal) {
    int replaced = 0;
    for (int slot = 0; slot < 5; ++slot) {
        if (mask[slot] == 1) {
            hand[slot] = deal.deck[deal.nextCard++];
            ++replaced;
        }
    }
    return replaced;
}
