// The one record of the game: money, dealer, deal step, deck, hands, bets, the
// observation of the player and the deals of the match so far. Every field starts at its value
// before the main window exists.
#pragma once

#include <array>

#include "cards/cards.h"
#include "cards/hand_eval.h"
#include "game/match_record.h"
#include "opponent/opponent.h"

// The step of the deal; each value names what the next event does. There is no 8.
enum RoundState {
    RoundIdle = 0,
    RoundSelecting = 1,
    RoundPlayerDraw = 2,
    RoundComputerTurn = 3,
    RoundComputerDiscard = 4,
    RoundComputerDraw = 5,
    RoundBetting = 6,
    RoundShowdown = 7,
    RoundSettled = 9,
};

// The state's own name ("RoundBetting"), for records and messages.
const char* RoundStateName(RoundState state);

struct MatchState {
    int playerMoney = 20;
    int computerMoney = 20;
    int playerIsDealer = 0;
    RoundState roundState = RoundIdle;
    Deal deal;  // deck, nextCard, both hands and both discard masks
    HandCategory playerCategory = NoHand;
    HandCategory computerCategory = NoHand;
    int playerBet = 1;
    int computerBet = 1;
    int foldStreak = 0;
    int playerDrawCount = 0;
    PlayerObservation observation;  // keepsKicker, betsOver2..4, the won bets, prevDealerDrawCount
    // Last, so that the fields above stay one block of plain values.
    MatchRecord record;
};
