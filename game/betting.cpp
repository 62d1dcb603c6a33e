// The round controller's second half: the dealer's bet, OK and Fold, the
// showdown with its settlement, and the closing of the deal.
#include <cstdio>

#include "cards/hand_eval.h"
#include "cards/random.h"
#include "game/dialogue.h"
#include "game/round.h"
#include "game/round_steps.h"
#include "game/table.h"
#include "opponent/opponent.h"

namespace {

void DisableBetButtons() {
    EnableControl(OkButton, false);
    EnableControl(FoldButton, false);
    EnableControl(UpButton, false);
    EnableControl(DownButton, false);
}

}  // namespace

void OpenBetting(MatchState& match) {
    StopRoundTimer();
    char name[HandNameBufferSize];
    if (match.playerIsDealer == 0) {
        match.computerCategory = EvaluateHand(match.deal.computerHand, name);
        match.computerBet = ChooseBet(match.computerCategory, match.computerMoney, 0,
                                      match.playerDrawCount, 0, match.observation.keepsKicker);
    }
    if (match.playerIsDealer != 0) {
        EnableControl(BetBox, true);
        EnableControl(UpButton, true);
        EnableControl(DownButton, true);
        EnableControl(OkButton, true);
        ShowSpeech(DialogueText(PlayerBetAskLine));
    } else {
        char line[LineBufferSize];
        if (match.computerBet >= 5) {
            std::snprintf(line, sizeof line, DialogueText(ComputerBetsBigLine), match.computerBet);
        } else if (match.playerMoney >= 2) {
            std::snprintf(line, sizeof line, DialogueText(ComputerBetsLine), match.computerBet);
        } else {
            std::snprintf(line, sizeof line, "%s", DialogueText(ComputerBetsLastDollarLine));
        }
        ShowSpeech(line);
        EnableControl(OkButton, true);
        EnableControl(FoldButton, true);
        EnableControl(BetBox, true);
        WriteBetBox(match.computerBet);
        RecordBet(match.record, match.computerBet);
    }
    DrawMouth(MouthOpen);
    RequestRepaint();
}

void ConfirmBet(MatchState& match) {
    ClearSpeech();
    match.playerBet = ReadBetBox();
    if (!CheckBet(match, match.playerBet)) {
        ShowSpeech(DialogueText(BetTooLargeLine));
        RequestRepaint();
        return;
    }
    if (match.playerIsDealer == 0) {
        match.foldStreak = 0;
    } else {
        RecordBet(match.record, match.playerBet);
        const int bluffSuspected = ObserveDealerBet(match.playerBet, match.playerMoney,
                                                    match.playerDrawCount, match.observation);
        char name[HandNameBufferSize];
        match.computerCategory = EvaluateHand(match.deal.computerHand, name);
        match.computerBet =
            ChooseBet(match.computerCategory, match.computerMoney, 1, match.playerDrawCount,
                      bluffSuspected, match.observation.keepsKicker);
        if (match.computerBet < match.playerBet) {
            const char* line = DialogueText(ComputerFoldsLine);
            if (match.playerBet >= 5 && DrawRandom() % 100 > 60) {
                line = DialogueText(ComputerFoldsToBigBetLine);
            }
            ShowSpeech(line);
            RequestRepaint();
            match.computerMoney -= 1;
            match.playerMoney += 1;
            RecordFold(match.record);
            match.roundState = RoundSettled;
            ArmRoundTimer(1000);
            DisableBetButtons();
            return;
        }
    }
    RecordCall(match.record);
    match.roundState = RoundShowdown;
    const char* line = DialogueText(ComputerCallsLine);
    if (match.playerIsDealer != 0 && match.playerBet >= 5 && DrawRandom() % 100 > 30) {
        line = DialogueText(ComputerCallsBigBetLine);
    }
    ShowSpeech(line);
    RequestRepaint();
    ArmRoundTimer(1000);
    DisableBetButtons();
}

