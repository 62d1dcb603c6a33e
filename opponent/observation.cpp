// The computer's running observation of the player: large dealer bets,
// repeated winning stakes, pat hands, and how the player draws to a pair.
#include "game/match_state.h"
#include "opponent/opponent.h"

namespace {

// A player with this much money or more bets big without it meaning a bluff.
constexpr int RichPlayerMoney = 34;

// After a trigger every counter stands this far below its threshold
// (betsOver4 >= 3, betsOver3 >= 4, betsOver2 >= 5): one below when the
// player exchanged, two below after a pat hand.
void SetBackCounters(MatchState& match) {
    const int below = match.playerDrawCount >= 1 ? 1 : 2;
    match.betsOver2 = 5 - below;
    match.betsOver3 = 4 - below;
    match.betsOver4 = 3 - below;
}

}  // namespace

int ObserveDealerBet(MatchState& match, int bet) {
    int bluffSuspected = 0;
    if (match.playerMoney < RichPlayerMoney) {
        if (bet > 4) ++match.betsOver4;
        if (bet > 3) ++match.betsOver3;
        if (bet > 2) ++match.betsOver2;
    }
    if (match.betsOver4 >= 3 || match.betsOver3 >= 4 || match.betsOver2 >= 5) {
        bluffSuspected = 1;
        SetBackCounters(match);
    }
    // Stakes are 0 when cleared and a bet is at least 1, so these need no guard.
    if (bet == match.prevWonBet) bluffSuspected = 1;
    if (bet >= 3 && bet == match.lastWonBet) bluffSuspected = 1;
    if (match.playerDrawCount == 0 && match.prevDealerDrawCount == 0) bluffSuspected = 1;
    match.prevDealerDrawCount = match.playerDrawCount;
    return bluffSuspected;
}

void ObserveKeptCards(MatchState& match) {
    int kept[5];
    int keptCount = 0;
    for (int slot = 0; slot < 5; ++slot) {
        if (match.playerDiscards[slot] == 0) kept[keptCount++] = CardRank(match.playerHand[slot]);
    }
    // The count and the mask always agree in a real deal; if they ever did not,
    // there would be nothing trustworthy to learn from.
    if (match.playerDrawCount == 2 && keptCount == 3) {
        const int equalPairs = (kept[0] == kept[1]) + (kept[0] == kept[2]) + (kept[1] == kept[2]);
        if (equalPairs == 1) match.keepsKicker = 1;
    } else if (match.playerDrawCount == 3 && keptCount == 2) {
        if (kept[0] == kept[1]) match.keepsKicker = 0;
    }
}
