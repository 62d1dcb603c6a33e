// Every line the opponent says, by name. The texts are Shift-JIS; a line with
// "%d" has a number filled in where it is said.
#pragma once

enum DialogueLine {
    // Window creation, by the local hour.
    GreetingEveningLine,
    GreetingEveningOrMorningLine,
    GreetingMorningOrEveningLine,
    GreetingEarlyMorningLine,
    GreetingMorningLine,
    GreetingDayLine,
    // The exchange.
    ChooseCardsLine,
    ComputerTurnLine,
    ComputerKeepsAllLine,
    ComputerExchangesLine,  // %d: the number of cards
    // The dealer's bet.
    PlayerBetAskLine,
    ComputerBetsBigLine,  // %d: the bet, 5 and more
    ComputerBetsLine,     // %d: the bet
    ComputerBetsLastDollarLine,
    BetTooLargeLine,
    // The answer to the player's bet.
    ComputerFoldsLine,
    ComputerFoldsToBigBetLine,
    ComputerCallsLine,
    ComputerCallsBigBetLine,
    // The player folds.
    PlayerFoldsFifthTimeLine,
    PlayerFoldsToBigBetLine,
    PlayerFoldsLastDollarLine,
    PlayerFoldsLine,
    // The showdown.
    ComputerWinsMatchAsDealerLine,
    ComputerKeepsDealLine,
    PlayerWinsMatchLine,
    PlayerGoodHandLine,
    PlayerGreatHandLine,
    PlayerTakesDealLine,
    ComputerDeniesPeekingLine,
    ComputerWinsMatchLine,
    ComputerTakesDealLine,
    PlayerWinsAsDealerLine,
    // The close of the deal.
    PressStartLine,
    ComputerMatchOverLine,
    PlayerMatchOverLine,
    DialogueLineCount
};

// The stored text of the line.
const char* DialogueText(DialogueLine line);

// Room for any line with its number filled in; the longest is under 110 bytes.
constexpr int LineBufferSize = 128;