void FoldHand(MatchState& match) {
    match.roundState = RoundSettled;
    match.foldStreak += 1;
    const char* line;
    int pause;
    if (match.foldStreak == 5) {
        line = DialogueText(PlayerFoldsFifthTimeLine);
        match.foldStreak = 0;
        pause = 1500;
    } else if (match.computerBet >= 5) {
        line = DialogueText(PlayerFoldsToBigBetLine);
        pause = 1500;
    } else if (match.playerMoney == 1) {
        line = DialogueText(PlayerFoldsLastDollarLine);
        pause = 1000;
    } else {
        line = DialogueText(PlayerFoldsLine);
        pause = 1000;
    }
    ArmRoundTimer(pause);
    ShowSpeech(line);
    match.computerMoney += 1;
    match.playerMoney -= 1;
    RecordFold(match.record);
    DisableBetButtons();
    DrawMouth(MouthGrin);
    RequestRepaint();
}

namespace {

// Moves `stake` from the loser to the winner.
void PayPlayer(MatchState& match, int stake) {
    match.computerMoney -= stake;
    match.playerMoney += stake;
}

void PayComputer(MatchState& match, int stake) {
    match.playerMoney -= stake;
    match.computerMoney += stake;
}

}  // namespace

void ShowDown(MatchState& match) {
    match.roundState = RoundSettled;
    StopRoundTimer();

    // Only the categories count; a tie goes to the dealer. Money is tested after the transfer.
    const char* line;
    int pause;
    if (match.playerIsDealer == 0) {
        const int stake = match.computerBet;
        if (match.computerCategory >= match.playerCategory) {
            PayComputer(match, stake);
            line = match.computerMoney >= 40 ? DialogueText(ComputerWinsMatchAsDealerLine)
                                             : DialogueText(ComputerKeepsDealLine);
            pause = 1000;
        } else {
            PayPlayer(match, stake);
            match.playerIsDealer = 1;
            if (match.playerMoney >= 40) {
                line = DialogueText(PlayerWinsMatchLine);
            } else if (match.playerCategory >= Straight && match.playerCategory <= FullHouse) {
                line = DialogueText(PlayerGoodHandLine);
            } else if (match.playerCategory >= FourOfAKind) {
                line = DialogueText(PlayerGreatHandLine);
            } else {
                line = DialogueText(PlayerTakesDealLine);
            }
            pause = 1500;
        }
    } else {
        const int stake = match.playerBet;
        if (match.computerCategory > match.playerCategory) {
            PayComputer(match, stake);
            match.playerIsDealer = 0;
            // The draw is taken only when the computer has just reached 36.
            if (match.computerMoney == 36 && DrawRandom() % 10 < 1) {
                line = DialogueText(ComputerDeniesPeekingLine);
                pause = 2000;
            } else if (match.computerMoney >= 40) {
                line = DialogueText(ComputerWinsMatchLine);
                pause = 1000;
            } else {
                line = DialogueText(ComputerTakesDealLine);
                pause = 1500;
            }
        } else {
            match.observation.prevWonBet = match.observation.lastWonBet;
            match.observation.lastWonBet = stake;
            PayPlayer(match, stake);
            line = DialogueText(PlayerWinsAsDealerLine);
            pause = 800;
        }
    }

    ArmRoundTimer(pause);
    ShowSpeech(line);
    for (int i = 0; i < 5; ++i) DrawCardFace(i, match.deal.computerHand[i]);
    char name[HandNameBufferSize];
    match.computerCategory = EvaluateHand(match.deal.computerHand, name);
    ShowHandName(ComputerSide, match.computerCategory, name);
    RecordShowdown(match.record, match.deal.computerHand, match.computerCategory,
                   match.playerMoney);
    DrawMouth(MouthGrin);
    RequestRepaint();
    EnableControl(OkButton, false);
    ObserveKeptCards(match.deal.playerHand, match.deal.playerDiscards, match.playerDrawCount,
                     match.observation);
}

void CloseDeal(MatchState& match) {
    StopRoundTimer();
    DrawMoney(match.computerMoney, match.playerMoney);
    RecordDealClosed(match.record, match.playerMoney, match.computerMoney);
    const char* line = DialogueText(PressStartLine);
    if (match.computerMoney == 40) {
        line = DialogueText(ComputerMatchOverLine);
    } else if (match.playerMoney == 40) {
        line = DialogueText(PlayerMatchOverLine);
    }
    ShowSpeech(line);
    DrawMouth(MouthOpen);
    RequestRepaint();
    DisableBetButtons();
    EnableControl(StartButton, true);
    EnableControl(BetBox, false);
}
