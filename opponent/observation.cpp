// The computer's running observation of the player: large dealer bets,
// repeated winning stakes, pat hands, and how the player draws to a pair.
#include "opponent/opponent.h"

namespace {

// A player with this much money or more bets big without it meaning a bluff.
constexpr int RichPlayerMoney = 34;

// After a trigger every counter stands this far below its threshold
// (betsOver4 >= 3, betsOver3 >= 4, betsOver2 >= 5): one below when the
// player exchanged, two below after a pat hand.
void SetBackCounters(int playerDrawCount, PlayerObservation& observation) {
    const int below = playerDrawCount >= 1 ? 1 : 2;
    observation.betsOver2 = 5 - below;
    observation.betsOver3 = 4 - below;
    observation.betsOver4 = 3 - below;
}

}  // namespace

int ObserveDealerBet(int bet, int playerMoney, int playerDrawCount,
                     PlayerObservation& observation) {
    int bluffSuspected = 0;
    if (playerMoney < RichPlayerMoney) {
        if (bet > 4) ++observation.betsOver4;
        if (bet > 3) ++observation.betsOver3;
        if (bet > 2) ++observation.betsOver2;
    }
    if (observation.betsOver4 >= 3 || observation.betsOver3 >= 4 || observation.betsOver2 >= 5) {
        bluffSuspected = 1;
        SetBackCounters(playerDrawCount, observation);
    }
    // Stakes are 0 when cleared and a bet is at least 1, so these need no guard.
    if (bet == observation.prevWonBet) bluffSuspected = 1;
    if (bet >= 3 && bet == observation.lastWonBet) bluffSuspected = 1;
    if (playerDrawCount == 0 && observation.prevDealerDrawCount == 0) bluffSuspected = 1;
    observation.prevDealerDrawCount = playerDrawCount;
    return bluffSuspected;
}

void ObserveKeptCards(const Hand& playerHand, const DiscardMask& playerDiscards,
                      int playerDrawCount, PlayerObservation& observation) {
    int kept[5];
    int keptCount = 0;
    for (int slot = 0; slot < 5; ++slot) {
        if (playerDiscards[slot] == 0) kept[keptCount++] = CardRank(playerHand[slot]);
    }
    // The count and the mask always agree in a real deal; if they ever did not,
    // there would be nothing trustworthy to learn from.
    if (playerDrawCount == 2 && keptCount == 3) {
        const int equalPairs = (kept[0] == kept[1]) + (kept[0] == kept[2]) + (kept[1] == kept[2]);
        if (equalPairs == 1) observation.keepsKicker = 1;
    } else if (playerDrawCount == 3 && keptCount == 2) {
        if (kept[0] == kept[1]) observation.keepsKicker = 0;
    }
}
