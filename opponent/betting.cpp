// The computer's bets as dealer and its call limits when the player deals.
#include "cards/random.h"
#include "opponent/betting_tables.h"
#include "opponent/opponent.h"

namespace {

int DrawPercent() { return DrawRandom() % 100; }

// What a cell of the tables says, for this call. An R cell takes the call's
// last draw.
int CellValue(const BetCell& cell, int money, int playerDrawCount, int bluffSuspected) {
    if (cell.draw > 0) return DrawRandom() % cell.draw + (11 - cell.draw);
    int value = cell.constant + cell.moneyFactor * money;
    if (playerDrawCount == 0 && bluffSuspected == 0) value -= cell.quietPatCut;
    return value;
}

const BetBand& FindBand(const BetBand* bands, int e) {
    int k = 0;
    while (bands[k].high < e) ++k;
    return bands[k];
}

template <typename Table>
const auto& FindRow(const Table& table, int money) {
    int k = 0;
    while (k + 1 < table.rowCount && table.rows[k].moneyHigh < money) ++k;
    return table.rows[k];
}

int ChooseDealerBet(HandCategory category, int money, int playerDrawCount) {
    if (money == 39) return 1;
    const int e = DrawPercent();
    // Against a pat hand the weak hands bet small; now and then they bet on.
    if (category <= ThreeOfAKind && playerDrawCount == 0) {
        if (money <= 2) return 1;
        if (DrawPercent() < 90) return 2;
    }
    const DealRow& row = category <= OnePair        ? FindRow(DealNoHandOrPair, money)
                         : category <= ThreeOfAKind ? FindRow(DealTwoPairOrTrips, money)
                         : category <= Flush        ? FindRow(DealStraightOrFlush, money)
                         : category == FullHouse    ? FindRow(DealFullHouse, money)
                                                    : FindRow(DealFourOrBetter, money);
    return CellValue(FindBand(row.bands, e).cell, money, playerDrawCount, 0);
}

int ChooseCallLimit(HandCategory category, int money, int playerDrawCount, int bluffSuspected,
                    int keepsKicker) {
    if (category == NoHand) return 0;
    if (money == 1) return 1;
    const int e = DrawPercent();
    // Three cards drawn means a kept pair; two drawn by a player known to keep a
    // kicker means a pair some of the time.
    int pairSuspected = 0;
    if (playerDrawCount == 3) {
        pairSuspected = 1;
    } else if (playerDrawCount == 2 && keepsKicker == 1) {
        pairSuspected = DrawRandom() % 10 < 3 ? 1 : 0;
    }
    if (category >= FullHouse) return 11;

    const bool givesUp = category == OnePair ? (pairSuspected == 1 || playerDrawCount == 0)
                                             : (category <= ThreeOfAKind && playerDrawCount == 0);
    if (givesUp && DrawPercent() < 95) return 0;

    const AnswerRow& row = category == OnePair        ? FindRow(AnswerPair, money)
                           : category <= ThreeOfAKind ? FindRow(AnswerTwoPairOrTrips, money)
                                                      : FindRow(AnswerStraightOrFlush, money);
    const bool bluffCall =
        bluffSuspected == 1 && playerDrawCount != 0 && (category != OnePair || pairSuspected == 0);
    if (bluffCall && row.bluffCall.below != NoBluffCall.below) {
        if (row.bluffCall.below == CallWithoutDraw || DrawPercent() < row.bluffCall.below) {
            return CellValue(row.bluffCall.cell, money, playerDrawCount, bluffSuspected);
        }
    }
    return CellValue(FindBand(row.bands, e).cell, money, playerDrawCount, bluffSuspected);
}

}  // namespace

int ChooseBet(HandCategory category, int money, int playerIsDealer, int playerDrawCount,
              int bluffSuspected, int keepsKicker) {
    if (playerIsDealer == 0) return ChooseDealerBet(category, money, playerDrawCount);
    return ChooseCallLimit(category, money, playerDrawCount, bluffSuspected, keepsKicker);
}
