// The betting tables as data: one row per range of the computer's money,
// each row a list of bands of the roll e (0..99).
#pragma once

// One cell: a fixed amount, an amount counted from the money ("money - 1",
// "40 - money"), or a last draw R5, R4, R3 (rand() % n + 11 - n: 6..10, 7..10,
// 8..10).
struct BetCell {
    int constant = 0;
    int moneyFactor = 0;
    // Taken off when the player stood pat and no bluff is suspected.
    int quietPatCut = 0;
    int draw = 0;

    constexpr BetCell() = default;
    constexpr BetCell(int value) : constant(value) {}
    constexpr BetCell(int constantPart, int moneyPart, int cut, int drawModulus)
        : constant(constantPart), moneyFactor(moneyPart), quietPatCut(cut), draw(drawModulus) {}
};

constexpr BetCell Money{0, 1, 0, 0};
constexpr BetCell R5{0, 0, 0, 5};
constexpr BetCell R4{0, 0, 0, 4};
constexpr BetCell R3{0, 0, 0, 3};

// Money - 1 reads "money - 1"; 40 - Money reads "40 - money".
constexpr BetCell operator-(BetCell cell, int amount) {
    return {cell.constant - amount, cell.moneyFactor, cell.quietPatCut, cell.draw};
}
constexpr BetCell operator-(int amount, BetCell cell) {
    return {amount - cell.constant, -cell.moneyFactor, cell.quietPatCut, cell.draw};
}

// "usual; but quiet when the player stood pat and no bluff is suspected".
// Both amounts count from the money in the same way.
constexpr BetCell ButWhenQuietPat(BetCell usual, BetCell quiet) {
    return {usual.constant, usual.moneyFactor, usual.constant - quiet.constant, 0};
}

// e from low to high inclusive gives cell.
struct BetBand {
    int low = 0;
    int high = 0;
    BetCell cell;
};

constexpr int MaxBands = 7;

struct DealRow {
    int moneyLow;
    int moneyHigh;
    BetBand bands[MaxBands];
};

// The bluff call of an answer row: draw g and give `cell` when g < below.
struct BluffCall {
    int below;
    BetCell cell;
};
constexpr int CallWithoutDraw = -1;  // give `cell` without a draw
constexpr BluffCall NoBluffCall{0, 0};
constexpr BluffCall CallAtOnce(BetCell cell) { return {CallWithoutDraw, cell}; }

struct AnswerRow {
    int moneyLow;
    int moneyHigh;
    BluffCall bluffCall;
    BetBand bands[MaxBands];
};

struct DealTable {
    const DealRow* rows;
    int rowCount;
};

struct AnswerTable {
    const AnswerRow* rows;
    int rowCount;
};

// Dealing, by hand category.
extern const DealTable DealNoHandOrPair;     // 0 and 1
extern const DealTable DealTwoPairOrTrips;   // 2 and 3
extern const DealTable DealStraightOrFlush;  // 4, 5 and 6
extern const DealTable DealFullHouse;        // 7
extern const DealTable DealFourOrBetter;     // 8, 9 and 10: a single band per row

// Answering, by hand category (no hand folds at once, full house and better call
// everything).
extern const AnswerTable AnswerPair;             // 1
extern const AnswerTable AnswerTwoPairOrTrips;   // 2 and 3
extern const AnswerTable AnswerStraightOrFlush;  // 4, 5 and 6
