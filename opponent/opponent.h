// The computer opponent: its exchange, its bets and calls, and its running
// observation of the player's habits.
#pragma once

#include "cards/cards.h"
#include "cards/hand_eval.h"

struct MatchState;

// Marks the computer's cards to exchange. 0: keep all five (for categories
// 4, 5, 6, 7, 9, 10 the mask is not even written). 1: the mask was cleared and
// at least one slot marked. Draws from the random stream only where a rule
// reaches a random choice.
int ChooseDiscards(const Hand& hand, DiscardMask& mask);

// Dealing (playerIsDealer 0): the computer's bet, 1..min(10, money, 40 - money).
// Answering (playerIsDealer 1): the largest player bet it calls, 0..11.
int ChooseBet(HandCategory category, int money, int playerIsDealer, int playerDrawCount,
              int bluffSuspected, int keepsKicker);

// Called when the player, as dealer, has a bet accepted; returns bluffSuspected.
int ObserveDealerBet(MatchState& match, int bet);

// Called at the end of every showdown; updates keepsKicker from the kept cards.
void ObserveKeptCards(MatchState& match);
