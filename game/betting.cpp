// The round controller's second half: the dealer's bet, OK and Fold, the
// showdown with its settlement, and the closing of the deal.
#include <cstdio>

#include "cards/hand_eval.h"
#include "cards/random.h"
#include "game/round.h"
#include "game/round_steps.h"
#include "game/table.h"
#include "opponent/opponent.h"

namespace {

// Room for any line with its number filled in; the longest is under 110 bytes.
constexpr int LineBufferSize = 128;

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
        match.computerCategory = EvaluateHand(match.computerHand, name);
        match.computerBet = ChooseBet(match.computerCategory, match.computerMoney, 0,
                                      match.playerDrawCount, 0, match.keepsKicker);
    }
    if (match.playerIsDealer != 0) {
        EnableControl(BetBox, true);
        EnableControl(UpButton, true);
        EnableControl(DownButton, true);
        EnableControl(OkButton, true);
        ShowSpeech("それでは君は何ドル賭けるかな");
    } else {
        char line[LineBufferSize];
        if (match.computerBet >= 5) {
            std::snprintf(
                line, sizeof line,
                "おっ、なかなかいい手ができたぞ\n\n %d ドル賭けよう\n\nぜひ挑戦してくれたまえ",
                match.computerBet);
        } else if (match.playerMoney >= 2) {
            std::snprintf(
                line, sizeof line,
                "それでは私は\n%d ドル賭けよう\n\n今おりれば\n私に １ ドル払うだけで済むぞ",
                match.computerBet);
        } else {
            std::snprintf(line, sizeof line, "%s",
                          "それでは私は\n1 ドル賭けよう\n\nあとがなくなったようだな");
        }
        ShowSpeech(line);
        EnableControl(OkButton, true);
        EnableControl(FoldButton, true);
        EnableControl(BetBox, true);
        WriteBetBox(match.computerBet);
    }
    DrawMouth(MouthOpen);
    RequestRepaint();
}

void ConfirmBet(MatchState& match) {
    ClearSpeech();
    match.playerBet = ReadBetBox();
    if (!CheckBet(match, match.playerBet)) {
        ShowSpeech("賭け数が大きすぎるようだな");
        RequestRepaint();
        return;
    }
    if (match.playerIsDealer == 0) {
        match.foldStreak = 0;
    } else {
        const int bluffSuspected = ObserveDealerBet(match, match.playerBet);
        char name[HandNameBufferSize];
        match.computerCategory = EvaluateHand(match.computerHand, name);
        match.computerBet = ChooseBet(match.computerCategory, match.computerMoney, 1,
                                      match.playerDrawCount, bluffSuspected, match.keepsKicker);
        if (match.computerBet < match.playerBet) {
            const char* line = "うーん… 私は下りるとしよう";
            if (match.playerBet >= 5 && DrawRandom() % 100 > 60) {
                line = "なかなか強気だな\n\n残念だが私は下りるとしよう";
            }
            ShowSpeech(line);
            RequestRepaint();
            match.computerMoney -= 1;
            match.playerMoney += 1;
            match.roundState = RoundSettled;
            ArmRoundTimer(1000);
            DisableBetButtons();
            return;
        }
    }
    match.roundState = RoundShowdown;
    const char* line = "よし、それなら勝負だ";
    if (match.playerIsDealer != 0 && match.playerBet >= 5 && DrawRandom() % 100 > 30) {
        line = "なかなか強気だな\n\nだが、ここは勝負と行こう";
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
        line = "どうしたんだい、ずいぶん弱気じゃないか";
        match.foldStreak = 0;
        pause = 1500;
    } else if (match.computerBet >= 5) {
        line = "う～ん、今のは\n勝負して欲しかったよ";
        pause = 1500;
    } else if (match.playerMoney == 1) {
        line = "残念な選択だな";
        pause = 1000;
    } else {
        line = "賢明な選択だな";
        pause = 1000;
    }
    ArmRoundTimer(pause);
    ShowSpeech(line);
    match.computerMoney += 1;
    match.playerMoney -= 1;
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
            line = match.computerMoney >= 40 ? "私の勝ちだ" : "ディーラーはそう簡単には譲れないな";
            pause = 1000;
        } else {
            PayPlayer(match, stake);
            match.playerIsDealer = 1;
            if (match.playerMoney >= 40) {
                line = "君の勝ちだ";
            } else if (match.playerCategory >= 4 && match.playerCategory <= 7) {
                line = "なかなかいい手じゃないか\n\nさあ、次は君がディーラーだ";
            } else if (match.playerCategory >= 8 && match.playerCategory <= 10) {
                line = "おう、素晴らしい手ができたな\n\nさあ、次は君がディーラーだ";
            } else {
                line = "次は、君が\nディーラーだ";
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
                line =
                    "断って置くが、私は君のカードを盗み見なんてしてない\n"
                    "君のゲームをじっくり観察しているだけだ";
                pause = 2000;
            } else if (match.computerMoney >= 40) {
                line = "私が勝ったようだな";
                pause = 1000;
            } else {
                line = "今度は私が\nディーラーだ";
                pause = 1500;
            }
        } else {
            match.prevWonBet = match.lastWonBet;
            match.lastWonBet = stake;
            PayPlayer(match, stake);
            line = "君の勝ちだ\n\nなかなかやるな";
            pause = 800;
        }
    }

    ArmRoundTimer(pause);
    ShowSpeech(line);
    for (int i = 0; i < 5; ++i) DrawCardFace(i, match.computerHand[i]);
    char name[HandNameBufferSize];
    match.computerCategory = EvaluateHand(match.computerHand, name);
    ShowHandName(ComputerSide, match.computerCategory, name);
    DrawMouth(MouthGrin);
    RequestRepaint();
    EnableControl(OkButton, false);
    ObserveKeptCards(match);
}

void CloseDeal(MatchState& match) {
    StopRoundTimer();
    DrawMoney(match.computerMoney, match.playerMoney);
    const char* line = "さあ、スタートボタンを押してくれたまえ";
    if (match.computerMoney == 40) {
        line =
            "君には残念だが、私の勝利だ\n\nもう一度私に挑戦したいならスタートボタンを押してくれたま"
            "え";
    } else if (match.playerMoney == 40) {
        line = "おめでとう\n君の勝利だ\n\nもう一度プレーしたいならスタートボタンを押してくれたまえ";
    }
    ShowSpeech(line);
    DrawMouth(MouthOpen);
    RequestRepaint();
    DisableBetButtons();
    EnableControl(StartButton, true);
    EnableControl(BetBox, false);
}
