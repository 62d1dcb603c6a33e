// Hand categories, their display names, and the full census of five-card hands.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "cards/hand_eval.h"

namespace {

enum { S = 0, H = 1, C = 2, D = 3 };
Card Make(int rank, int suit) { return suit * 13 + rank - 1; }

std::string Bytes(const char* text) { return std::string(text); }

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

}  // namespace

TEST(HandNames, ExactShiftJisBytes) {
    // Pinned as bytes so a wrong literal cannot pass by comparing with itself.
    EXPECT_EQ(Hex(HandCategoryName(0)), "202083752020835e");
    EXPECT_EQ(Hex(HandCategoryName(1)), "838f208393208379208341");
    EXPECT_EQ(Hex(HandCategoryName(6)), "83748389836283568385");
    EXPECT_EQ(Hex(HandCategoryName(10)),
              "838d83438384838b83588367838c815b836783748389836283568385");

    const std::size_t lengths[11] = {8, 11, 11, 12, 10, 18, 10, 10, 12, 20, 28};
    for (int category = 0; category <= 10; ++category) {
        EXPECT_EQ(std::strlen(HandCategoryName(category)), lengths[category]) << category;
    }
    EXPECT_EQ(HandCategoryName(11), nullptr);
}

TEST(HandNames, BufferIsAlwaysWritten) {
    char name[HandNameBufferSize];
    std::memset(name, 'X', sizeof name);
    const Hand nothing = {Make(2, S), Make(5, H), Make(8, C), Make(11, D), Make(13, S)};
    EXPECT_EQ(EvaluateHand(nothing, name), 0);
    EXPECT_EQ(Bytes(name), Bytes(HandCategoryName(0)));

    std::memset(name, 'X', sizeof name);
    const Hand royal = {Make(10, H), Make(11, H), Make(12, H), Make(13, H), Make(1, H)};
    EXPECT_EQ(EvaluateHand(royal, name), 10);
    EXPECT_EQ(std::strlen(name), 28u);
}

TEST(EvaluateHand, Categories) {
    struct Case {
        const char* what;
        Hand hand;
        int category;
    };
    const Case cases[] = {
        {"A-2-3-4-5 mixed", {Make(1, S), Make(2, H), Make(3, C), Make(4, D), Make(5, S)}, 4},
        {"A-2-3-4-5 suited", {Make(1, C), Make(2, C), Make(3, C), Make(4, C), Make(5, C)}, 9},
        {"10-J-Q-K-A mixed", {Make(10, S), Make(11, H), Make(12, S), Make(13, S), Make(1, S)}, 5},
        {"10-J-Q-K-A suited", {Make(1, D), Make(13, D), Make(12, D), Make(11, D), Make(10, D)}, 10},
        {"9-10-J-Q-K mixed", {Make(9, S), Make(10, H), Make(11, S), Make(12, S), Make(13, S)}, 4},
        {"9-10-J-Q-K suited", {Make(9, H), Make(10, H), Make(11, H), Make(12, H), Make(13, H)}, 9},
        {"J-Q-K-A-2 mixed", {Make(11, S), Make(12, H), Make(13, S), Make(1, S), Make(2, S)}, 0},
        {"J-Q-K-A-2 suited", {Make(11, S), Make(12, S), Make(13, S), Make(1, S), Make(2, S)}, 6},
        {"Q-K-A-2-3 mixed", {Make(12, S), Make(13, H), Make(1, S), Make(2, S), Make(3, S)}, 0},
        {"A-2-3-4-6 suited", {Make(1, H), Make(2, H), Make(3, H), Make(4, H), Make(6, H)}, 6},
        {"2-9-9-9-9", {Make(2, S), Make(9, S), Make(9, H), Make(9, C), Make(9, D)}, 8},
        {"9-9-9-9-K", {Make(9, S), Make(13, S), Make(9, H), Make(9, C), Make(9, D)}, 8},
        {"3-3-3-7-7", {Make(3, S), Make(3, H), Make(3, C), Make(7, D), Make(7, S)}, 7},
        {"3-3-7-7-7", {Make(7, S), Make(3, H), Make(7, C), Make(3, D), Make(7, D)}, 7},
        {"5-5-5-8-K", {Make(5, S), Make(5, H), Make(5, C), Make(8, D), Make(13, S)}, 3},
        {"2-9-9-9-K", {Make(2, S), Make(9, H), Make(9, C), Make(9, D), Make(13, S)}, 3},
        {"2-3-9-9-9", {Make(9, S), Make(2, H), Make(9, C), Make(3, D), Make(9, D)}, 3},
        {"4-4-7-7-Q", {Make(4, S), Make(4, H), Make(7, C), Make(7, D), Make(12, S)}, 2},
        {"pair of aces low", {Make(1, S), Make(1, H), Make(4, C), Make(9, D), Make(12, S)}, 1},
        {"pair of kings high", {Make(2, S), Make(5, H), Make(8, C), Make(13, D), Make(13, S)}, 1},
        {"pair in the middle", {Make(2, S), Make(7, H), Make(7, C), Make(10, D), Make(12, S)}, 1},
        {"nothing", {Make(2, S), Make(4, H), Make(6, C), Make(8, D), Make(10, S)}, 0},
    };
    char name[HandNameBufferSize];
    for (const Case& c : cases) {
        EXPECT_EQ(EvaluateHand(c.hand, name), c.category) << c.what;
        EXPECT_EQ(Bytes(name), Bytes(HandCategoryName(c.category))) << c.what;
    }
}

TEST(EvaluateHand, SlotOrderNeverMatters) {
    const Hand hands[] = {
        {Make(1, S), Make(2, H), Make(3, C), Make(4, D), Make(5, S)},
        {Make(10, D), Make(11, D), Make(12, D), Make(13, D), Make(1, D)},
        {Make(3, S), Make(3, H), Make(7, C), Make(7, D), Make(7, S)},
        {Make(2, C), Make(9, C), Make(9, H), Make(9, D), Make(13, C)},
        {Make(4, S), Make(4, H), Make(7, C), Make(7, D), Make(12, S)},
    };
    char name[HandNameBufferSize];
    for (const Hand& original : hands) {
        Hand hand = original;
        std::sort(hand.begin(), hand.end());
        const int expected = EvaluateHand(original, name);
        do {
            ASSERT_EQ(EvaluateHand(hand, name), expected);
        } while (std::next_permutation(hand.begin(), hand.end()));
    }
}

TEST(EvaluateHand, CensusOfAllFiveCardHands) {
    long long counts[11] = {};
    char name[HandNameBufferSize];
    Hand hand{};
    for (int a = 0; a < 52; ++a)
        for (int b = a + 1; b < 52; ++b)
            for (int c = b + 1; c < 52; ++c)
                for (int d = c + 1; d < 52; ++d)
                    for (int e = d + 1; e < 52; ++e) {
                        hand = {a, b, c, d, e};
                        ++counts[EvaluateHand(hand, name)];
                    }
    const long long expected[11] = {1302540, 1098240, 123552, 54912, 9180, 1020,
                                    5108,    3744,    624,    36,    4};
    for (int category = 0; category <= 10; ++category) {
        EXPECT_EQ(counts[category], expected[category]) << "category " << category;
    }
}
