// The ticks of the betting half of a deal, which AdvanceRound hands on; used
// only inside the game library.
#pragma once

#include "game/match_state.h"

void OpenBetting(MatchState& match);  // tick in RoundBetting: the dealer's bet
void ShowDown(MatchState& match);     // tick in RoundShowdown: hands shown, stake moved
void CloseDeal(MatchState& match);    // tick in RoundSettled: counters, closing line
