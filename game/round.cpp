// The round controller's first half: window creation, Start, marking and
// Change, the player's draw and the computer's exchange, and the tick dispatch.
#include <cstdio>

#include "cards/hand_eval.h"
#include "cards/random.h"
#include "game/layout.h"
#include "game/dialogue.h"
#include "game/round.h"
#include "game/round_steps.h"
#include "game/table.h"
#include "opponent/opponent.h"

void OpenTable(MatchState& match) {
    ShowSpeech(MakeGreeting(ReadLocalHour()));
    // Dealt once and never shown: the first Start deals afresh.
    DealHands(match.deal);
}

void StartDeal(MatchState& match) {
    const bool newMatch =
        match.roundState == RoundIdle || match.playerMoney == 40 || match.computerMoney == 40;
    if (match.playerMoney == 40 || match.computerMoney == 40) {
        match.playerMoney = 20;
        match.computerMoney = 20;
        DrawMoney(20, 20);
        match.observation.lastWonBet = 0;
        match.observation.prevWonBet = 0;
    }
    if (match.playerIsDealer == 0) {
        match.observation.lastWonBet = 0;
        match.observation.prevWonBet = 0;
    }
    RecordDealStart(match.record, newMatch, match.playerIsDealer != 0, match.playerMoney);
    ClearHandNames();
    DealHands(match.deal);
    match.roundState = RoundSelecting;
    for (int i = 0; i < 5; ++i) DrawCardFace(5 + i, match.deal.playerHand[i]);
    for (int i = 0; i < 5; ++i) DrawCardBack(i);
    ShowSpeech(DialogueText(ChooseCardsLine));
    DrawMouth(MouthOpen);
    RequestRepaint();
    EnableControl(StartButton, false);
    EnableControl(ChangeButton, true);
}

int FindPlayerSlot(int x, int y) {
    for (int i = 0; i < 5; ++i) {
        if (RectContains(SlotRect(FirstPlayerSlot + i), x, y)) return i;
    }
    return -1;
}

void ToggleDiscard(MatchState& match, int x, int y) {
    ToggleDiscardAt(match, FindPlayerSlot(x, y));
}

void ToggleDiscardAt(MatchState& match, int i) {
    if (match.roundState != RoundSelecting || i < 0 || i >= 5) return;
    if (match.deal.playerDiscards[i] == 1) {
        match.deal.playerDiscards[i] = 0;
        MarkCard(5 + i, match.deal.playerHand[i], false);
    } else {
        match.deal.playerDiscards[i] = 1;
        MarkCard(5 + i, match.deal.playerHand[i], true);
    }
    RequestRepaint();
}

bool PressControl(MatchState& match, int commandId) {
    switch (commandId) {
    case StartButton: StartDeal(match); return true;
    case ChangeButton: ChangeCards(match); return true;
    case UpButton: RaiseBet(match); return true;
    case DownButton: LowerBet(match); return true;
    case OkButton: ConfirmBet(match); return true;
    case FoldButton: FoldHand(match); return true;
    case BetBox: return true;  // read-only: its notifications ask for nothing
    default: return false;
    }
}

void ChangeCards(MatchState& match) {
    match.roundState = RoundPlayerDraw;
    for (int i = 0; i < 5; ++i) {
        if (match.deal.playerDiscards[i] == 1) {
            // The picture must be clean before this card can come round again.
            ClearCardMark(match.deal.playerHand[i]);
            DrawEmptySlot(5 + i);
        }
    }
    DrawMouth(MouthClosed);
    RequestRepaint();
    EnableControl(ChangeButton, false);
    ArmRoundTimer(500);
}

namespace {

void DrawPlayerReplacements(MatchState& match) {
    match.playerDrawCount =
        DrawReplacements(match.deal.playerHand, match.deal.playerDiscards, match.deal);
    for (int i = 0; i < 5; ++i) {
        if (match.deal.playerDiscards[i] == 1) DrawCardFace(5 + i, match.deal.playerHand[i]);
    }
    char name[HandNameBufferSize];
    match.playerCategory = EvaluateHand(match.deal.playerHand, name);
    ShowHandName(PlayerSide, match.playerCategory, name);
    RecordPlayerDraw(match.record, match.playerDrawCount, match.deal.playerHand,
                     match.playerCategory);
    RequestRepaint();
    match.roundState = RoundComputerTurn;
    ArmRoundTimer(1000);
}

void AnnounceComputerTurn(MatchState& match) {
    match.roundState = RoundComputerDiscard;
    ShowSpeech(DialogueText(ComputerTurnLine));
    DrawMouth(MouthGrin);
    RequestRepaint();
    // The timer runs on with the period armed by the player's draw.
}

void ChooseComputerDiscards(MatchState& match) {
    if (ChooseDiscards(match.deal.computerHand, match.deal.computerDiscards) == 0) {
        match.roundState = RoundBetting;
        RecordComputerChange(match.record, 0);
        ShowSpeech(DialogueText(ComputerKeepsAllLine));
    } else {
        match.roundState = RoundComputerDraw;
        const int count =
            DrawReplacements(match.deal.computerHand, match.deal.computerDiscards, match.deal);
        RecordComputerChange(match.record, count);
        for (int i = 0; i < 5; ++i) {
            if (match.deal.computerDiscards[i] == 1) DrawEmptySlot(i);
        }
        char line[LineBufferSize];
        std::snprintf(line, sizeof line, DialogueText(ComputerExchangesLine), count);
        ShowSpeech(line);
    }
    DrawMouth(MouthOpen);
    RequestRepaint();
    ArmRoundTimer(700);
}

void DrawComputerBacks(MatchState& match) {
    match.roundState = RoundBetting;
    for (int i = 0; i < 5; ++i) {
        if (match.deal.computerDiscards[i] == 1) DrawCardBack(i);
    }
    DrawMouth(MouthClosed);
    RequestRepaint();
    ArmRoundTimer(1000);
}

}  // namespace

void AdvanceRound(MatchState& match) {
    switch (match.roundState) {
    case RoundPlayerDraw: DrawPlayerReplacements(match); break;
    case RoundComputerTurn: AnnounceComputerTurn(match); break;
    case RoundComputerDiscard: ChooseComputerDiscards(match); break;
    case RoundComputerDraw: DrawComputerBacks(match); break;
    case RoundBetting: OpenBetting(match); break;
    case RoundShowdown: ShowDown(match); break;
    case RoundSettled: CloseDeal(match); break;
    case RoundIdle:
    case RoundSelecting: break;  // a stray tick before the exchange does nothing
    }
}

const char* RoundStateName(RoundState state) {
    switch (state) {
    case RoundIdle: return "RoundIdle";
    case RoundSelecting: return "RoundSelecting";
    case RoundPlayerDraw: return "RoundPlayerDraw";
    case RoundComputerTurn: return "RoundComputerTurn";
    case RoundComputerDiscard: return "RoundComputerDiscard";
    case RoundComputerDraw: return "RoundComputerDraw";
    case RoundBetting: return "RoundBetting";
    case RoundShowdown: return "RoundShowdown";
    case RoundSettled: return "RoundSettled";
    }
    return "Round?";
}
