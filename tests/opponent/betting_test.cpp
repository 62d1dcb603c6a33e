// The computer's bets and call limits: results, and the draws behind them.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cards/random.h"
#include "opponent/betting_tables.h"
#include "opponent/opponent.h"
#include "opponent_test_util.h"

namespace {

struct BetCase {
    int category;
    int money;
    int playerIsDealer;
    int playerDrawCount;
    int bluffSuspected;
    int keepsKicker;
    std::vector<int> draws;  // raw values, in the order the call takes them
    int result;
    long long drawsTaken;
};

std::string Describe(const BetCase& c) {
    std::ostringstream text;
    text << "ChooseBet(" << c.category << ", " << c.money << ", " << c.playerIsDealer << ", "
         << c.playerDrawCount << ", " << c.bluffSuspected << ", " << c.keepsKicker << ") draws";
    for (int value : c.draws) text << " " << value;
    return text.str();
}

void CheckBets(const std::vector<BetCase>& cases) {
    for (const BetCase& c : cases) {
        int result = -1;
        const long long taken = CountDrawsOf(c.draws, [&] {
            result = ChooseBet(static_cast<HandCategory>(c.category), c.money, c.playerIsDealer,
                               c.playerDrawCount, c.bluffSuspected, c.keepsKicker);
        });
        EXPECT_EQ(result, c.result) << Describe(c);
        EXPECT_EQ(taken, c.drawsTaken) << Describe(c);
    }
}

TEST(ChooseBetDealing, OpeningRulesAndTheStandPatRule) {
    CheckBets({
        // cat money dealer? drawn bluff kicker  draws  result drawsTaken
        {0, 39, 0, 1, 0, 0, {}, 1, 0},
        {7, 39, 0, 0, 0, 0, {}, 1, 0},
        {10, 39, 0, 3, 0, 1, {}, 1, 0},
        {7, 38, 0, 1, 0, 0, {99}, 2, 1},
        {0, 2, 0, 0, 0, 0, {99}, 1, 1},  // the table would say 2
        {3, 1, 0, 0, 0, 0, {50}, 1, 1},
        {2, 20, 0, 0, 0, 0, {50, 89}, 2, 2},
        {1, 20, 0, 0, 0, 0, {50, 90}, 2, 2},     // p passes, e = 50 bets 2 anyway
        {0, 20, 0, 0, 0, 0, {97, 95, 3}, 9, 3},  // p passes, R5 = 3 % 5 + 6
        {3, 14, 0, 0, 0, 0, {90, 32699, 0}, 6, 3},
        {4, 20, 0, 0, 0, 0, {50}, 6, 1},     // straights ignore a pat hand
        {8, 10, 0, 0, 0, 0, {10, 2}, 9, 2},  // no pat rule above three of a kind
    });
}

TEST(ChooseBetDealing, FourOfAKindAndBetterDrawTheRollButIgnoreIt) {
    CheckBets({
        {8, 1, 0, 1, 0, 0, {99}, 1, 1},
        {9, 4, 0, 1, 0, 0, {0}, 4, 1},
        {10, 5, 0, 1, 0, 0, {0}, 4, 1},
        {8, 9, 0, 1, 0, 0, {99}, 8, 1},
        {8, 10, 0, 1, 0, 0, {10, 2}, 9, 2},
        {9, 30, 0, 1, 0, 0, {99, 32767}, 10, 2},
        {10, 31, 0, 1, 0, 0, {0}, 9, 1},
        {8, 38, 0, 1, 0, 0, {0}, 2, 1},
    });
}

TEST(ChooseBetDealing, TableRowsByTheRoll) {
    CheckBets({
        // No hand or one pair.
        {0, 1, 0, 1, 0, 0, {99}, 1, 1},
        {1, 3, 0, 1, 0, 0, {99}, 2, 1},
        {1, 6, 0, 1, 0, 0, {95}, 3, 1},
        {1, 6, 0, 1, 0, 0, {96}, 4, 1},
        {0, 11, 0, 1, 0, 0, {97}, 4, 1},
        {0, 11, 0, 1, 0, 0, {98}, 6, 1},
        {1, 12, 0, 2, 0, 0, {99, 4}, 10, 2},
        {1, 14, 0, 2, 0, 0, {98, 0}, 6, 2},
        {0, 31, 0, 5, 0, 0, {87}, 5, 1},
        {1, 37, 0, 3, 0, 0, {95}, 3, 1},
        // Two pair, three of a kind.
        {2, 7, 0, 1, 0, 0, {81}, 5, 1},
        {3, 11, 0, 1, 0, 0, {91}, 7, 1},
        {2, 31, 0, 1, 0, 0, {97}, 7, 1},  // 38 - money
        {3, 33, 0, 1, 0, 0, {99}, 5, 1},
        {2, 27, 0, 1, 0, 0, {98, 1}, 7, 2},
        // Straight, royal straight, flush: the middle bands bet less.
        {4, 4, 0, 1, 0, 0, {79}, 3, 1},
        {5, 4, 0, 1, 0, 0, {80}, 2, 1},
        {6, 5, 0, 1, 0, 0, {95}, 4, 1},
        {4, 10, 0, 1, 0, 0, {96}, 3, 1},
        {6, 12, 0, 1, 0, 0, {99, 7}, 8, 2},
        {4, 16, 0, 1, 0, 0, {0}, 5, 1},
        {5, 31, 0, 1, 0, 0, {93}, 7, 1},
        {6, 34, 0, 0, 0, 0, {98}, 5, 1},
        {4, 37, 0, 1, 0, 0, {0}, 3, 1},
        // Full house, with its R4 and R3 rows and the row ending in 2.
        {7, 3, 0, 1, 0, 0, {95}, 3, 1},
        {7, 17, 0, 1, 0, 0, {97, 3}, 10, 2},
        {7, 20, 0, 0, 0, 0, {80}, 5, 1},
        {7, 27, 0, 1, 0, 0, {99, 5}, 10, 2},
        {7, 30, 0, 1, 0, 0, {99, 3}, 8, 2},
        {7, 33, 0, 1, 0, 0, {0}, 7, 1},  // all of the player's 7 dollars
        {7, 31, 0, 1, 0, 0, {97}, 2, 1},
        {7, 36, 0, 1, 0, 0, {95}, 4, 1},
    });
}

TEST(ChooseBetAnswering, EarlyAnswersAndThePairSuspicion) {
    CheckBets({
        {0, 20, 1, 0, 0, 0, {}, 0, 0},
        {0, 1, 1, 2, 1, 1, {}, 0, 0},
        {0, 39, 1, 3, 1, 0, {}, 0, 0},
        {1, 1, 1, 2, 1, 1, {}, 1, 0},
        {10, 1, 1, 0, 0, 0, {}, 1, 0},
        {7, 20, 1, 1, 0, 0, {50}, 11, 1},
        {8, 39, 1, 3, 1, 1, {50}, 11, 1},     // three drawn: suspected without a draw
        {9, 20, 1, 2, 0, 1, {50, 9}, 11, 2},  // q is drawn though it changes nothing
        {10, 20, 1, 2, 0, 0, {50}, 11, 1},    // no q without the kicker habit
        {7, 20, 1, 4, 1, 1, {50}, 11, 1},
    });
}

TEST(ChooseBetAnswering, GiveUpCheckAndBluffCallExcludeEachOther) {
    CheckBets({
        // One pair, kicker habit, two drawn, bluff suspected.
        {1, 20, 1, 2, 1, 1, {50, 7, 10}, 10, 3},     // q = 7: no pair, g = 10 < 40
        {1, 20, 1, 2, 1, 1, {50, 7, 40}, 2, 3},      // g = 40: the table, e = 50
        {1, 20, 1, 2, 1, 1, {50, 2, 96}, 2, 3},      // q = 2: pair, f = 96 passes
        {1, 20, 1, 2, 1, 1, {50, 2, 94}, 0, 3},      // f = 94 gives up
        {1, 12, 1, 2, 0, 1, {94, 1, 95, 4}, 10, 4},  // e, q, f and R5: four draws
        // One pair: three drawn or stood pat means the give-up check, no bluff call.
        {1, 20, 1, 3, 1, 0, {50, 96}, 2, 2},
        {1, 20, 1, 3, 1, 0, {50, 32694}, 0, 2},
        {1, 20, 1, 0, 1, 0, {91, 95, 2}, 8, 3},
        {1, 20, 1, 0, 0, 0, {50, 0}, 0, 2},
        // One pair, one drawn, nothing suspected: the table alone.
        {1, 20, 1, 1, 0, 0, {50}, 2, 1},
        // Two pair and trips give up only against a pat hand.
        {2, 20, 1, 0, 1, 1, {50, 94}, 0, 2},
        {3, 20, 1, 0, 1, 0, {50, 95}, 5, 2},
        {2, 20, 1, 3, 0, 0, {50}, 5, 1},
        // Two pair and trips take the bluff call whatever pairSuspected says.
        {2, 20, 1, 3, 1, 0, {50, 79}, 10, 2},
        {3, 20, 1, 2, 1, 1, {0, 1, 79}, 10, 3},
        {2, 5, 1, 1, 1, 0, {0, 59}, 5, 2},
        {3, 5, 1, 1, 1, 0, {0, 60}, 4, 2},
        // Straights and flushes have no give-up check.
        {4, 20, 1, 0, 0, 0, {0}, 6, 1},
        {6, 32, 1, 2, 1, 1, {0, 1, 50}, 8, 3},
    });
}

TEST(ChooseBetAnswering, TableRowsAndBluffColumns) {
    CheckBets({
        // One pair.
        {1, 2, 1, 1, 1, 0, {99}, 2, 1},  // bluff call at once, no g
        {1, 2, 1, 1, 0, 0, {71}, 1, 1},
        {1, 3, 1, 1, 1, 0, {0, 49}, 3, 2},
        {1, 3, 1, 1, 1, 0, {0, 50}, 1, 2},
        {1, 5, 1, 1, 0, 0, {90}, 5, 1},
        {1, 8, 1, 1, 1, 0, {96, 29}, 8, 2},
        {1, 8, 1, 1, 1, 0, {96, 30}, 7, 2},  // money - 1
        {1, 11, 1, 1, 0, 0, {94}, 9, 1},
        {1, 12, 1, 1, 0, 0, {94, 3}, 9, 2},
        {1, 16, 1, 1, 0, 0, {29}, 1, 1},
        {1, 31, 1, 1, 1, 0, {0, 39}, 9, 2},  // 40 - money
        {1, 34, 1, 1, 1, 0, {95}, 5, 1},     // no bluff column: no g
        {1, 38, 1, 4, 0, 0, {69}, 1, 1},
        {1, 39, 1, 5, 1, 0, {0}, 1, 1},
        // Two pair, three of a kind.
        {2, 3, 1, 1, 1, 0, {0}, 3, 1},
        {3, 7, 1, 1, 0, 0, {70}, 6, 1},
        {2, 11, 1, 1, 0, 0, {80}, 9, 1},
        {3, 16, 1, 1, 0, 0, {85, 2}, 8, 2},
        {2, 25, 1, 1, 0, 0, {60, 4}, 10, 2},
        {3, 31, 1, 1, 0, 0, {0}, 6, 1},   // 37 - money
        {2, 35, 1, 1, 0, 0, {91}, 5, 1},  // 40 - money
        {3, 36, 1, 1, 1, 0, {0, 79}, 4, 2},
        {2, 36, 1, 1, 1, 0, {0, 80}, 2, 2},
        {2, 37, 1, 1, 1, 0, {51}, 3, 1},
        // Straight, royal straight, flush.
        {4, 3, 1, 0, 0, 0, {0}, 3, 1},
        {4, 6, 1, 0, 0, 0, {50}, 4, 1},  // stood pat, nothing suspected
        {5, 6, 1, 0, 1, 0, {50}, 6, 1},
        {6, 6, 1, 1, 0, 0, {50}, 6, 1},
        {5, 4, 1, 0, 0, 0, {50}, 3, 1},
        {4, 8, 1, 1, 0, 0, {0}, 4, 1},
        {4, 8, 1, 1, 0, 0, {45}, 3, 1},
        {4, 8, 1, 1, 0, 0, {55}, 6, 1},
        {4, 8, 1, 1, 1, 0, {99, 69}, 8, 2},
        {5, 29, 1, 1, 1, 0, {0, 89}, 10, 2},
        {5, 29, 1, 1, 1, 0, {0, 90}, 6, 2},
        {6, 30, 1, 1, 1, 0, {0, 79}, 10, 2},  // the odd g < 80 row
        {6, 30, 1, 1, 1, 0, {35, 80}, 7, 2},
        {4, 33, 1, 1, 0, 0, {0}, 5, 1},   // 38 - money
        {4, 33, 1, 1, 0, 0, {65}, 6, 1},  // 39 - money
        {6, 36, 1, 1, 1, 0, {0}, 4, 1},
    });
}

// Over every category, every amount of money and every draw that can change a
// decision, dealing bets 1..min(10, money, 40 - money), answering gives 0..11,
// and no call takes more than four draws.
TEST(ChooseBet, MoneyLimitsHoldForEveryRoll) {
    // Besides every roll e, these raw values reach both sides of every later
    // threshold (q < 3, p < 90, f < 95, g < 30..90) and every R value.
    const std::vector<int> later = {1,  2,  3,  29, 30, 39, 40, 49, 50, 59,
                                    60, 69, 70, 79, 80, 89, 90, 94, 95, 99};
    long long calls = 0;
    for (int category = 0; category <= 10; ++category) {
        for (int money = 1; money <= 39; ++money) {
            for (int dealer = 0; dealer <= 1; ++dealer) {
                for (int drawn = 0; drawn <= 5; ++drawn) {
                    for (int bluff = 0; bluff <= dealer; ++bluff) {
                        for (int kicker = 0; kicker <= 1; ++kicker) {
                            // Depth-first over the draws: a value is varied only
                            // when the call actually took that draw.
                            std::vector<int> script;
                            auto explore = [&](auto&& self) -> void {
                                const std::size_t known = script.size();
                                std::vector<int> padded = script;
                                padded.resize(6, 0);
                                int result = -1;
                                const long long taken = CountDrawsOf(padded, [&] {
                                    result = ChooseBet(static_cast<HandCategory>(category), money,
                                                       dealer, drawn, bluff, kicker);
                                });
                                ++calls;
                                if (taken > static_cast<long long>(known)) {
                                    const std::vector<int>& values =
                                        known == 0 ? std::vector<int>() : later;
                                    if (known == 0) {
                                        for (int e = 0; e < 100; ++e) {
                                            script.push_back(e);
                                            self(self);
                                            script.pop_back();
                                        }
                                    }
                                    for (int value : values) {
                                        script.push_back(value);
                                        self(self);
                                        script.pop_back();
                                    }
                                    return;
                                }
                                ASSERT_LE(taken, 4);
                                if (dealer == 0) {
                                    const int most = std::min({10, money, 40 - money});
                                    ASSERT_GE(result, 1) << category << " " << money;
                                    ASSERT_LE(result, most) << category << " " << money;
                                } else {
                                    ASSERT_GE(result, 0) << category << " " << money;
                                    ASSERT_LE(result, 11) << category << " " << money;
                                }
                            };
                            explore(explore);
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(calls, 1000000);
}

// The tables as written must cover every amount of money and every roll once.
TEST(BettingTables, RowsCoverEveryMoneyAndBandsEveryRoll) {
    auto checkBands = [](const BetBand* bands, const char* table, int row) {
        int next = 0;
        for (int k = 0; k < MaxBands && next <= 99; ++k) {
            EXPECT_EQ(bands[k].low, next) << table << " row " << row;
            EXPECT_GE(bands[k].high, bands[k].low) << table << " row " << row;
            next = bands[k].high + 1;
        }
        EXPECT_EQ(next, 100) << table << " row " << row;
    };
    auto checkDeal = [&](const DealTable& table, const char* name) {
        int next = 1;
        for (int k = 0; k < table.rowCount; ++k) {
            EXPECT_EQ(table.rows[k].moneyLow, next) << name;
            next = table.rows[k].moneyHigh + 1;
            checkBands(table.rows[k].bands, name, table.rows[k].moneyLow);
        }
        EXPECT_EQ(next, 40) << name;
    };
    auto checkAnswer = [&](const AnswerTable& table, const char* name) {
        int next = 1;
        for (int k = 0; k < table.rowCount; ++k) {
            EXPECT_EQ(table.rows[k].moneyLow, next) << name;
            next = table.rows[k].moneyHigh + 1;
            checkBands(table.rows[k].bands, name, table.rows[k].moneyLow);
        }
        EXPECT_EQ(next, 40) << name;
    };
    checkDeal(DealNoHandOrPair, "deal 0-1");
    checkDeal(DealTwoPairOrTrips, "deal 2-3");
    checkDeal(DealStraightOrFlush, "deal 4-6");
    checkDeal(DealFullHouse, "deal 7");
    checkDeal(DealFourOrBetter, "deal 8-10");
    checkAnswer(AnswerPair, "answer 1");
    checkAnswer(AnswerTwoPairOrTrips, "answer 2-3");
    checkAnswer(AnswerStraightOrFlush, "answer 4-6");
}

}  // namespace
