// The betting tables as data, one row per range of the computer's money.
#include "opponent/betting_tables.h"

#include <iterator>

// Rows: {money from, money to, {{e from, e to, result}, ...}}.

namespace {

// One table row per line, as the rows are read and checked.
// clang-format off

// Dealing with no hand or one pair. Against a pat hand these first bet 2 most
// of the time (see ChooseBet).
const DealRow DealNoHandOrPairRows[] = {
    {1, 1, {{0, 99, 1}}},
    {2, 3, {{0, 99, 2}}},
    {4, 5, {{0, 90, 2}, {91, 99, 3}}},
    {6, 7, {{0, 90, 2}, {91, 95, 3}, {96, 99, 4}}},
    {8, 10, {{0, 80, 2}, {81, 97, 3}, {98, 99, 5}}},
    {11, 11, {{0, 73, 2}, {74, 93, 3}, {94, 97, 4}, {98, 99, 6}}},
    {12, 13, {{0, 59, 2}, {60, 64, 3}, {65, 89, 4}, {90, 98, 5}, {99, 99, R5}}},
    {14, 16, {{0, 65, 2}, {66, 71, 3}, {72, 94, 4}, {95, 97, 5}, {98, 99, R5}}},
    {17, 19, {{0, 54, 2}, {55, 60, 3}, {61, 73, 4}, {74, 96, 5}, {97, 99, R5}}},
    {20, 24, {{0, 59, 2}, {60, 64, 3}, {65, 79, 4}, {80, 94, 5}, {95, 99, R5}}},
    {25, 26, {{0, 54, 2}, {55, 68, 3}, {69, 82, 4}, {83, 96, 5}, {97, 99, R5}}},
    {27, 29, {{0, 56, 2}, {57, 60, 3}, {61, 84, 4}, {85, 98, 5}, {99, 99, R5}}},
    {30, 30, {{0, 59, 2}, {60, 62, 3}, {63, 75, 4}, {76, 98, 5}, {99, 99, R5}}},
    {31, 33, {{0, 50, 2}, {51, 73, 3}, {74, 86, 4}, {87, 99, 5}}},
    {34, 35, {{0, 69, 2}, {70, 84, 3}, {85, 94, 4}, {95, 99, 5}}},
    {36, 36, {{0, 89, 2}, {90, 94, 3}, {95, 99, 4}}},
    {37, 37, {{0, 94, 2}, {95, 99, 3}}},
    {38, 38, {{0, 99, 2}}},
    {39, 39, {{0, 99, 1}}},  // never looked up: at 39 the bet is 1 before any draw
};

// Dealing with two pair or three of a kind; the pat-hand rule comes first.
const DealRow DealTwoPairOrTripsRows[] = {
    {1, 1, {{0, 99, 1}}},
    {2, 3, {{0, 99, 2}}},
    {4, 5, {{0, 80, 2}, {81, 99, 3}}},
    {6, 7, {{0, 70, 2}, {71, 80, 3}, {81, 99, 5}}},
    {8, 10, {{0, 70, 2}, {71, 80, 3}, {81, 99, 6}}},
    {11, 11, {{0, 70, 2}, {71, 80, 3}, {81, 90, 4}, {91, 99, 7}}},
    {12, 13, {{0, 79, 2}, {80, 82, 3}, {83, 94, 4}, {95, 96, 5}, {97, 99, R5}}},
    {14, 16, {{0, 60, 2}, {61, 69, 3}, {70, 79, 4}, {80, 89, 5}, {90, 99, R5}}},
    {17, 19, {{0, 70, 2}, {71, 84, 3}, {85, 90, 4}, {91, 93, 5}, {94, 99, R5}}},
    {20, 24, {{0, 75, 2}, {76, 79, 3}, {80, 84, 4}, {85, 94, 5}, {95, 99, R5}}},
    {25, 26, {{0, 84, 2}, {85, 88, 3}, {89, 92, 4}, {93, 96, 5}, {97, 99, R5}}},
    {27, 29, {{0, 64, 2}, {65, 90, 3}, {91, 94, 4}, {95, 97, 5}, {98, 99, R5}}},
    {30, 30, {{0, 69, 2}, {70, 92, 3}, {93, 95, 4}, {96, 97, 5}, {98, 99, R5}}},
    {31, 33, {{0, 69, 2}, {70, 93, 3}, {94, 96, 4}, {97, 99, 38 - Money}}},
    {34, 35, {{0, 79, 2}, {80, 89, 3}, {90, 96, 4}, {97, 99, 5}}},
    {36, 36, {{0, 89, 2}, {90, 94, 3}, {95, 99, 4}}},
    {37, 37, {{0, 94, 2}, {95, 99, 3}}},
    {38, 38, {{0, 99, 2}}},
    {39, 39, {{0, 99, 1}}},  // never looked up: at 39 the bet is 1 before any draw
};

// Dealing with a straight, royal straight or flush. In rows 4-5 to 14-16 the
// second band bets less than the first: the odd small bet is meant to mislead.
const DealRow DealStraightOrFlushRows[] = {
    {1, 1, {{0, 99, 1}}},
    {2, 3, {{0, 99, 2}}},
    {4, 5, {{0, 79, 3}, {80, 94, 2}, {95, 99, 4}}},
    {6, 7, {{0, 69, 3}, {70, 94, 2}, {95, 99, 4}}},
    {8, 10, {{0, 69, 3}, {70, 94, 2}, {95, 97, 3}, {98, 99, 4}}},
    {11, 11, {{0, 69, 4}, {70, 93, 2}, {94, 96, 3}, {97, 98, 4}, {99, 99, 5}}},
    {12, 13, {{0, 59, 4}, {60, 89, 2}, {90, 94, 3}, {95, 96, 4}, {97, 98, 5}, {99, 99, R5}}},
    {14, 16, {{0, 59, 5}, {60, 85, 2}, {86, 91, 3}, {92, 94, 4}, {95, 97, 5}, {98, 99, R5}}},
    {17, 19, {{0, 84, 5}, {85, 90, 3}, {91, 93, 4}, {94, 96, 5}, {97, 99, R5}}},
    {20, 24, {{0, 79, 6}, {80, 84, 3}, {85, 89, 4}, {90, 94, 5}, {95, 99, R5}}},
    {25, 26, {{0, 84, 6}, {85, 88, 3}, {89, 92, 4}, {93, 96, 5}, {97, 99, R5}}},
    {27, 29, {{0, 90, 6}, {91, 94, 4}, {95, 98, 5}, {99, 99, R5}}},
    {30, 30, {{0, 92, 6}, {93, 95, 4}, {96, 98, 5}, {99, 99, R5}}},
    {31, 33, {{0, 93, 7}, {94, 96, 4}, {97, 99, 5}}},
    {34, 35, {{0, 89, 5}, {90, 94, 3}, {95, 97, 4}, {98, 99, 5}}},
    {36, 36, {{0, 89, 4}, {90, 94, 3}, {95, 99, 4}}},
    {37, 37, {{0, 99, 3}}},
    {38, 38, {{0, 99, 2}}},
    {39, 39, {{0, 99, 1}}},  // never looked up: at 39 the bet is 1 before any draw
};

// Dealing with a full house. Row 31-33 ends in a bet of 2 on purpose.
const DealRow DealFullHouseRows[] = {
    {1, 1, {{0, 99, 1}}},
    {2, 2, {{0, 99, 2}}},
    {3, 3, {{0, 94, 2}, {95, 99, 3}}},
    {4, 5, {{0, 94, 3}, {95, 99, 4}}},
    {6, 7, {{0, 69, 3}, {70, 94, 4}, {95, 99, 5}}},
    {8, 10, {{0, 94, 4}, {95, 97, 5}, {98, 99, 6}}},
    {11, 11, {{0, 69, 4}, {70, 98, 5}, {99, 99, 6}}},
    {12, 13, {{0, 59, 4}, {60, 79, 5}, {80, 99, R5}}},
    {14, 16, {{0, 59, 4}, {60, 84, 5}, {85, 99, R5}}},
    {17, 19, {{0, 84, 5}, {85, 96, 6}, {97, 99, R4}}},
    {20, 24, {{0, 79, 6}, {80, 84, 5}, {85, 89, 6}, {90, 94, 7}, {95, 99, R4}}},
    {25, 26, {{0, 84, 6}, {85, 88, 5}, {89, 92, 6}, {93, 96, 7}, {97, 99, R4}}},
    {27, 29, {{0, 90, 6}, {91, 94, 7}, {95, 98, 8}, {99, 99, R3}}},
    {30, 30, {{0, 92, 6}, {93, 95, 7}, {96, 98, 8}, {99, 99, R3}}},
    {31, 33, {{0, 93, 7}, {94, 96, 4}, {97, 99, 2}}},
    {34, 35, {{0, 89, 5}, {90, 94, 3}, {95, 97, 4}, {98, 99, 5}}},
    {36, 36, {{0, 89, 4}, {90, 94, 3}, {95, 99, 4}}},
    {37, 37, {{0, 99, 3}}},
    {38, 38, {{0, 99, 2}}},
    {39, 39, {{0, 99, 1}}},  // never looked up: at 39 the bet is 1 before any draw
};

// Dealing with four of a kind or a straight flush: the roll is drawn but unused.
const DealRow DealFourOrBetterRows[] = {
    {1, 4, {{0, 99, Money}}},
    {5, 9, {{0, 99, Money - 1}}},
    {10, 30, {{0, 99, R4}}},
    {31, 38, {{0, 99, 40 - Money}}},
    {39, 39, {{0, 99, 1}}},  // never looked up: at 39 the bet is 1 before any draw
};

// Answer rows: {money from, money to, bluff call, {{e from, e to, limit}, ...}}.
// The bluff call {X, V} draws g and gives V when g < X; NoBluffCall takes no
// draw; CallAtOnce(V) gives V without a draw.

// Answering with one pair; the give-up check comes first where it applies.
const AnswerRow AnswerPairRows[] = {
    {1, 1, NoBluffCall, {{0, 99, 1}}},  // never looked up: with 1 dollar the limit is 1 before any draw
    {2, 2, CallAtOnce(2), {{0, 70, 2}, {71, 99, 1}}},
    {3, 3, {50, 3}, {{0, 40, 1}, {41, 70, 2}, {71, 99, 3}}},
    {4, 5, {50, Money}, {{0, 39, 1}, {40, 69, 2}, {70, 89, 3}, {90, 99, Money}}},
    {6, 7, {50, Money}, {{0, 69, 3}, {70, 90, 4}, {91, 96, 5}, {97, 99, Money}}},
    {8, 10, {30, Money}, {{0, 69, 2}, {70, 94, 4}, {95, 97, Money - 1}, {98, 99, Money}}},
    {11, 11, {40, 10}, {{0, 69, 2}, {70, 93, 5}, {94, 98, 9}, {99, 99, 10}}},
    {12, 13, {40, 10}, {{0, 59, 2}, {60, 89, 3}, {90, 93, 4}, {94, 98, R5}, {99, 99, 10}}},
    {14, 16, {40, 10}, {{0, 29, 1}, {30, 49, 2}, {50, 69, 3}, {70, 89, 4}, {90, 94, 5}, {95, 99, R5}}},
    {17, 19, {40, 10}, {{0, 60, 2}, {61, 70, 3}, {71, 80, 4}, {81, 90, 5}, {91, 99, R5}}},
    {20, 24, {40, 10}, {{0, 69, 2}, {70, 80, 3}, {81, 84, 4}, {85, 90, 5}, {91, 99, R5}}},
    {25, 26, {40, 10}, {{0, 34, 1}, {35, 84, 2}, {85, 88, 3}, {89, 92, 4}, {93, 96, 5}, {97, 99, R5}}},
    {27, 29, {40, 10}, {{0, 24, 1}, {25, 86, 2}, {87, 90, 3}, {91, 94, 4}, {95, 98, 5}, {99, 99, R5}}},
    {30, 30, {40, 10}, {{0, 29, 1}, {30, 89, 2}, {90, 92, 3}, {93, 95, 4}, {96, 98, 5}, {99, 99, R5}}},
    {31, 33, {40, 40 - Money}, {{0, 19, 1}, {20, 75, 2}, {76, 80, 3}, {81, 90, 4}, {91, 99, R5}}},
    {34, 35, NoBluffCall, {{0, 9, 1}, {10, 59, 2}, {60, 69, 3}, {70, 79, 4}, {80, 99, 5}}},
    {36, 36, NoBluffCall, {{0, 79, 2}, {80, 99, 4}}},
    {37, 37, NoBluffCall, {{0, 79, 2}, {80, 99, 3}}},
    {38, 38, NoBluffCall, {{0, 69, 1}, {70, 99, 2}}},
    {39, 39, NoBluffCall, {{0, 99, 1}}},
};

// Answering with two pair or three of a kind.
const AnswerRow AnswerTwoPairOrTripsRows[] = {
    {1, 1, NoBluffCall, {{0, 99, 1}}},  // never looked up: with 1 dollar the limit is 1 before any draw
    {2, 2, NoBluffCall, {{0, 99, 2}}},
    {3, 3, NoBluffCall, {{0, 99, 3}}},
    {4, 5, {60, Money}, {{0, 99, 4}}},
    {6, 7, {60, Money}, {{0, 39, 3}, {40, 59, 4}, {60, 69, 5}, {70, 90, Money - 1}, {91, 99, Money}}},
    {8, 10, {60, Money}, {{0, 39, 4}, {40, 59, 5}, {60, 69, 6}, {70, 90, Money - 1}, {91, 99, Money}}},
    {11, 11, {60, 10}, {{0, 39, 4}, {40, 49, 5}, {50, 59, 6}, {60, 69, 7}, {70, 79, 8}, {80, 90, 9}, {91, 99, 10}}},
    {12, 13, {60, 10}, {{0, 59, 4}, {60, 69, 5}, {70, 90, R5}, {91, 99, 10}}},
    {14, 16, {60, 10}, {{0, 39, 4}, {40, 79, 5}, {80, 90, R5}, {91, 99, 10}}},
    {17, 24, {80, 10}, {{0, 39, 4}, {40, 59, 5}, {60, 90, R5}, {91, 99, 10}}},
    {25, 26, {80, 10}, {{0, 35, 5}, {36, 59, 6}, {60, 99, R5}}},
    {27, 30, {80, 10}, {{0, 30, 5}, {31, 60, 6}, {61, 99, R5}}},
    {31, 35, {80, 40 - Money}, {{0, 69, 37 - Money}, {70, 79, 38 - Money}, {80, 90, 39 - Money}, {91, 99, 40 - Money}}},
    {36, 36, {80, 4}, {{0, 30, 2}, {31, 40, 3}, {41, 99, 4}}},
    {37, 37, NoBluffCall, {{0, 50, 2}, {51, 99, 3}}},
    {38, 38, NoBluffCall, {{0, 99, 2}}},
    {39, 39, NoBluffCall, {{0, 99, 1}}},
};

// Answering with a straight, royal straight or flush. Row 30 calls a bluff on
// g < 80 between rows of g < 90, on purpose.
const AnswerRow AnswerStraightOrFlushRows[] = {
    {1, 1, NoBluffCall, {{0, 99, 1}}},  // never looked up: with 1 dollar the limit is 1 before any draw
    {2, 3, NoBluffCall, {{0, 99, Money}}},
    {4, 5, NoBluffCall, {{0, 99, ButWhenQuietPat(Money, Money - 1)}}},
    {6, 7, NoBluffCall, {{0, 99, ButWhenQuietPat(Money, Money - 2)}}},
    {8, 10, {70, Money}, {{0, 39, Money - 4}, {40, 49, 3}, {50, 60, Money - 2}, {61, 70, Money - 1}, {71, 99, Money}}},
    {11, 24, {90, 10}, {{0, 40, 6}, {41, 50, 5}, {51, 60, 8}, {61, 70, 9}, {71, 99, 10}}},
    {25, 29, {90, 10}, {{0, 30, 6}, {31, 40, 5}, {41, 50, 8}, {51, 60, 9}, {61, 99, 10}}},
    {30, 30, {80, 10}, {{0, 20, 6}, {21, 30, 5}, {31, 40, 7}, {41, 50, 8}, {51, 60, 9}, {61, 99, 10}}},
    {31, 35, {90, 40 - Money}, {{0, 40, 38 - Money}, {41, 50, 5}, {51, 60, 38 - Money}, {61, 70, 39 - Money}, {71, 99, 40 - Money}}},
    {36, 36, NoBluffCall, {{0, 99, 4}}},
    {37, 37, NoBluffCall, {{0, 99, 3}}},
    {38, 38, NoBluffCall, {{0, 99, 2}}},
    {39, 39, NoBluffCall, {{0, 99, 1}}},
};

// clang-format on

}  // namespace

const DealTable DealNoHandOrPair = {DealNoHandOrPairRows, int(std::size(DealNoHandOrPairRows))};
const DealTable DealTwoPairOrTrips = {DealTwoPairOrTripsRows,
                                      int(std::size(DealTwoPairOrTripsRows))};
const DealTable DealStraightOrFlush = {DealStraightOrFlushRows,
                                       int(std::size(DealStraightOrFlushRows))};
const DealTable DealFullHouse = {DealFullHouseRows, int(std::size(DealFullHouseRows))};
const DealTable DealFourOrBetter = {DealFourOrBetterRows, int(std::size(DealFourOrBetterRows))};
const AnswerTable AnswerPair = {AnswerPairRows, int(std::size(AnswerPairRows))};
const AnswerTable AnswerTwoPairOrTrips = {AnswerTwoPairOrTripsRows,
                                          int(std::size(AnswerTwoPairOrTripsRows))};
const AnswerTable AnswerStraightOrFlush = {AnswerStraightOrFlushRows,
                                           int(std::size(AnswerStraightOrFlushRows))};
