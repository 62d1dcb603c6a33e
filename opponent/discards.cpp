// The computer's exchange: which of its own five cards it throws away.
#include "cards/random.h"
#include "opponent/opponent.h"

namespace {

constexpr int RoyalLow = 10;  // 10, J, Q, K and the ace make the royal straight

// One fresh draw per random rule, taken only when the rule is reached.
int DrawPercent() { return DrawRandom() % 100; }

void ExchangeRank(const Hand& hand, int rank, DiscardMask& mask) {
    for (int slot = 0; slot < 5; ++slot) {
        if (CardRank(hand[slot]) == rank) mask[slot] = 1;
    }
}

void ExchangeFirstOfRank(const Hand& hand, int rank, DiscardMask& mask) {
    for (int slot = 0; slot < 5; ++slot) {
        if (CardRank(hand[slot]) == rank) {
            mask[slot] = 1;
            return;
        }
    }
}

void ExchangeOffSuit(const Hand& hand, int suit, DiscardMask& mask) {
    for (int slot = 0; slot < 5; ++slot) {
        if (CardSuit(hand[slot]) != suit) mask[slot] = 1;
    }
}

int CountRank(const Hand& hand, int rank) {
    int count = 0;
    for (Card card : hand) count += CardRank(card) == rank ? 1 : 0;
    return count;
}

// Four or three of a kind: throw everything outside the set.
int ChooseSetDiscards(const Hand& hand, DiscardMask& mask) {
    int setRank = CardRank(hand[0]);
    for (Card card : hand) {
        if (CountRank(hand, CardRank(card)) >= 3) setRank = CardRank(card);
    }
    for (int slot = 0; slot < 5; ++slot) {
        if (CardRank(hand[slot]) != setRank) mask[slot] = 1;
    }
    return 1;
}

// Two pair: throw the one odd card.
int ChooseTwoPairDiscards(const Hand& hand, DiscardMask& mask) {
    for (int slot = 0; slot < 5; ++slot) {
        if (CountRank(hand, CardRank(hand[slot])) == 1) {
            mask[slot] = 1;
            break;
        }
    }
    return 1;
}

int ChooseOnePairDiscards(const Hand& hand, DiscardMask& mask) {
    int pair = 0;
    int odd[3];
    int oddSuit[3];
    int pairSuit[2];
    int oddCount = 0;
    int pairCount = 0;
    for (Card card : hand) {
        if (CountRank(hand, CardRank(card)) == 2) {
            pair = CardRank(card);
            pairSuit[pairCount++] = CardSuit(card);
        } else {
            oddSuit[oddCount] = CardSuit(card);
            odd[oddCount++] = CardRank(card);
        }
    }
    SortRange(odd, 0, 2);
    const int o0 = odd[0];
    const int o1 = odd[1];
    const int o2 = odd[2];
    auto exchangeOdd = [&] {
        ExchangeRank(hand, o0, mask);
        ExchangeRank(hand, o1, mask);
        ExchangeRank(hand, o2, mask);
        return 1;
    };

    // Three odd cards of one suit: with a pair card of that suit, draw to the
    // flush; otherwise now and then break the pair instead of the odd cards.
    if (AllEqual3(oddSuit[0], oddSuit[1], oddSuit[2])) {
        const int suit = oddSuit[0];
        if (pairSuit[0] == suit || pairSuit[1] == suit) {
            ExchangeOffSuit(hand, suit, mask);
            return 1;
        }
        if (DrawPercent() < 10) {
            ExchangeRank(hand, pair, mask);
            return 1;
        }
        return exchangeOdd();
    }
    // Three high odd cards (the ace counts high here): with a high pair, throw one
    // pair card; otherwise now and then break the pair.
    if ((o0 == 1 ? o1 : o0) >= RoyalLow) {
        if (pair == 1 || pair >= RoyalLow) {
            ExchangeFirstOfRank(hand, pair, mask);
            return 1;
        }
        if (DrawPercent() < 15) {
            ExchangeRank(hand, pair, mask);
            return 1;
        }
        return exchangeOdd();
    }
    // Widely spread odd cards; keep one of them now and then.
    if (o2 - o0 >= 5) {
        if (DrawPercent() < 10) {
            ExchangeRank(hand, o1, mask);
            ExchangeRank(hand, o2, mask);
            return 1;
        }
        if (DrawPercent() < 10) {
            ExchangeRank(hand, o0, mask);
            ExchangeRank(hand, o2, mask);
            return 1;
        }
        if (DrawPercent() < 10) {
            ExchangeRank(hand, o0, mask);
            ExchangeRank(hand, o1, mask);
            return 1;
        }
        return exchangeOdd();
    }
    // The pair rank and the odd ranks make a four-card straight draw: throw one
    // pair card.
    if ((pair > o2 && pair - o0 < 5) || (pair < o2 && o2 - pair < 5)) {
        ExchangeFirstOfRank(hand, pair, mask);
        return 1;
    }
    // Three consecutive odd cards: now and then break the pair instead.
    if (o2 - o0 == 2) {
        if (DrawPercent() < 10) {
            ExchangeRank(hand, pair, mask);
            return 1;
        }
        return exchangeOdd();
    }
    // Otherwise keep the pair.
    return exchangeOdd();
}

int ChooseNoPairDiscards(const Hand& hand, DiscardMask& mask) {
    int k[5];
    int suitCount[5] = {0, 0, 0, 0, 0};
    for (int slot = 0; slot < 5; ++slot) {
        k[slot] = CardRank(hand[slot]);
        ++suitCount[CardSuit(hand[slot])];
    }
    SortRange(k, 0, 4);
    auto exchange = [&](int rankA) {
        ExchangeRank(hand, rankA, mask);
        return 1;
    };
    auto exchangeTwo = [&](int rankA, int rankB) {
        ExchangeRank(hand, rankA, mask);
        ExchangeRank(hand, rankB, mask);
        return 1;
    };

    // A four-card flush draw beats every straight draw.
    for (int suit = 1; suit <= 4; ++suit) {
        if (suitCount[suit] == 4) {
            ExchangeOffSuit(hand, suit, mask);
            return 1;
        }
    }
    // Four-card draws to the royal straight, then to any straight.
    if (k[0] == 1 && k[2] >= RoyalLow) return exchange(k[1]);
    if (k[0] != 1 && k[1] >= RoyalLow) return exchange(k[0]);
    if (k[3] - k[0] < 4) return exchange(k[4]);
    if (k[4] - k[1] < 4) return exchange(k[0]);
    if (k[3] - k[0] < 5) return exchange(k[4]);
    if (k[4] - k[1] < 5) return exchange(k[0]);
    // Three-card draws, the royal ones first.
    if (k[0] == 1 && k[3] >= RoyalLow) return exchangeTwo(k[1], k[2]);
    if (k[0] != 1 && k[2] >= RoyalLow) return exchangeTwo(k[0], k[1]);
    if (k[2] - k[0] < 4) return exchangeTwo(k[3], k[4]);
    if (k[4] - k[2] < 4) return exchangeTwo(k[0], k[1]);
    if (k[2] - k[0] < 5) return exchangeTwo(k[3], k[4]);
    if (k[4] - k[2] < 5) return exchangeTwo(k[0], k[1]);
    if (k[3] - k[1] < 5) return exchangeTwo(k[0], k[4]);
    // A three-card flush draw only when no straight draw applied.
    for (int suit = 1; suit <= 4; ++suit) {
        if (suitCount[suit] == 3) {
            ExchangeOffSuit(hand, suit, mask);
            return 1;
        }
    }
    // Nothing to draw to; now and then stand pat as a bluff.
    if (DrawPercent() < 90) {
        mask = {1, 1, 1, 1, 1};
        return 1;
    }
    return 0;
}

}  // namespace

int ChooseDiscards(const Hand& hand, DiscardMask& mask) {
    char name[32];
    const HandCategory category = EvaluateHand(hand, name);
    switch (category) {
    case Straight:
    case RoyalStraight:
    case Flush:
    case FullHouse:
    case StraightFlush:
    case RoyalStraightFlush: return 0;
    default: break;
    }
    mask = {0, 0, 0, 0, 0};
    switch (category) {
    case FourOfAKind:
    case ThreeOfAKind: return ChooseSetDiscards(hand, mask);
    case TwoPair: return ChooseTwoPairDiscards(hand, mask);
    case OnePair: return ChooseOnePairDiscards(hand, mask);
    default: return ChooseNoPairDiscards(hand, mask);
    }
}
