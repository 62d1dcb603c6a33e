// Card codes, the range sort, the ranking shuffle and the deal.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <vector>

#include "cards/cards.h"
#include "cards/random.h"
#include "game/match_state.h"
#include "shuffle_ranking.h"

namespace {

std::int64_t gTestSeconds = 0;
std::int64_t ReadTestSeconds() { return gTestSeconds; }

struct FixedClock {
    explicit FixedClock(std::int64_t seconds) {
        gTestSeconds = seconds;
        SetClockSources(ReadTestSeconds, nullptr);
    }
    ~FixedClock() { SetClockSources(nullptr, nullptr); }
};

std::vector<int> RankBoth(const std::vector<int>& keys, std::vector<int>* literal) {
    std::vector<int> fast(keys.size(), -1);
    literal->assign(keys.size(), -1);
    RankShuffleKeys(keys.data(), fast.data(), static_cast<int>(keys.size()));
    RankShuffleKeysLiteral(keys.data(), literal->data(), static_cast<int>(keys.size()));
    return fast;
}

}  // namespace

TEST(CardCodes, RankSuitAndEquality) {
    struct Case {
        Card card;
        int rank;
        int suit;
    };
    const Case cases[] = {{0, 1, 1},  {12, 13, 1}, {13, 1, 2}, {25, 13, 2},
                          {26, 1, 3}, {38, 13, 3}, {39, 1, 4}, {51, 13, 4}};
    for (const Case& c : cases) {
        EXPECT_EQ(CardRank(c.card), c.rank) << "card " << c.card;
        EXPECT_EQ(CardSuit(c.card), c.suit) << "card " << c.card;
    }
    EXPECT_EQ(AllEqual3(2, 2, 2), 1);
    EXPECT_EQ(AllEqual3(2, 2, 3), 0);
    EXPECT_EQ(AllEqual3(3, 2, 2), 0);
    EXPECT_EQ(AllEqual3(2, 3, 2), 0);
}

TEST(SortRange, AwkwardInputs) {
    struct Case {
        std::vector<int> in;
        int lo;
        int hi;
        std::vector<int> out;
    };
    const Case cases[] = {
        {{5, 4, 3, 2, 1}, 0, 4, {1, 2, 3, 4, 5}},       {{9, 9, 2, 13, 7}, 2, 4, {9, 9, 2, 7, 13}},
        {{7, 7, 7, 7, 7}, 0, 4, {7, 7, 7, 7, 7}},       {{3, 1, 2}, 1, 1, {3, 1, 2}},
        {{1, 2, 3, 4, 5}, 0, 4, {1, 2, 3, 4, 5}},       {{2, 1, 2, 1, 2}, 0, 4, {1, 1, 2, 2, 2}},
        {{13, 1, 13, 1, 13}, 0, 4, {1, 1, 13, 13, 13}}, {{4, 4, 1}, 0, 2, {1, 4, 4}},
    };
    for (const Case& c : cases) {
        std::vector<int> values = c.in;
        SortRange(values.data(), c.lo, c.hi);
        EXPECT_EQ(values, c.out);
    }
}

TEST(SortRange, MatchesStdSortAndLeavesTheRestAlone) {
    std::uint32_t seed = 12345;
    SeedRandom(seed);
    for (int round = 0; round < 20000; ++round) {
        const int size = 1 + DrawRandom() % 12;
        std::vector<int> values(size);
        for (int& v : values) v = DrawRandom() % 6;  // few values: many duplicates
        const int lo = DrawRandom() % size;
        const int hi = lo + DrawRandom() % (size - lo);
        std::vector<int> expected = values;
        std::sort(expected.begin() + lo, expected.begin() + hi + 1);
        SortRange(values.data(), lo, hi);
        ASSERT_EQ(values, expected) << "seed " << seed << " round " << round;
    }
}

TEST(ShuffleRanking, TieRuleExamples) {
    struct Case {
        std::vector<int> keys;
        std::vector<int> out;
    };
    const Case cases[] = {
        {{7, 3, 7, 9}, {1, 0, 2, 3}}, {{7, 3, 7, 9, 9}, {1, 0, 2, 3, 4}},       {{5, 5}, {0, 1}},
        {{9, 4, 9, 9}, {1, 0, 2, 3}}, {{8, 8, 8, 8, 8, 8}, {0, 1, 2, 3, 4, 5}}, {{42}, {0}},
        {{3, 2, 1, 0}, {3, 2, 1, 0}},
    };
    for (const Case& c : cases) {
        std::vector<int> literal;
        const std::vector<int> fast = RankBoth(c.keys, &literal);
        EXPECT_EQ(literal, c.out);
        EXPECT_EQ(fast, c.out);
    }
}

