// Every decision of the opponent folded into one digest: a single changed table
// cell, band edge or rule threshold changes it.
#include <gtest/gtest.h>

#include <cstdint>

#include "cards/random.h"
#include "opponent/opponent.h"

namespace {

// FNV-1a over the answers and draw counts, in the order the sweep takes them.
struct Digest {
    std::uint64_t value = 14695981039346656037ull;
    void Add(int number) {
        for (int shift = 0; shift < 32; shift += 8) {
            value ^= static_cast<std::uint8_t>(static_cast<std::uint32_t>(number) >> shift);
            value *= 1099511628211ull;
        }
    }
};

constexpr int ScriptLength = 4;  // no decision takes more draws than this

// Every roll that decides anything is taken % 100, % 10, % 5, % 4 or % 3, so raw
// values 0..99 reach every outcome of every draw. Each draw position is swept
// over 0..99 against a few backgrounds, and all draws together over 0..99.
template <typename Decide>
void SweepDraws(Digest& digest, Decide decide) {
    static const int Backgrounds[] = {0, 50, 99};
    int script[ScriptLength];
    auto run = [&] {
        SeedRandom(1);  // draws past the script, if a fault takes any, are fixed too
        ScriptRandomDraws(script, ScriptLength);
        ResetRandomDrawCount();
        decide();
        digest.Add(static_cast<int>(CountRandomDraws()));
        ClearRandomScript();
    };
    for (int position = 0; position < ScriptLength; ++position) {
        for (int background : Backgrounds) {
            for (int roll = 0; roll < 100; ++roll) {
                for (int k = 0; k < ScriptLength; ++k)
                    script[k] = k == position ? roll : background;
                run();
            }
        }
    }
    for (int roll = 0; roll < 100; ++roll) {
        for (int& value : script) value = roll;
        run();
    }
}

// Digests of today's decisions. A change here is a change of the game.
constexpr std::uint64_t ChooseBetDigest = 0x8f8df057a652dd4bull;
constexpr std::uint64_t ChooseDiscardsDigest = 0x4d7e3108b4860965ull;

TEST(DecisionDigest, ChooseBetOverEveryRowBandAndRule) {
    Digest digest;
    for (int category = 0; category <= 10; ++category) {
        for (int money = 1; money <= 39; ++money) {
            for (int dealer = 0; dealer <= 1; ++dealer) {
                for (int drawn = 0; drawn <= 5; ++drawn) {
                    for (int bluff = 0; bluff <= 1; ++bluff) {
                        for (int kicker = 0; kicker <= 1; ++kicker) {
                            SweepDraws(digest, [&] {
                                digest.Add(ChooseBet(static_cast<HandCategory>(category), money,
                                                     dealer, drawn, bluff, kicker));
                            });
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(digest.value, ChooseBetDigest) << std::hex << digest.value;
}

TEST(DecisionDigest, ChooseDiscardsOverEveryHand) {
    // Every five-card hand, its slots turned round by a varying amount, against
    // scripts on both sides of every threshold of the random rules (10, 15, 90).
    static const int Scripts[][3] = {{0, 0, 0},    {9, 9, 9},    {10, 9, 9},   {10, 10, 9},
                                     {10, 10, 10}, {14, 14, 14}, {15, 15, 15}, {89, 89, 89},
                                     {90, 90, 90}, {99, 99, 99}};
    Digest digest;
    int turn = 0;
    for (int a = 0; a < 52; ++a) {
        for (int b = a + 1; b < 52; ++b) {
            for (int c = b + 1; c < 52; ++c) {
                for (int d = c + 1; d < 52; ++d) {
                    for (int e = d + 1; e < 52; ++e) {
                        const Card cards[5] = {a, b, c, d, e};
                        Hand hand{};
                        for (int slot = 0; slot < 5; ++slot) hand[slot] = cards[(slot + turn) % 5];
                        turn = (turn + 1) % 5;
                        for (const auto& script : Scripts) {
                            DiscardMask mask = {-1, -1, -1, -1, -1};
                            SeedRandom(1);
                            ScriptRandomDraws(script, 3);
                            ResetRandomDrawCount();
                            digest.Add(ChooseDiscards(hand, mask));
                            for (int value : mask) digest.Add(value);
                            const long long draws = CountRandomDraws();
                            digest.Add(static_cast<int>(draws));
                            ClearRandomScript();
                            // Without a draw the other scripts cannot change the answer.
                            if (draws == 0) break;
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(digest.value, ChooseDiscardsDigest) << std::hex << digest.value;
}

}  // namespace
