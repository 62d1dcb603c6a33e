// The computer's exchange: which cards it marks, and which draws it takes.
#include <gtest/gtest.h>

#include <vector>

#include "cards/random.h"
#include "opponent/opponent.h"
#include "opponent_test_util.h"

namespace {

struct DiscardCase {
    const char* hand;
    std::vector<int> draws;  // raw values; the rule uses value % 100
    int result;
    DiscardMask mask;  // 7 = the mask must stay as it was
    long long drawsTaken;
};

constexpr DiscardMask Untouched = {7, 7, 7, 7, 7};

void CheckDiscards(const DiscardCase& c) {
    const Hand hand = ParseHand(c.hand);
    DiscardMask mask = Untouched;
    int result = -1;
    const long long taken = CountDrawsOf(c.draws, [&] { result = ChooseDiscards(hand, mask); });
    EXPECT_EQ(result, c.result) << c.hand;
    EXPECT_EQ(mask, c.mask) << c.hand;
    EXPECT_EQ(taken, c.drawsTaken) << c.hand;
}

TEST(ChooseDiscards, MadeHandsStandPatAndLeaveTheMaskAlone) {
    const DiscardCase cases[] = {
        {"3S 3H 3C 7D 7S", {}, 0, Untouched, 0},  // full house
        {"2S 3H 4C 5D 6S", {}, 0, Untouched, 0},  // straight
        {"AS 2H 3C 4D 5S", {}, 0, Untouched, 0},  // the wheel
        {"AS TH JC QD KS", {}, 0, Untouched, 0},  // royal straight
        {"2S 5S 8S JS KS", {}, 0, Untouched, 0},  // flush
        {"5H 6H 7H 8H 9H", {}, 0, Untouched, 0},  // straight flush
        {"TD JD QD KD AD", {}, 0, Untouched, 0},  // royal straight flush
    };
    for (const DiscardCase& c : cases) CheckDiscards(c);
}

TEST(ChooseDiscards, SetsAndTwoPairThrowTheOddCards) {
    const DiscardCase cases[] = {
        {"9S 9H 9C 9D KS", {}, 1, {0, 0, 0, 0, 1}, 0},
        {"KS 9S 9H 9C 9D", {}, 1, {1, 0, 0, 0, 0}, 0},
        {"5S 5H 5C 8D KS", {}, 1, {0, 0, 0, 1, 1}, 0},
        {"8D 5S KS 5H 5C", {}, 1, {1, 0, 1, 0, 0}, 0},
        {"4S 4H 7C 7D QS", {}, 1, {0, 0, 0, 0, 1}, 0},
        {"QS 4S 7C 4H 7D", {}, 1, {1, 0, 0, 0, 0}, 0},
    };
    for (const DiscardCase& c : cases) CheckDiscards(c);
}

TEST(ChooseDiscards, OnePairRulesInOrder) {
    const DiscardCase cases[] = {
        // Three suited odd cards and a pair card of their suit: a four-card flush.
        {"4H 4S AS KS QS", {}, 1, {1, 0, 0, 0, 0}, 0},
        {"AS 4S KS 4H QS", {}, 1, {0, 0, 0, 1, 0}, 0},
        // Three suited odd cards, pair off-suit: r < 10 keeps the flush cards.
        {"4H 4C AS KS QS", {9}, 1, {1, 1, 0, 0, 0}, 1},
        {"4H 4C AS KS QS", {32709}, 1, {1, 1, 0, 0, 0}, 1},
        {"4H 4C AS KS QS", {10}, 1, {0, 0, 1, 1, 1}, 1},
        {"4H 4C AS KS QS", {32767}, 1, {0, 0, 1, 1, 1}, 1},
        // High odd cards with a high pair: the lower pair card goes.
        {"TS AH TD KC QS", {}, 1, {1, 0, 0, 0, 0}, 0},
        {"AH TS KC TD QS", {}, 1, {0, 1, 0, 0, 0}, 0},
        {"KH AS QC JD KS", {}, 1, {1, 0, 0, 0, 0}, 0},
        {"KH QC AS JD AH", {}, 1, {0, 0, 1, 0, 0}, 0},
        // High odd cards with a low pair.
        {"5S JH QC KD 5D", {14}, 1, {1, 0, 0, 0, 1}, 1},
        {"5S JH QC KD 5D", {15}, 1, {0, 1, 1, 1, 0}, 1},
        {"AS 9H QC KD 9D", {99}, 1, {1, 0, 1, 1, 0}, 1},
        // Spread odd cards: up to three draws keep one of them.
        {"2S 2H 4C 8D KS", {5}, 1, {0, 0, 0, 1, 1}, 1},
        {"2S 2H 4C 8D KS", {50, 9}, 1, {0, 0, 1, 0, 1}, 2},
        {"2S 2H 4C 8D KS", {50, 10, 0}, 1, {0, 0, 1, 1, 0}, 3},
        {"2S 2H 4C 8D KS", {50, 10, 10}, 1, {0, 0, 1, 1, 1}, 3},
        {"AS 2H 6C KD 2S", {10, 10, 10}, 1, {1, 0, 1, 1, 0}, 3},
        // Pair and odd cards make a four-card straight draw.
        {"6S 6H 5C 7D 8S", {}, 1, {1, 0, 0, 0, 0}, 0},
        {"3S 5H 6C 7D 3H", {}, 1, {1, 0, 0, 0, 0}, 0},
        {"5H 6C 7D 3H 3S", {}, 1, {0, 0, 0, 1, 0}, 0},
        {"AS 2H 3C 5D AD", {}, 1, {1, 0, 0, 0, 0}, 0},
        {"9S 6H 7C 8D 9H", {}, 1, {1, 0, 0, 0, 0}, 0},
        // Three consecutive odd cards.
        {"2S 2H 7C 8D 9S", {9}, 1, {1, 1, 0, 0, 0}, 1},
        {"2S 2H 7C 8D 9S", {10}, 1, {0, 0, 1, 1, 1}, 1},
        // Anything else keeps the pair, without a draw.
        {"2S 2H 7C 8D TS", {}, 1, {0, 0, 1, 1, 1}, 0},
        {"QS QH 7C 8D TS", {}, 1, {0, 0, 1, 1, 1}, 0},
    };
    for (const DiscardCase& c : cases) CheckDiscards(c);
}

TEST(ChooseDiscards, NoPairRulesInOrder) {
    const DiscardCase cases[] = {
        // Four of one suit beats any straight draw.
        {"2H 5H 9H KH 3S", {}, 1, {0, 0, 0, 0, 1}, 0},
        {"2H 3H 4H 9H 5S", {}, 1, {0, 0, 0, 0, 1}, 0},
        {"QC 2D 4D 5D 7D", {}, 1, {1, 0, 0, 0, 0}, 0},
        // Four to the royal straight.
        {"AS 4H JC QD KS", {}, 1, {0, 1, 0, 0, 0}, 0},
        {"3S TH JC QD KS", {}, 1, {1, 0, 0, 0, 0}, 0},
        // Four to a straight: consecutive first, then with one gap.
        {"2S 3H 4C 5D 9S", {}, 1, {0, 0, 0, 0, 1}, 0},
        {"2S 6H 7C 8D 9S", {}, 1, {1, 0, 0, 0, 0}, 0},
        {"AS 2H 3C 5D KS", {}, 1, {0, 0, 0, 0, 1}, 0},
        {"2S 7H 8C TD JS", {}, 1, {1, 0, 0, 0, 0}, 0},
        // Three to the royal straight.
        {"AS 5H 7C QD KS", {}, 1, {0, 1, 1, 0, 0}, 0},
        {"2S 5H JC QD KS", {}, 1, {1, 1, 0, 0, 0}, 0},
        // Three to a straight.
        {"2S 3H 4C 8D KS", {}, 1, {0, 0, 0, 1, 1}, 0},
        {"2S 6H JC QD 9S", {}, 1, {1, 1, 0, 0, 0}, 0},
        {"2S 4H 6C TD KS", {}, 1, {0, 0, 0, 1, 1}, 0},
        {"2S 5H 9C JD KS", {}, 1, {1, 1, 0, 0, 0}, 0},
        {"2S 5H 7C 9D KS", {}, 1, {1, 0, 0, 0, 1}, 0},
        // Three of one suit only when no straight draw applied.
        {"2C 4C 7C 9H KD", {}, 1, {0, 0, 0, 1, 1}, 0},
        {"2C 3C 4H 8C KD", {}, 1, {0, 0, 0, 1, 1}, 0},
        // Nothing to draw to: all five, or now and then none.
        {"2S 5H 8C JD KS", {89}, 1, {1, 1, 1, 1, 1}, 1},
        {"2S 5H 8C JD KS", {90}, 0, {0, 0, 0, 0, 0}, 1},
        {"2S 5H 8C JD KS", {32699}, 0, {0, 0, 0, 0, 0}, 1},
    };
    for (const DiscardCase& c : cases) CheckDiscards(c);
}

// Only the lower pair card kept with three high odd cards, and the pair card
// that completes a four-card straight draw, depend on where the cards lie;
// every other choice follows the ranks and suits wherever they sit.
TEST(ChooseDiscards, SlotOrderOnlyMovesTheMarks) {
    const char* hands[] = {"2S 2H 4C 8D KS", "4H 4C AS KS QS", "2S 5H 8C JD KS",
                           "2C 4C 7C 9H KD", "5S 5H 5C 8D KS", "AS 5H 7C QD KS"};
    const std::vector<int> draws = {50, 10, 3};
    for (const char* text : hands) {
        const Hand hand = ParseHand(text);
        DiscardMask mask{};
        int result = 0;
        const long long taken = CountDrawsOf(draws, [&] { result = ChooseDiscards(hand, mask); });
        // Reverse the slots: the same cards must be marked.
        const Hand reversed = {hand[4], hand[3], hand[2], hand[1], hand[0]};
        DiscardMask reversedMask{};
        int reversedResult = 0;
        const long long reversedTaken =
            CountDrawsOf(draws, [&] { reversedResult = ChooseDiscards(reversed, reversedMask); });
        EXPECT_EQ(result, reversedResult) << text;
        EXPECT_EQ(taken, reversedTaken) << text;
        for (int slot = 0; slot < 5; ++slot) EXPECT_EQ(mask[slot], reversedMask[4 - slot]) << text;
    }
}

}  // namespace
