// Whole deals step by step, as the table sees them: the computer dealing and
// the player dealing.
#include "round_fixture.h"

#include "game/layout.h"

TEST_F(RoundTest, ComputerDealsAWholeDeal) {
    ScriptDeck({"2S", "2H", "2C", "9D", "5S",  // computer: three of a kind
                "AS", "AH", "7C", "8D", "JS",  // player: a pair of aces
                "AC", "9S", "4H",              // the player's three replacements
                "2D", "9H"});                  // the computer's two
    StartDeal(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(ClearHandNames()
DrawCardFace(5, AS)
DrawCardFace(6, AH)
DrawCardFace(7, 7C)
DrawCardFace(8, 8D)
DrawCardFace(9, JS)
DrawCardBack(0)
DrawCardBack(1)
DrawCardBack(2)
DrawCardBack(3)
DrawCardBack(4)
ShowSpeech(それではチェンジしたいカードをクリックしてくれたまえ\n\n決まったら次は\nチェンジボタンだ)
DrawMouth(MouthOpen)
RequestRepaint()
Enable(StartButton, 0)
Enable(ChangeButton, 1))");
    EXPECT_EQ(match.roundState, RoundSelecting);

    // 7 and 8 marked, 7 unmarked again, then 7 and J: a card clicked twice stays.
    for (int i : {2, 3, 2, 2, 4}) ToggleDiscard(match, SlotLeft(5 + i) + 10, SlotTop(5 + i) + 10);
    EXPECT_EQ(TakeRecord(table),
              u8R"(MarkCard(7, 7C, marked)
RequestRepaint()
MarkCard(8, 8D, marked)
RequestRepaint()
MarkCard(7, 7C, unmarked)
RequestRepaint()
MarkCard(7, 7C, marked)
RequestRepaint()
MarkCard(9, JS, marked)
RequestRepaint())");

    ChangeCards(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(ClearCardMark(7C)
DrawEmptySlot(7)
ClearCardMark(8D)
DrawEmptySlot(8)
ClearCardMark(JS)
DrawEmptySlot(9)
DrawMouth(MouthClosed)
RequestRepaint()
Enable(ChangeButton, 0)
Arm(RoundTimer, 500))");

    ToggleDiscard(match, SlotLeft(5) + 1, SlotTop(5) + 1);  // too late: nothing
    AdvanceRound(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(DrawCardFace(7, AC)
DrawCardFace(8, 9S)
DrawCardFace(9, 4H)
ShowHandName(PlayerSide, 3, スリーカード)
RequestRepaint()
Arm(RoundTimer, 1000))");
    EXPECT_EQ(match.playerDrawCount, 3);
    EXPECT_EQ(match.playerCategory, 3);
    EXPECT_EQ(match.deal.nextCard, 13);

    AdvanceRound(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(ShowSpeech(次は私の番だ)
DrawMouth(MouthGrin)
RequestRepaint())");
    EXPECT_EQ(match.roundState, RoundComputerDiscard);

    gScriptedOpponent.discards.push_back({1, {0, 0, 0, 1, 1}});
    AdvanceRound(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(ChooseDiscards(2S 2H 2C 9D 5S) -> 1 00011
DrawEmptySlot(3)
DrawEmptySlot(4)
ShowSpeech(私は 2 枚替えよう)
DrawMouth(MouthOpen)
RequestRepaint()
Arm(RoundTimer, 700))");
    EXPECT_EQ(match.deal.computerHand, ParseHand("2S 2H 2C 2D 9H"));

    AdvanceRound(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(DrawCardBack(3)
DrawCardBack(4)
DrawMouth(MouthClosed)
RequestRepaint()
Arm(RoundTimer, 1000))");
    EXPECT_EQ(match.roundState, RoundBetting);

    gScriptedOpponent.bets.push_back(3);
    AdvanceRound(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(Stop(RoundTimer)
ChooseBet(8, 20, 0, 3, 0, 0) -> 3
ShowSpeech(それでは私は\n3 ドル賭けよう\n\n今おりれば\n私に １ ドル払うだけで済むぞ)
Enable(OkButton, 1)
Enable(FoldButton, 1)
Enable(BetBox, 1)
WriteBetBox(3)
DrawMouth(MouthOpen)
RequestRepaint())");

    match.foldStreak = 3;
    ConfirmBet(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(ClearSpeech()
ReadBetBox() -> 3
ShowSpeech(よし、それなら勝負だ)
RequestRepaint()
Arm(RoundTimer, 1000)
Enable(OkButton, 0)
Enable(FoldButton, 0)
Enable(UpButton, 0)
Enable(DownButton, 0))");
    EXPECT_EQ(match.roundState, RoundShowdown);
    EXPECT_EQ(match.playerBet, 3);
    EXPECT_EQ(match.foldStreak, 0);

    AdvanceRound(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(Stop(RoundTimer)
Arm(RoundTimer, 1000)
ShowSpeech(ディーラーはそう簡単には譲れないな)
DrawCardFace(0, 2S)
DrawCardFace(1, 2H)
DrawCardFace(2, 2C)
DrawCardFace(3, 2D)
DrawCardFace(4, 9H)
ShowHandName(ComputerSide, 8, フォーカード)
DrawMouth(MouthGrin)
RequestRepaint()
Enable(OkButton, 0)
ObserveKeptCards())");
    EXPECT_EQ(match.roundState, RoundSettled);
    EXPECT_EQ(match.computerMoney, 23);
    EXPECT_EQ(match.playerMoney, 17);
    EXPECT_EQ(match.playerIsDealer, 0);

    AdvanceRound(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(Stop(RoundTimer)
DrawMoney(23, 17)
ShowSpeech(さあ、スタートボタンを押してくれたまえ)
DrawMouth(MouthOpen)
RequestRepaint()
Enable(OkButton, 0)
Enable(FoldButton, 0)
Enable(UpButton, 0)
Enable(DownButton, 0)
Enable(StartButton, 1)
Enable(BetBox, 0))");
    EXPECT_EQ(table.timerPeriod, 0);
    EXPECT_EQ(match.deal.nextCard, 15);
}

TEST_F(RoundTest, PlayerDealsAWholeDeal) {
    match.playerIsDealer = 1;
    match.playerMoney = 24;
    match.computerMoney = 16;
    match.observation.lastWonBet = 2;
    match.observation.prevWonBet = 4;
    match.foldStreak = 2;
    table.betBoxText = "4";                      // the stake of the deal before
    ScriptDeck({"3S", "3H", "8C", "8D", "KD",    // computer: two pair
                "TS", "JS", "QS", "KS", "AH"});  // player: a royal straight
    StartDeal(match);
    TakeRecord(table);
    EXPECT_EQ(match.observation.lastWonBet, 2) << "the player keeps the deal, so the stakes stay";
    EXPECT_EQ(match.observation.prevWonBet, 4);

    ChangeCards(match);  // nothing marked: nothing exchanged
    EXPECT_EQ(TakeRecord(table),
              u8R"(DrawMouth(MouthClosed)
RequestRepaint()
Enable(ChangeButton, 0)
Arm(RoundTimer, 500))");
    AdvanceRound(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(ShowHandName(PlayerSide, 5, ロイヤルストレート)
RequestRepaint()
Arm(RoundTimer, 1000))");
    EXPECT_EQ(match.playerDrawCount, 0);
    AdvanceRound(match);
    TakeRecord(table);

    AdvanceRound(match);  // the stand-in keeps all five by default
    EXPECT_EQ(TakeRecord(table),
              u8R"(ChooseDiscards(3S 3H 8C 8D KD) -> 0
ShowSpeech(私は取り替えるカードはないな)
DrawMouth(MouthOpen)
RequestRepaint()
Arm(RoundTimer, 700))");
    EXPECT_EQ(match.roundState, RoundBetting);

    AdvanceRound(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(Stop(RoundTimer)
Enable(BetBox, 1)
Enable(UpButton, 1)
Enable(DownButton, 1)
Enable(OkButton, 1)
ShowSpeech(それでは君は何ドル賭けるかな)
DrawMouth(MouthOpen)
RequestRepaint())");

    RaiseBet(match);
    RaiseBet(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(ReadBetBox() -> 4
WriteBetBox(5)
ReadBetBox() -> 5
WriteBetBox(6))");

    gScriptedOpponent.bluffs.push_back(1);
    gScriptedOpponent.bets.push_back(7);
    ScriptDraws({30});  // r = 30: not above 30, the plain line
    ConfirmBet(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(ClearSpeech()
ReadBetBox() -> 6
ObserveDealerBet(6) -> 1
ChooseBet(2, 16, 1, 0, 1, 0) -> 7
ShowSpeech(よし、それなら勝負だ)
RequestRepaint()
Arm(RoundTimer, 1000)
Enable(OkButton, 0)
Enable(FoldButton, 0)
Enable(UpButton, 0)
Enable(DownButton, 0))");
    EXPECT_EQ(match.foldStreak, 2) << "a deal the player deals leaves the streak alone";
    EXPECT_EQ(match.computerBet, 7);
    EXPECT_EQ(CountRandomDraws(), 52 + 1);

    AdvanceRound(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(Stop(RoundTimer)
Arm(RoundTimer, 800)
ShowSpeech(君の勝ちだ\n\nなかなかやるな)
DrawCardFace(0, 3S)
DrawCardFace(1, 3H)
DrawCardFace(2, 8C)
DrawCardFace(3, 8D)
DrawCardFace(4, KD)
ShowHandName(ComputerSide, 2, ツ ー ペ ア)
DrawMouth(MouthGrin)
RequestRepaint()
Enable(OkButton, 0)
ObserveKeptCards())");
    EXPECT_EQ(match.playerMoney, 30);
    EXPECT_EQ(match.computerMoney, 10);
    EXPECT_EQ(match.observation.lastWonBet, 6);
    EXPECT_EQ(match.observation.prevWonBet, 2);
    EXPECT_EQ(match.playerIsDealer, 1);

    AdvanceRound(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(Stop(RoundTimer)
DrawMoney(10, 30)
ShowSpeech(さあ、スタートボタンを押してくれたまえ)
DrawMouth(MouthOpen)
RequestRepaint()
Enable(OkButton, 0)
Enable(FoldButton, 0)
Enable(UpButton, 0)
Enable(DownButton, 0)
Enable(StartButton, 1)
Enable(BetBox, 0))");
}

TEST_F(RoundTest, OpeningTheTableGreetsAndDealsUnseen) {
    OpenTable(match);
    EXPECT_EQ(TakeRecord(table),
              u8"ShowSpeech(やあ、こんにちは\\n\\nそれではゲームを始めるとしよう"
              u8"\\n\\nスタートボタンを押してくれたまえ)");
    EXPECT_EQ(match.deal.nextCard, 10);
    EXPECT_EQ(match.roundState, RoundIdle);
    EXPECT_EQ(table.betBoxText, "1") << "the view writes the box itself";
    EXPECT_EQ(CountRandomDraws(), 52);
    // The deal is the one the clock gives: the same as shuffling at that second.
    int deck[DeckSize];
    ShuffleDeck(deck, DeckSize);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(match.deal.computerHand[i], deck[i]);
        EXPECT_EQ(match.deal.playerHand[i], deck[5 + i]);
    }
}

TEST_F(RoundTest, TicksAndClicksOutsideTheirStepsDoNothing) {
    AdvanceRound(match);  // RoundIdle
    ToggleDiscard(match, SlotLeft(5) + 1, SlotTop(5) + 1);
    EXPECT_EQ(TakeRecord(table), "");
    StartDeal(match);
    TakeRecord(table);
    AdvanceRound(match);                                    // RoundSelecting
    ToggleDiscard(match, SlotLeft(0) + 1, SlotTop(0) + 1);  // the computer's card
    ToggleDiscard(match, 65535, 65535);
    ToggleDiscard(match, 10, 10);
    EXPECT_EQ(TakeRecord(table), "");
    EXPECT_EQ(match.deal.playerDiscards, (DiscardMask{0, 0, 0, 0, 0}));
}