TEST(ShuffleRanking, FastRankingEqualsLiteralOnTiedKeys) {
    const std::uint32_t seed = 777;
    SeedRandom(seed);
    for (int round = 0; round < 5000; ++round) {
        const int n = DrawRandom() % 53;
        const int spread = 1 + DrawRandom() % 60;  // small spreads force many ties
        std::vector<int> keys(n);
        for (int& k : keys) k = DrawRandom() % spread;
        std::vector<int> literal;
        const std::vector<int> fast = RankBoth(keys, &literal);
        ASSERT_EQ(fast, literal) << "seed " << seed << " round " << round;
        std::vector<int> sorted = fast;
        std::sort(sorted.begin(), sorted.end());
        std::vector<int> identity(n);
        std::iota(identity.begin(), identity.end(), 0);
        ASSERT_EQ(sorted, identity) << "not a permutation, round " << round;
    }
}

TEST(ShuffleDeck, EqualsTheLiteralRankingOfTheClockSeededKeys) {
    int shufflesWithTies = 0;
    for (std::int64_t seconds = 1700000000; seconds < 1700000000 + 4000; ++seconds) {
        SeedRandom(static_cast<std::uint32_t>(seconds));
        int keys[DeckSize];
        for (int& key : keys) key = DrawRandom();
        int literal[DeckSize];
        RankShuffleKeysLiteral(keys, literal, DeckSize);
        std::vector<int> sortedKeys(keys, keys + DeckSize);
        std::sort(sortedKeys.begin(), sortedKeys.end());
        if (std::adjacent_find(sortedKeys.begin(), sortedKeys.end()) != sortedKeys.end()) {
            ++shufflesWithTies;
        }

        FixedClock clock(seconds);
        int deck[DeckSize];
        ShuffleDeck(deck, DeckSize);
        ASSERT_TRUE(std::equal(deck, deck + DeckSize, literal)) << "clock " << seconds;
    }
    EXPECT_GT(shufflesWithTies, 50);  // about one shuffle in twenty-five has a tie
}

TEST(ShuffleDeck, ReseedsFromTheClockEveryCall) {
    FixedClock clock(1234567);
    int first[DeckSize];
    int second[DeckSize];
    ShuffleDeck(first, DeckSize);
    DrawRandom();  // whatever happened in between is forgotten by the reseed
    ShuffleDeck(second, DeckSize);
    EXPECT_TRUE(std::equal(first, first + DeckSize, second));

    int untouched[3] = {-5, -5, -5};
    ShuffleDeck(untouched, 0);
    EXPECT_EQ(untouched[0], -5);
    SeedRandom(1234567);
    const int expected = DrawRandom();
    ShuffleDeck(untouched, 0);
    EXPECT_EQ(DrawRandom(), expected);  // n = 0 still reseeds

    ShuffleDeck(untouched, 1);
    EXPECT_EQ(untouched[0], 0);
    EXPECT_EQ(untouched[1], -5);
}

TEST(Deal, DrawOrderOfADeal) {
    FixedClock clock(1600000000);
    struct {
        Deal deal;
    } match;
    match.deal.playerDiscards = {1, 1, 1, 1, 1};
    match.deal.nextCard = 17;
    DealHands(match.deal);
    EXPECT_EQ(match.deal.nextCard, 10);
    EXPECT_EQ(match.deal.playerDiscards, (DiscardMask{0, 0, 0, 0, 0}));
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(match.deal.computerHand[k], match.deal.deck[k]);
        EXPECT_EQ(match.deal.playerHand[k], match.deal.deck[5 + k]);
    }

    DiscardMask playerMarks{0, 1, 0, 1, 0};
    EXPECT_EQ(DrawReplacements(match.deal.playerHand, playerMarks, match.deal), 2);
    EXPECT_EQ(match.deal.playerHand[1], match.deal.deck[10]);
    EXPECT_EQ(match.deal.playerHand[3], match.deal.deck[11]);
    EXPECT_EQ(match.deal.playerHand[0], match.deal.deck[5]);

    DiscardMask computerMarks{1, 0, 0, 0, 0};
    EXPECT_EQ(DrawReplacements(match.deal.computerHand, computerMarks, match.deal), 1);
    EXPECT_EQ(match.deal.computerHand[0], match.deal.deck[12]);
    EXPECT_EQ(match.deal.nextCard, 13);

    DiscardMask none{0, 0, 0, 0, 0};
    EXPECT_EQ(DrawReplacements(match.deal.computerHand, none, match.deal), 0);
    EXPECT_EQ(match.deal.nextCard, 13);
}
