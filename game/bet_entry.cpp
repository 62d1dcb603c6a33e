// The bet box: reading and writing its number, the up and down buttons and the
// check of the amount against both sides' money.
#include <cstdio>

#include "game/round.h"
#include "game/table.h"

int ReadBetBox() {
    char text[3];  // at most the first two characters count
    ReadBetBoxText(text, sizeof text);
    int value = 0;
    for (int k = 0; k < 2 && text[k] >= '0' && text[k] <= '9'; ++k)
        value = value * 10 + (text[k] - '0');
    return value;
}

void WriteBetBox(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    WriteBetBoxText(text);
}

void RaiseBet(MatchState& match) {
    int value = ReadBetBox();
    match.playerBet = value;
    if (match.playerMoney < HighestBet && value == match.playerMoney) return;
    if (value == HighestBet) return;
    value = value + 1;
    match.playerBet = value;
    WriteBetBox(value);
}

void LowerBet(MatchState& match) {
    int value = ReadBetBox();
    match.playerBet = value;
    if (value == LowestBet) return;
    if (value > match.playerMoney) {
        // Above either side's money the amount drops to the smaller of the two at once.
        value = match.playerMoney;
        if (value > match.computerMoney) value = match.computerMoney;
    } else if (value > match.computerMoney) {
        value = match.computerMoney;
    } else {
        value = value - 1;
    }
    match.playerBet = value;
    WriteBetBox(value);
}

bool CheckBet(const MatchState& match, int bet) {
    return bet <= match.playerMoney && bet <= match.computerMoney;
}
