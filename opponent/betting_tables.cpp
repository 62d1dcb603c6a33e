// The betting tables as data, one row per range of the computer's money.
#include "opponent/betting_tables.h"

#include <iterator>

// Rows: {money from, money to, {{e from, e to, result}, ...}}.

namespace {

// One table row per line, as the rows are read and checked.
// clang-format off

// Dealing with no hand or one pair. Against a pat hand these first bet 2 most
// of the time (see ChooseBet).
const DealRow kDealNoHandOrPairRows[] = {
    {1, 1, {{0, 99, 1}}},
    {2, 3, {{0, 99, 2}}},
    {4, 5, {{0, 90, 2}, {91, 99, 3}}},
    {6, 7, {{0, 90, 2}, {91, 95, 3}, {96, 99, 4}}},
    {8, 10, {{0, 80, 2}, {81, 97, 3}, {98, 99, 5}}},
    {11, 11, {{0, 73, 2}, {74, 93, 3}, {94, 97, 4}, {98, 99, 6}}},
    {12, 13, {{0, 59, 2}, {60, 64, 3}, {65, 89, 4}, {90, 98, 5}, {99, 99, kR5}}},
    {14, 16, {{0, 65, 2}, {66, 71, 3}, {72, 94, 4}, {95, 97, 5}, {98, 99, kR5}}},
    {17, 19, {{0, 54, 2}, {55, 60, 3}, {61, 73, 4}, {74, 96, 5}, {97, 99, kR5}}},
    {20, 24, {{0, 59, 2}, {60, 64, 3}, {65, 79, 4}, {80, 94, 5}, {95, 99, kR5}}},
    {25, 26, {{0, 54, 2}, {55, 68, 3}, {69, 82, 4}, {83, 96, 5}, {97, 99, kR5}}},
    {27, 29, {{0, 56, 2}, {57, 60, 3}, {61, 84, 4}, {85, 98, 5}, {99, 99, kR5}}},
    {30, 30, {{0, 59, 2}, {60, 62, 3}, {63, 75, 4}, {76, 98, 5}, {99, 99, kR5}}},
    {31, 33, {{0, 50, 2}, {51, 73, 3}, {74, 86, 4}, {87, 99, 5}}},
    {34, 35, {{0, 69, 2}, {70, 84, 3}, {85, 94, 4}, {95, 99, 5}}},
    {36, 36, {{0, 89, 2}, {90, 94, 3}, {95, 99, 4}}},
    {37, 37, {{0, 94, 2}, {95, 99, 3}}},
    {38, 38, {{0, 99, 2}}},
    {39, 39, {{0, 99, 1}}},  // never looked up: at 39 the bet is 1 before any draw
};

// Dealing with two pair or three of a kind; the pat-hand rule comes first.
const DealRow kDealTwoPairOrTripsRows[] = {
    {1, 1, {{0, 99, 1}}},
    {2, 3, {{0, 99, 2}}},
    {4, 5, {{0, 80, 2}, {81, 99, 3}}},
    {6, 7, {{0, 70, 2}, {71, 80, 3}, {81, 99, 5}}},
    {8, 10, {{0, 70, 2}, {71, 80, 3}, {81, 99, 6}}},
    {11, 11, {{0, 70, 2}, {71, 80, 3}, {81, 90, 4}, {91, 99, 7}}},
    {12, 13, {{0, 79, 2}, {80, 82, 3}, {83, 94, 4}, {95, 96, 5}, {97, 99, kR5}}},
    {14, 16, {{0, 60, 2}, {61, 69, 3}, {70, 79, 4}, {80, 89, 5}, {90, 99, kR5}}},
    {17, 19, {{0, 70, 2}, {71, 84, 3}, {85, 90, 4}, {91, 93, 5}, {94, 99, kR5}}},
    {20, 24, {{0, 75, 2}, {76, 79, 3}, {80, 84, 4}, {85, 94, 5}, {95, 99, kR5}}},
    {25, 26, {{0, 84, 2}, {85, 88, 3}, {89, 92, 4}, {93, 96, 5}, {97, 99, kR5}}},
    {27, 29, {{0, 64, 2}, {65, 90, 3}, {91, 94, 4}, {95, 97, 5}, {98, 99, kR5}}},
    {30, 30, {{0, 69, 2}, {70, 92, 3}, {93, 95, 4}, {96, 97, 5}, {98, 99, kR5}}},
    {31, 33, {{0, 69, 2}, {70, 93, 3}, {94, 96, 4}, {97, 99, 38 - kMoney}}},
    {34, 35, {{0, 79, 2}, {80, 89, 3}, {90, 96, 4}, {97, 99, 5}}},
    {36, 36, {{0, 89, 2}, {90, 94, 3}, {95, 99, 4}}},
    {37, 37, {{0, 94, 2}, {95, 99, 3}}},
    {38, 38, {{0, 99, 2}}},
    {39, 39, {{0, 99, 1}}},  // never looked up: at 39 the bet is 1 before any draw
};

// Dealing with a straight, royal straight or flush. In rows 4-5 to 14-16 the
// second band bets less than the first: the odd small bet is meant to mislead.
const DealRow kDealStraightOrFlushRows[] = {
    {1, 1, {{0, 99, 1}}},
    {2, 3, {{0, 99, 2}}},
    {4, 5, {{0, 79, 3}, {80, 94, 2}, {95, 99, 4}}},
    {6, 7, {{0, 69, 3}, {70, 94, 2}, {95, 99, 4}}},
    {8, 10, {{0, 69, 3}, {70, 94, 2}, {95, 97, 3}, {98, 99, 4}}},
    {11, 11, {{0, 69, 4}, {70, 93, 2}, {94, 96, 3}, {97, 98, 4}, {99, 99, 5}}},
    {12, 13, {{0, 59, 4}, {60, 89, 2}, {90, 94, 3}, {95, 96, 4}, {97, 98, 5}, {99, 99, kR5}}},
    {14, 16, {{0, 59, 5}, {60, 85, 2}, {86, 91, 3}, {92, 94, 4}, {95, 97, 5}, {98, 99, kR5}}},
    {17, 19, {{0, 84, 5}, {85, 90, 3}, {91, 93, 4}, {94, 96, 5}, {97, 99, kR5}}},
    {20, 24, {{0, 79, 6}, {80, 84, 3}, {85, 89, 4}, {90, 94, 5}, {95, 99, kR5}}},
    {25, 26, {{0, 84, 6}, {85, 88, 3}, {89, 92, 4}, {93, 96, 5}, {97, 99, kR5}}},
    {27, 29, {{0, 90, 6}, {91, 94, 4}, {95, 98, 5}, {99, 99, kR5}}},
    {30, 30, {{0, 92, 6}, {93, 95, 4}, {96, 98, 5}, {99, 99, kR5}}},
    {31, 33, {{0, 93, 7}, {94, 96, 4}, {97, 99, 5}}},
    {34, 35, {{0, 89, 5}, {90, 94, 3}, {95, 97, 4}, {98, 99, 5}}},
    {36, 36, {{0, 89, 4}, {90, 94, 3}, {95, 99, 4}}},
    {37, 37, {{0, 99, 3}}},
    {38, 38, {{0, 99, 2}}},
    {39, 39, {{0, 99, 1}}},  // never looked up: at 39 the bet is 1 before any draw
};

// Dealing with a full house. Row 31-33 ends in a bet of 2 on purpose.
const DealRow kDealFullHouseRows[] = {
    {1, 1, {{0, 99, 1}}},
    {2, 2, {{0, 99, 2}}},
    {3, 3, {{0, 94, 2}, {95, 99, 3}}},
    {4, 5, {{0, 94, 3}, {95, 99, 4}}},
    {6, 7, {{0, 69, 3}, {70, 94, 4}, {95, 99, 5}}},
    {8, 10, {{0, 94, 4}, {95, 97, 5}, {98, 99, 6}}},
    {11, 11, {{0, 69, 4}, {70, 98, 5}, {99, 99, 6}}},
    {12, 13, {{0, 59, 4}, {60, 79, 5}, {80, 99, kR5}}},
    {14, 16, {{0, 59, 4}, {60, 84, 5}, {85, 99, kR5}}},
    {17, 19, {{0, 84, 5}, {85, 96, 6}, {97, 99, kR4}}},
    {20, 24, {{0, 79, 6}, {80, 84, 5}, {85, 89, 6}, {90, 94, 7}, {95, 99, kR4}}},
    {25, 26, {{0, 84, 6}, {85, 88, 5}, {89, 92, 6}, {93, 96, 7}, {97, 99, kR4}}},
    {27, 29, {{0, 90, 6}, {91, 94, 7}, {95, 98, 8}, {99, 99, kR3}}},
    {30, 30, {{0, 92, 6}, {93, 95, 7}, {96, 98, 8}, {99, 99, kR3}}},
    {31, 33, {{0, 93, 7}, {94, 96, 4}, {97, 99, 2}}},
    {34, 35, {{0, 89, 5}, {90, 94, 3}, {95, 97, 4}, {98, 99, 5}}},
    {36, 36, {{0, 89, 4}, {90, 94, 3}, {95, 99, 4}}},
    {37, 37, {{0, 99, 3}}},
    {38, 38, {{0, 99, 2}}},
    {39, 39, {{0, 99, 1}}},  // never looked up: at 39 the bet is 1 before any draw
};

// Dealing with four of a kind or a straight flush: the roll is drawn but unused.
const DealRow kDealFourOrBetterRows[] = {
    {1, 4, {{0, 99, kMoney}}},
    {5, 9, {{0, 99, kMoney - 1}}},
    {10, 30, {{0, 99, kR4}}},
    {31, 38, {{0, 99, 40 - kMoney}}},
    {39, 39, {{0, 99, 1}}},  // never looked up: at 39 the bet is 1 before any draw
};

// Answer rows: {money from, money to, bluff call, {{e from, e to, limit}, ...}}.
// The bluff call {X, V} draws g and gives V when g < X; kNoBluffCall takes no
// draw; CallAtOnce(V) gives V without a draw.

// Answering with one pair; the give-up check comes first where it applies.
const AnswerRow kAnswerPairRows[] = {
    {1, 1, kNoBluffCall, {{0, 99, 1}}},  // never looked up: with 1 dollar the limit is 1 before any draw
    {2, 2, CallAtOnce(2), {{0, 70, 2}, {71, 99, 1}}},
    {3, 3, {50, 3}, {{0, 40, 1}, {41, 70, 2}, {71, 99, 3}}},
    {4, 5, {50, kMoney}, {{0, 39, 1}, {40, 69, 2}, {70, 89, 3}, {90, 99, kMoney}}},
    {6, 7, {50, kMoney}, {{0, 69, 3}, {70, 90, 4}, {91, 96, 5}, {97, 99, kMoney}}},
    {8, 10, {30, kMoney}, {{0, 69, 2}, {70, 94, 4}, {95, 97, kMoney - 1}, {98, 99, kMoney}}},
    {11, 11, {40, 10}, {{0, 69, 2}, {70, 93, 5}, {94, 98, 9}, {99, 99, 10}}},
    {12, 13, {40, 10}, {{0, 59, 2}, {60, 89, 3}, {90, 93, 4}, {94, 98, kR5}, {99, 99, 10}}},
    {14, 16, {40, 10}, {{0, 29, 1}, {30, 49, 2}, {50, 69, 3}, {70, 89, 4}, {90, 94, 5}, {95, 99, kR5}}},
    {17, 19, {40, 10}, {{0, 60, 2}, {61, 70, 3}, {71, 80, 4}, {81, 90, 5}, {91, 99, kR5}}},
    {20, 24, {40, 10}, {{0, 69, 2}, {70, 80, 3}, {81, 84, 4}, {85, 90, 5}, {91, 99, kR5}}},
    {25, 26, {40, 10}, {{0, 34, 1}, {35, 84, 2}, {85, 88, 3}, {89, 92, 4}, {93, 96, 5}, {97, 99, kR5}}},
    {27, 29, {40, 10}, {{0, 24, 1}, {25, 86, 2}, {87, 90, 3}, {91, 94, 4}, {95, 98, 5}, {99, 99, kR5}}},
    {30, 30, {40, 10}, {{0, 29, 1}, {30, 89, 2}, {90, 92, 3}, {93, 95, 4}, {96, 98, 5}, {99, 99, kR5}}},
    {31, 33, {40, 40 - kMoney}, {{0, 19, 1}, {20, 75, 2}, {76, 80, 3}, {81, 90, 4}, {91, 99, kR5}}},
    {34, 35, kNoBluffCall, {{0, 9, 1}, {10, 59, 2}, {60, 69, 3}, {70, 79, 4}, {80, 99, 5}}},
    {36, 36, kNoBluffCall, {{0, 79, 2}, {80, 99, 4}}},
    {37, 37, kNoBluffCall, {{0, 79, 2}, {80, 99, 3}}},
    {38, 38, kNoBluffCall, {{0, 69, 1}, {70, 99, 2}}},
    {39, 39, kNoBluffCall, {{0, 99, 1}}},
};

// Answering with two pair or three of a kind.
const AnswerRow kAnswerTwoPairOrTripsRows[] = {
    {1, 1, kNoBluffCall, {{0, 99, 1}}},  // never looked up: with 1 dollar the limit is 1 before any draw
    {2, 2, kNoBluffCall, {{0, 99, 2}}},
    {3, 3, kNoBluffCall, {{0, 99, 3}}},
    {4, 5, {60, kMoney}, {{0, 99, 4}}},
    {6, 7, {60, kMoney}, {{0, 39, 3}, {40, 59, 4}, {60, 69, 5}, {70, 90, kMoney - 1}, {91, 99, kMoney}}},
    {8, 10, {60, kMoney}, {{0, 39, 4}, {40, 59, 5}, {60, 69, 6}, {70, 90, kMoney - 1}, {91, 99, kMoney}}},
    {11, 11, {60, 10}, {{0, 39, 4}, {40, 49, 5}, {50, 59, 6}, {60, 69, 7}, {70, 79, 8}, {80, 90, 9}, {91, 99, 10}}},
    {12, 13, {60, 10}, {{0, 59, 4}, {60, 69, 5}, {70, 90, kR5}, {91, 99, 10}}},
    {14, 16, {60, 10}, {{0, 39, 4}, {40, 79, 5}, {80, 90, kR5}, {91, 99, 10}}},
    {17, 24, {80, 10}, {{0, 39, 4}, {40, 59, 5}, {60, 90, kR5}, {91, 99, 10}}},
    {25, 26, {80, 10}, {{0, 35, 5}, {36, 59, 6}, {60, 99, kR5}}},
    {27, 30, {80, 10}, {{0, 30, 5}, {31, 60, 6}, {61, 99, kR5}}},
    {31, 35, {80, 40 - kMoney}, {{0, 69, 37 - kMoney}, {70, 79, 38 - kMoney}, {80, 90, 39 - kMoney}, {91, 99, 40 - kMoney}}},
    {36, 36, {80, 4}, {{0, 30, 2}, {31, 40, 3}, {41, 99, 4}}},
    {37, 37, kNoBluffCall, {{0, 50, 2}, {51, 99, 3}}},
    {38, 38, kNoBluffCall, {{0, 99, 2}}},
    {39, 39, kNoBluffCall, {{0, 99, 1}}},
};

// Answering with a straight, royal straight or flush. Row 30 calls a bluff on
// g < 80 between rows of g < 90, on purpose.
const AnswerRow kAnswerStraightOrFlushRows[] = {
    {1, 1, kNoBluffCall, {{0, 99, 1}}},  // never looked up: with 1 dollar the limit is 1 before any draw
    {2, 3, kNoBluffCall, {{0, 99, kMoney}}},
    {4, 5, kNoBluffCall, {{0, 99, ButWhenQuietPat(kMoney, kMoney - 1)}}},
    {6, 7, kNoBluffCall, {{0, 99, ButWhenQuietPat(kMoney, kMoney - 2)}}},
    {8, 10, {70, kMoney}, {{0, 39, kMoney - 4}, {40, 49, 3}, {50, 60, kMoney - 2}, {61, 70, kMoney - 1}, {71, 99, kMoney}}},
    {11, 24, {90, 10}, {{0, 40, 6}, {41, 50, 5}, {51, 60, 8}, {61, 70, 9}, {71, 99, 10}}},
    {25, 29, {90, 10}, {{0, 30, 6}, {31, 40, 5}, {41, 50, 8}, {51, 60, 9}, {61, 99, 10}}},
    {30, 30, {80, 10}, {{0, 20, 6}, {21, 30, 5}, {31, 40, 7}, {41, 50, 8}, {51, 60, 9}, {61, 99, 10}}},
    {31, 35, {90, 40 - kMoney}, {{0, 40, 38 - kMoney}, {41, 50, 5}, {51, 60, 38 - kMoney}, {61, 70, 39 - kMoney}, {71, 99, 40 - kMoney}}},
    {36, 36, kNoBluffCall, {{0, 99, 4}}},
    {37, 37, kNoBluffCall, {{0, 99, 3}}},
    {38, 38, kNoBluffCall, {{0, 99, 2}}},
    {39, 39, kNoBluffCall, {{0, 99, 1}}},
};

// clang-format on

}  // namespace

const DealTable kDealNoHandOrPair = {kDealNoHandOrPairRows, int(std::size(kDealNoHandOrPairRows))};
const DealTable kDealTwoPairOrTrips = {kDealTwoPairOrTripsRows,
                                       int(std::size(kDealTwoPairOrTripsRows))};
const DealTable kDealStraightOrFlush = {kDealStraightOrFlushRows,
                                        int(std::size(kDealStraightOrFlushRows))};
const DealTable kDealFullHouse = {kDealFullHouseRows, int(std::size(kDealFullHouseRows))};
const DealTable kDealFourOrBetter = {kDealFourOrBetterRows, int(std::size(kDealFourOrBetterRows))};
const AnswerTable kAnswerPair = {kAnswerPairRows, int(std::size(kAnswerPairRows))};
const AnswerTable kAnswerTwoPairOrTrips = {kAnswerTwoPairOrTripsRows,
                                           int(std::size(kAnswerTwoPairOrTripsRows))};
const AnswerTable kAnswerStraightOrFlush = {kAnswerStraightOrFlushRows,
                                            int(std::size(kAnswerStraightOrFlushRows))};
