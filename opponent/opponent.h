// The computer opponent: its exchange, its bets and calls, and its running
// observation of the player's habits.
#pragma once

#include "cards/cards.h"
#include "cards/hand_eval.h"

// What the computer has learnt of the player's betting and drawing, kept from
// deal to deal.
struct PlayerObservation {
    int keepsKicker = 0;  // 1: the player draws two to a pair, keeping a kicker
    // The player's dealer bets above 2, 3 and 4 dollars.
    int betsOver2 = 0;
    int betsOver3 = 0;
    int betsOver4 = 0;
    // The player's stakes in the last two showdowns the player won as dealer.
    int lastWonBet = 0;
    int prevWonBet = 0;
    int prevDealerDrawCount = -1;  // playerDrawCount at the player's previous dealer bet
};

// Marks the computer's cards to exchange. 0: keep all five (for a straight,
// royal straight, flush, full house, straight flush or royal straight flush
// the mask is not even written). 1: the mask was cleared and
// at least one slot marked. Draws from the random stream only where a rule
// reaches a random choice.
int ChooseDiscards(const Hand& hand, DiscardMask& mask);

// Dealing (playerIsDealer 0): the computer's bet, 1..min(10, money, 40 - money).
// Answering (playerIsDealer 1): the largest player bet it calls, 0..11.
int ChooseBet(HandCategory category, int money, int playerIsDealer, int playerDrawCount,
              int bluffSuspected, int keepsKicker);

// Called when the player, as dealer, has a bet accepted; returns bluffSuspected.
int ObserveDealerBet(int bet, int playerMoney, int playerDrawCount, PlayerObservation& observation);

// Called at the end of every showdown; updates keepsKicker from the cards the
// player kept (playerDiscards 0) and the number exchanged.
void ObserveKeptCards(const Hand& playerHand, const DiscardMask& playerDiscards,
                      int playerDrawCount, PlayerObservation& observation);
