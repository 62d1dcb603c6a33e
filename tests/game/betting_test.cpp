// Betting, folds, the showdown and its settlement, the end of a match, and
// when the computer's observation of the player is consulted.
#include "round_fixture.h"

#include "game/shown_table.h"
#include "game/table.h"
#include "readable_text.h"

namespace {

// The player's hand scores `playerHand`, the computer's `computerHand`; both
// keep all their cards.
void DealCategories(RoundTest& test, const char* computer[5], const char* player[5]) {
    test.ScriptDeck({computer[0], computer[1], computer[2], computer[3], computer[4], player[0],
                     player[1], player[2], player[3], player[4]});
}

const char* NoPairCards[5] = {"2S", "5H", "9C", "JD", "KS"};
const char* OtherNoPairCards[5] = {"2H", "5C", "9D", "JS", "KH"};
const char* PairCards[5] = {"2C", "2D", "7S", "9H", "QC"};
const char* FlushCards[5] = {"3H", "6H", "8H", "JH", "AH"};
const char* QuadsCards[5] = {"4S", "4H", "4C", "4D", "6S"};

}  // namespace

TEST_F(RoundTest, FoldsCostOneDollarAndTheFifthInARowIsRemarked) {
    struct Fold {
        int computerBet;
        const char* line;
        int pause;
        int streakAfter;
    };
    const Fold folds[] = {
        {3, u8"賢明な選択だな", 1000, 1},
        {6, u8"う～ん、今のは\\n勝負して欲しかったよ", 1500, 2},
        {1, u8"賢明な選択だな", 1000, 3},
        {2, u8"賢明な選択だな", 1000, 4},
        {7, u8"どうしたんだい、ずいぶん弱気じゃないか", 1500, 0},  // the fifth, bet or not
        {2, u8"賢明な選択だな", 1000, 1},                          // the sixth counts as the first
    };
    int money = 20;
    for (const Fold& fold : folds) {
        gScriptedOpponent.bets.push_back(fold.computerBet);
        PlayToBets({});
        FoldHand(match);
        EXPECT_EQ(TakeRecord(table), std::string("Arm(RoundTimer, ") + std::to_string(fold.pause) +
                                         u8R"()
ShowSpeech()" + fold.line + u8R"()
Enable(OkButton, 0)
Enable(FoldButton, 0)
Enable(UpButton, 0)
Enable(DownButton, 0)
DrawMouth(MouthGrin)
RequestRepaint())");
        --money;
        EXPECT_EQ(match.playerMoney, money);
        EXPECT_EQ(match.computerMoney, 40 - money);
        EXPECT_EQ(match.foldStreak, fold.streakAfter);
        EXPECT_EQ(match.roundState, RoundSettled);
        EXPECT_EQ(match.playerIsDealer, 0) << "a fold leaves the deal where it was";
        TickUntilWaiting();
        EXPECT_NE(TakeRecord(table).find("DrawMoney(" + std::to_string(40 - money) + ", " +
                                         std::to_string(money) + ")"),
                  std::string::npos);
    }
    EXPECT_EQ(TableShown().speech,
              "\x82\xb3\x82\xa0\x81\x41\x83\x58\x83\x5e\x81\x5b\x83\x67\x83\x7b"
              "\x83\x5e\x83\x93\x82\xf0\x89\x9f\x82\xb5\x82\xc4\x82\xad\x82\xea"
              "\x82\xbd\x82\xdc\x82\xa6");  // "さあ、スタートボタンを押してくれたまえ"
}

TEST_F(RoundTest, CallingResetsTheFoldStreakAndNothingElseDoes) {
    for (int k = 0; k < 4; ++k) {
        PlayToBets({});
        FoldHand(match);
        TickUntilWaiting();
    }
    EXPECT_EQ(match.foldStreak, 4);

    // A deal the player deals, and a new match, leave the count alone.
    match.playerIsDealer = 1;
    PlayToBets({});
    ConfirmBet(match);
    TickUntilWaiting();
    EXPECT_EQ(match.foldStreak, 4);
    match.playerIsDealer = 0;
    match.playerMoney = 40;
    match.computerMoney = 0;
    PlayToBets({});
    EXPECT_EQ(match.foldStreak, 4);

    ConfirmBet(match);  // calls the computer's bet
    EXPECT_EQ(match.foldStreak, 0);
    TickUntilWaiting();
    PlayToBets({});
    FoldHand(match);
    EXPECT_EQ(match.foldStreak, 1);
}

TEST_F(RoundTest, TheLastDollarFoldedEndsTheMatch) {
    match.playerMoney = 1;
    match.computerMoney = 39;
    PlayToBets({});
    FoldHand(match);
    EXPECT_EQ(ReadableText(TableShown().speech.c_str()), u8"残念な選択だな");
    EXPECT_EQ(table.timerPeriod, 1000);
    TakeRecord(table);
    AdvanceRound(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(Stop(RoundTimer)
DrawMoney(40, 0)
ShowSpeech(君には残念だが、私の勝利だ\n\nもう一度私に挑戦したいならスタートボタンを押してくれたまえ)
DrawMouth(MouthOpen)
RequestRepaint()
Enable(OkButton, 0)
Enable(FoldButton, 0)
Enable(UpButton, 0)
Enable(DownButton, 0)
Enable(StartButton, 1)
Enable(BetBox, 0))");

    // The next Start begins a new match; the computer, winner of the last deal, deals.
    match.observation.lastWonBet = 3;
    match.observation.prevWonBet = 2;
    StartDeal(match);
    const std::string start = TakeRecord(table);
    EXPECT_EQ(start.substr(0, start.find("\nDrawCardFace")), "DrawMoney(20, 20)\nClearHandNames()");
    EXPECT_EQ(match.playerMoney, 20);
    EXPECT_EQ(match.computerMoney, 20);
    EXPECT_EQ(match.playerIsDealer, 0);
    EXPECT_EQ(match.observation.lastWonBet, 0);
    EXPECT_EQ(match.observation.prevWonBet, 0);
}

TEST_F(RoundTest, TheComputersOpeningLineFollowsItsBetAndThePlayersMoney) {
    struct Case {
        int bet;
        int playerMoney;
        const char* line;
    };
    const Case cases[] = {
        {5, 20,
         u8"おっ、なかなかいい手ができたぞ\\n\\n 5 ドル賭けよう\\n\\nぜひ挑戦してくれたまえ"},
        {10, 1,
         u8"おっ、なかなかいい手ができたぞ\\n\\n 10 ドル賭けよう\\n\\nぜひ挑戦してくれたまえ"},
        {4, 2, u8"それでは私は\\n4 ドル賭けよう\\n\\n今おりれば\\n私に １ ドル払うだけで済むぞ"},
        {1, 1, u8"それでは私は\\n1 ドル賭けよう\\n\\nあとがなくなったようだな"},
    };
    for (const Case& c : cases) {
        match = MatchState{};
        match.playerMoney = c.playerMoney;
        match.computerMoney = 40 - c.playerMoney;
        gScriptedOpponent.bets.push_back(c.bet);
        StartDeal(match);
        ChangeCards(match);
        for (int k = 0; k < 3; ++k) AdvanceRound(match);
        TakeRecord(table);
        AdvanceRound(match);
        const std::string record = TakeRecord(table);
        EXPECT_NE(record.find(std::string("ShowSpeech(") + c.line + ")"), std::string::npos)
            << record;
        EXPECT_NE(record.find("WriteBetBox(" + std::to_string(c.bet) + ")"), std::string::npos);
        EXPECT_EQ(match.computerBet, c.bet);
    }
}

TEST_F(RoundTest, ATooLargeBetIsRefusedAndChangesNothing) {
    match.playerIsDealer = 1;
    match.playerMoney = 37;
    match.computerMoney = 3;
    table.betBoxText = "3";
    gScriptedOpponent.bets.push_back(11);
    PlayToBets({});
    RaiseBet(match);  // the computer's money is not looked at: 4
    TakeRecord(table);
    const MatchState before = match;

    ConfirmBet(match);
    EXPECT_EQ(TakeRecord(table),
              u8R"(ClearSpeech()
ReadBetBox() -> 4
ShowSpeech(賭け数が大きすぎるようだな)
RequestRepaint())");
    EXPECT_EQ(TableShown().speech,
              "\x93\x71\x82\xaf\x90\x94\x82\xaa\x91\xe5\x82\xab\x82\xb7\x82\xac"
              "\x82\xe9\x82\xe6\x82\xa4\x82\xbe\x82\xc8");
    EXPECT_EQ(table.timerPeriod, 0);
    EXPECT_EQ(match.roundState, before.roundState);
    EXPECT_EQ(match.playerMoney, 37);
    EXPECT_EQ(match.computerMoney, 3);
    EXPECT_EQ(match.computerBet, before.computerBet);

    LowerBet(match);
    EXPECT_EQ(TakeRecord(table), "ReadBetBox() -> 4\nWriteBetBox(3)");
    ConfirmBet(match);
    const std::string accepted = TakeRecord(table);
    EXPECT_NE(accepted.find("ObserveDealerBet(3) -> 0"), std::string::npos) << accepted;
    EXPECT_EQ(match.roundState, RoundShowdown);
}

TEST_F(RoundTest, ShowdownsSettleByCategoryAndTiesGoToTheDealer) {
    struct Case {
        const char* name;
        int playerIsDealer;
        const char** computer;
        const char** player;
        int stake;
        int playerMoneyAfter;
        int dealerAfter;
        const char* line;
        int pause;
    };
    const Case cases[] = {
        {"tie, computer deals", 0, NoPairCards, OtherNoPairCards, 4, 16, 0,
         u8"ディーラーはそう簡単には譲れないな", 1000},
        {"tie, player deals", 1, NoPairCards, OtherNoPairCards, 4, 24, 1,
         u8"君の勝ちだ\\n\\nなかなかやるな", 800},
        {"player wins small, computer deals", 0, NoPairCards, PairCards, 3, 23, 1,
         u8"次は、君が\\nディーラーだ", 1500},
        {"player wins with a flush", 0, PairCards, FlushCards, 2, 22, 1,
         u8"なかなかいい手じゃないか\\n\\nさあ、次は君がディーラーだ", 1500},
        {"player wins with four of a kind", 0, FlushCards, QuadsCards, 2, 22, 1,
         u8"おう、素晴らしい手ができたな\\n\\nさあ、次は君がディーラーだ", 1500},
        {"computer wins, player deals", 1, QuadsCards, FlushCards, 5, 15, 0,
         u8"今度は私が\\nディーラーだ", 1500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        match = MatchState{};
        match.playerIsDealer = c.playerIsDealer;
        table.betBoxText = std::to_string(c.stake);
        gScriptedOpponent = ScriptedOpponent{};
        gScriptedOpponent.bets.push_back(c.playerIsDealer ? 11 : c.stake);
        DealCategories(*this, c.computer, c.player);
        PlayToBets({});
        ConfirmBet(match);
        TakeRecord(table);
        AdvanceRound(match);
        const std::string record = TakeRecord(table);
        EXPECT_EQ(record.substr(0, record.find("\nDrawCardFace")),
                  "Stop(RoundTimer)\nArm(RoundTimer, " + std::to_string(c.pause) +
                      ")\nShowSpeech(" + c.line + ")");
        EXPECT_EQ(match.playerMoney, c.playerMoneyAfter);
        EXPECT_EQ(match.computerMoney, 40 - c.playerMoneyAfter);
        EXPECT_EQ(match.playerIsDealer, c.dealerAfter);
    }
}

TEST_F(RoundTest, TheComputerDeniesPeekingOnlyAtThirtySixAndOnlyOnceInTen) {
    struct Case {
        int computerMoney;
        int draw;
        const char* line;
        int pause;
        long long draws;
    };
    const Case cases[] = {
        {31, 0,
         u8"断って置くが、私は君のカードを盗み見なんてしてない\\n君のゲームをじっくり観察しているだ"
         u8"けだ",
         2000, 1},
        {31, 10,
         u8"断って置くが、私は君のカードを盗み見なんてしてない\\n君のゲームをじっくり観察しているだ"
         u8"けだ",
         2000, 1},  // 10 % 10 = 0
        {31, 1, u8"今度は私が\\nディーラーだ", 1500, 1},
        {31, 9, u8"今度は私が\\nディーラーだ", 1500, 1},
        {30, 0, u8"今度は私が\\nディーラーだ", 1500, 0},  // reaches 35: no draw
        {32, 0, u8"今度は私が\\nディーラーだ", 1500, 0},  // reaches 37: no draw
        {35, 0, u8"私が勝ったようだな", 1000, 0},         // reaches 40
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.computerMoney * 100 + c.draw);
        match = MatchState{};
        match.playerIsDealer = 1;
        match.computerMoney = c.computerMoney;
        match.playerMoney = 40 - c.computerMoney;
        table.betBoxText = "5";
        gScriptedOpponent = ScriptedOpponent{};
        gScriptedOpponent.bets.push_back(11);
        DealCategories(*this, QuadsCards, FlushCards);
        PlayToBets({});
        ScriptDraws({99});  // the bold call line's draw
        ConfirmBet(match);
        ScriptDraws({c.draw});
        ResetRandomDrawCount();
        AdvanceRound(match);
        EXPECT_EQ(ReadableText(TableShown().speech.c_str()), c.line);
        EXPECT_EQ(table.timerPeriod, c.pause);
        EXPECT_EQ(CountRandomDraws(), c.draws);
        EXPECT_EQ(match.computerMoney, c.computerMoney + 5);
    }
}

TEST_F(RoundTest, MatchesEndOnEitherSideAndTheNextBeginsWithTheWinnerDealing) {
    struct Case {
        const char* name;
        int playerIsDealer;
        int playerMoney;
        const char** computer;
        const char** player;
        int computerAnswer;  // its bet, or its call limit when the player deals
        const char* showdownLine;
        const char* closingLine;
        int dealerAfter;
    };
    const char* const computerWins =
        u8"君には残念だが、私の勝利だ\\n\\nもう一度私に挑戦したいならスタートボタンを押してくれたま"
        u8"え";
    const char* const playerWins =
        u8"おめでとう\\n君の勝利だ\\n\\nもう一度プレーしたいならスタートボタンを押してくれたまえ";
    const Case cases[] = {
        {"computer deals and wins", 0, 4, QuadsCards, PairCards, 4, u8"私の勝ちだ", computerWins,
         0},
        {"computer deals, player wins", 0, 36, PairCards, QuadsCards, 4, u8"君の勝ちだ", playerWins,
         1},
        {"player deals and wins", 1, 35, PairCards, FlushCards, 11,
         u8"君の勝ちだ\\n\\nなかなかやるな", playerWins, 1},
        {"player deals, computer wins", 1, 5, FlushCards, PairCards, 11, u8"私が勝ったようだな",
         computerWins, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        match = MatchState{};
        match.playerIsDealer = c.playerIsDealer;
        match.playerMoney = c.playerMoney;
        match.computerMoney = 40 - c.playerMoney;
        table.betBoxText = std::to_string(c.playerIsDealer ? 5 : 1);
        gScriptedOpponent = ScriptedOpponent{};
        gScriptedOpponent.bets.push_back(c.computerAnswer);
        DealCategories(*this, c.computer, c.player);
        PlayToBets({});
        ScriptDraws({0});  // the call line's draw, when the player deals
        ConfirmBet(match);
        AdvanceRound(match);
        EXPECT_EQ(ReadableText(TableShown().speech.c_str()), c.showdownLine);
        AdvanceRound(match);
        EXPECT_EQ(ReadableText(TableShown().speech.c_str()), c.closingLine);
        EXPECT_TRUE(match.playerMoney == 40 || match.computerMoney == 40);
        TakeRecord(table);

        StartDeal(match);
        EXPECT_EQ(TakeRecord(table).rfind("DrawMoney(20, 20)\nClearHandNames()\n", 0), 0u);
        EXPECT_EQ(match.playerMoney, 20);
        EXPECT_EQ(match.computerMoney, 20);
        EXPECT_EQ(match.playerIsDealer, c.dealerAfter);
        EXPECT_EQ(match.observation.lastWonBet, 0)
            << "a new match forgets the player's winning stakes";
        EXPECT_EQ(match.roundState, RoundSelecting);
    }
}

TEST_F(RoundTest, TheComputerFoldsBelowThePlayersBetAndItsLineMayTakeADraw) {
    struct Case {
        int bet;
        int draw;
        const char* line;
        long long draws;
    };
    const Case cases[] = {
        {5, 61, u8"なかなか強気だな\\n\\n残念だが私は下りるとしよう", 1},
        {5, 60, u8"うーん… 私は下りるとしよう", 1},
        {4, 99, u8"うーん… 私は下りるとしよう", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bet * 100 + c.draw);
        match = MatchState{};
        match.playerIsDealer = 1;
        match.foldStreak = 2;
        table.betBoxText = std::to_string(c.bet);
        gScriptedOpponent = ScriptedOpponent{};
        gScriptedOpponent.bets.push_back(c.bet - 1);
        DealCategories(*this, QuadsCards, PairCards);  // its hand does not matter, only its answer
        PlayToBets({});
        ScriptDraws({c.draw});
        ResetRandomDrawCount();
        ConfirmBet(match);
        EXPECT_EQ(TakeRecord(table), "ClearSpeech()\nReadBetBox() -> " + std::to_string(c.bet) +
                                         "\nObserveDealerBet(" + std::to_string(c.bet) +
                                         ") -> 0\nChooseBet(8, 20, 1, 0, 0, 0) -> " +
                                         std::to_string(c.bet - 1) + "\nShowSpeech(" + c.line +
                                         ")\nRequestRepaint()\nArm(RoundTimer, 1000)\n"
                                         "Enable(OkButton, 0)\nEnable(FoldButton, 0)\n"
                                         "Enable(UpButton, 0)\nEnable(DownButton, 0)");
        EXPECT_EQ(CountRandomDraws(), c.draws);
        EXPECT_EQ(match.playerMoney, 21);
        EXPECT_EQ(match.computerMoney, 19);
        EXPECT_EQ(match.roundState, RoundSettled);
        EXPECT_EQ(match.playerIsDealer, 1);
        EXPECT_EQ(match.foldStreak, 2);
        AdvanceRound(match);
        EXPECT_EQ(TakeRecord(table).find("ObserveKeptCards"), std::string::npos)
            << "no showdown, no look at the kept cards";
    }
}

TEST_F(RoundTest, ThePlayersReachingFortyByTheComputersFoldShowsTheFoldLineFirst) {
    match.playerIsDealer = 1;
    match.playerMoney = 39;
    match.computerMoney = 1;
    table.betBoxText = "1";
    gScriptedOpponent.bets.push_back(0);
    PlayToBets({});
    ConfirmBet(match);
    EXPECT_EQ(TableShown().speech,
              "\x82\xa4\x81\x5b\x82\xf1\x81\x63\x20\x8e\x84\x82\xcd\x89\xba\x82"
              "\xe8\x82\xe9\x82\xc6\x82\xb5\x82\xe6\x82\xa4");  // "うーん… 私は下りるとしよう"
    AdvanceRound(match);
    EXPECT_EQ(
        ReadableText(TableShown().speech.c_str()),
        u8"おめでとう\\n君の勝利だ\\n\\nもう一度プレーしたいならスタートボタンを押してくれたまえ");
}

TEST_F(RoundTest, TheBoldCallLineDrawsOnlyWhenThePlayerDealsFiveOrMore) {
    // `limit`: the computer's answer when the player deals, its own bet otherwise.
    struct Case {
        int dealer;
        int bet;
        int limit;
        int draw;
        const char* line;
        long long draws;
    };
    const Case cases[] = {
        {1, 5, 11, 31, u8"なかなか強気だな\\n\\nだが、ここは勝負と行こう", 1},
        {1, 10, 11, 30, u8"よし、それなら勝負だ", 1},
        {1, 4, 11, 99, u8"よし、それなら勝負だ", 0},
        {1, 4, 4, 99, u8"よし、それなら勝負だ", 0},  // a limit equal to the bet calls it
        {0, 5, 5, 99, u8"よし、それなら勝負だ", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dealer * 10000 + c.bet * 100 + c.draw);
        match = MatchState{};
        match.playerIsDealer = c.dealer;
        table.betBoxText = std::to_string(c.bet);
        gScriptedOpponent = ScriptedOpponent{};
        gScriptedOpponent.bets.push_back(c.limit);
        PlayToBets({});
        ScriptDraws({c.draw});
        ResetRandomDrawCount();
        ConfirmBet(match);
        EXPECT_EQ(ReadableText(TableShown().speech.c_str()), c.line);
        EXPECT_EQ(CountRandomDraws(), c.draws);
        EXPECT_EQ(match.roundState, RoundShowdown);
    }
}

TEST_F(RoundTest, TheObservationIsConsultedOnlyAtItsMoments) {
    struct Case {
        const char* name;
        int dealer;
        int bet;
        int answer;
        bool fold;
        const char* expected;
    };
    // What the opponent hears in one deal, in order, from the deal to the closing tick.
    const Case cases[] = {
        {"computer deals, player calls", 0, 0, 3, false,
         "ChooseDiscards(*) -> 0|ChooseBet(0, 20, 0, 0, 0, 0) -> 3|ObserveKeptCards()"},
        {"computer deals, player folds", 0, 0, 3, true,
         "ChooseDiscards(*) -> 0|ChooseBet(0, 20, 0, 0, 0, 0) -> 3"},
        {"player deals, too large then called", 1, 25, 11, false,
         "ChooseDiscards(*) -> 0|ObserveDealerBet(10) -> 0|ChooseBet(0, 20, 1, 0, 0, 0) -> "
         "11|ObserveKeptCards()"},
        {"player deals, computer folds", 1, 7, 2, false,
         "ChooseDiscards(*) -> 0|ObserveDealerBet(7) -> 0|ChooseBet(0, 20, 1, 0, 0, 0) -> 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        match = MatchState{};
        match.playerIsDealer = c.dealer;
        table.betBoxText = std::to_string(c.bet);
        gScriptedOpponent = ScriptedOpponent{};
        gScriptedOpponent.bets.push_back(c.answer);
        RecordedLines(table).clear();
        DealCategories(*this, NoPairCards, PairCards);
        StartDeal(match);
        ChangeCards(match);
        TickUntilWaiting();
        if (c.fold) {
            FoldHand(match);
        } else {
            ConfirmBet(match);  // 25 is refused
            if (match.roundState == RoundBetting) {
                table.betBoxText = "10";
                ConfirmBet(match);
            }
        }
        TickUntilWaiting();
        std::string heard;
        for (const std::string& line : RecordedLines(table)) {
            if (line.rfind("Choose", 0) == 0 || line.rfind("Observe", 0) == 0) {
                if (!heard.empty()) heard += "|";
                heard += line.rfind("ChooseDiscards(", 0) == 0
                             ? "ChooseDiscards(*)" + line.substr(line.find(')') + 1)
                             : line;
            }
        }
        EXPECT_EQ(heard, c.expected);
    }
}
