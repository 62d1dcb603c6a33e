// Bet entry's stepping and clamping, the bet box's reading, the greeting by the
// hour and the hit test of the player's cards.
#include <cstring>

#include "game/input.h"
#include "game/shown_table.h"
#include "readable_text.h"
#include "round_fixture.h"

TEST_F(RoundTest, UpAndDownStepWithinTheirLimits) {
    struct Case {
        int playerMoney;
        const char* box;
        const char* afterUp;    // the box after one UpButton press from `box`
        const char* afterDown;  // ... after one DownButton press from `box`
    };
    const Case cases[] = {
        {20, "10", "10", "9"}, {20, "6", "7", "5"},
        {25, "9", "10", "8"},  {7, "7", "7", "6"},   // the player's money is the ceiling below 10
        {7, "5", "6", "4"},    {20, "1", "2", "1"},  // 1 is the floor
        {37, "3", "4", "2"},  // the computer's money is not looked at going up
        {37, "4", "5", "3"},  // above the computer's money: straight down to it
        {37, "8", "9", "3"},   {5, "8", "9", "5"},  // above the player's money: straight down to it
        {4, "9", "10", "4"},   {36, "9", "10", "4"},
        {36, "38", "39", "4"},  // above both: down to the computer's money
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.playerMoney) + " with " + c.box);
        match.playerMoney = c.playerMoney;
        match.computerMoney = 40 - c.playerMoney;

        table.betBoxText = c.box;
        match.playerBet = -1;
        RaiseBet(match);
        EXPECT_EQ(table.betBoxText, c.afterUp);
        EXPECT_EQ(match.playerBet, std::atoi(c.afterUp));
        const std::string up = TakeRecord(table);
        EXPECT_EQ(up.find("WriteBetBox") == std::string::npos, std::strcmp(c.box, c.afterUp) == 0)
            << "the box is written only when the amount changes";

        table.betBoxText = c.box;
        match.playerBet = -1;
        LowerBet(match);
        EXPECT_EQ(table.betBoxText, c.afterDown);
        EXPECT_EQ(match.playerBet, std::atoi(c.afterDown));
        TakeRecord(table);
    }
}

TEST_F(RoundTest, TheComputersLastBetIsWhereThePlayersSteppingStarts) {
    // The box shows 7 from the computer's bet; now the player deals.
    table.betBoxText = "7";
    match.playerIsDealer = 1;
    LowerBet(match);
    LowerBet(match);
    RaiseBet(match);
    EXPECT_EQ(TakeRecord(table),
              "ReadBetBox() -> 7\nWriteBetBox(6)\nReadBetBox() -> 6\nWriteBetBox(5)\n"
              "ReadBetBox() -> 5\nWriteBetBox(6)");
    EXPECT_EQ(match.playerBet, 6);
}

TEST_F(RoundTest, TheBetBoxReadsItsLeadingDigitsOfTheFirstTwoCharacters) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"7", 7}, {"10", 10}, {"123", 12}, {"7x", 7}, {"x7", 0}, {"", 0}, {" 5", 0}, {"-3", 0},
    };
    for (const Case& c : cases) {
        table.betBoxText = c.text;
        EXPECT_EQ(ReadBetBox(), c.value) << c.text;
    }
    for (int value : {1, 9, 10, 40}) {
        WriteBetBox(value);
        EXPECT_EQ(table.betBoxText, std::to_string(value));
    }
}

TEST_F(RoundTest, TheCheckHoldsTheBetWithinBothSidesMoney) {
    struct Case {
        int playerMoney;
        int bet;
        bool accepted;
    };
    const Case cases[] = {
        {20, 10, true}, {3, 3, true}, {3, 4, false}, {37, 3, true}, {37, 4, false}};
    for (const Case& c : cases) {
        match.playerMoney = c.playerMoney;
        match.computerMoney = 40 - c.playerMoney;
        EXPECT_EQ(CheckBet(match, c.bet), c.accepted) << c.playerMoney << " " << c.bet;
    }
}

TEST(Greeting, EveryHourHasItsGreeting) {
    const char* const tail =
        u8"それではゲームを始めるとしよう\\n\\nスタートボタンを押してくれたまえ";
    const std::string evening = std::string(u8"やあ、こんばんは\\n\\n") + tail;
    const std::string dusk = std::string(u8"やあ、こんばんは\\nいや、おはようかな？\\n") + tail;
    const std::string dawn = std::string(u8"やあ、おはよう\\nいや、こんばんはかな？\\n") + tail;
    const std::string early = std::string(u8"やあ、おはよう、ずいぶん早いね\\n\\n") + tail;
    const std::string morning = std::string(u8"やあ、おはよう\\n\\n") + tail;
    const std::string day = std::string(u8"やあ、こんにちは\\n\\n") + tail;
    const std::string* const byHour[24] = {
        &evening, &evening, &evening, &dusk,    &dawn,    &early,   &early,   &morning,
        &morning, &morning, &day,     &day,     &day,     &day,     &day,     &day,
        &day,     &day,     &evening, &evening, &evening, &evening, &evening, &evening,
    };
    for (int hour = 0; hour < 24; ++hour)
        EXPECT_EQ(ReadableText(MakeGreeting(hour)), *byHour[hour]) << hour;
    // The bytes themselves, as the window receives them.
    EXPECT_EQ(std::string(MakeGreeting(12)).substr(0, 18),
              "\x82\xe2\x82\xa0\x81\x41\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd\x0a\x0a");
}

TEST(PlayerSlots, EachCardOwnsItsLeftAndTopEdgesButNotItsRightAndBottom) {
    struct Case {
        int x;
        int y;
        int position;
    };
    const Case cases[] = {
        {200, 310, 0},      {275, 417, 0},  {276, 310, -1}, {199, 310, -1}, {200, 309, -1},
        {200, 418, -1},     {285, 310, 1},  {370, 360, 2},  {455, 360, 3},  {540, 310, 4},
        {615, 417, 4},      {616, 417, -1}, {200, 20, -1},  // the computer's row
        {65535, 65535, -1}, {0, 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindPlayerSlot(c.x, c.y), c.position) << c.x << "," << c.y;
}

TEST_F(RoundTest, ATableWithAGroupFilledInPartIsRefusedAndTheInstalledOneStays) {
    const auto noDraw = [](void*) {};
    TableOps drawsInPart{};
    drawsInPart.clearSpeech = noDraw;
    drawsInPart.requestRepaint = noDraw;
    TableOps timerOnly{};
    timerOnly.stopRoundTimer = noDraw;
    for (const TableOps& refused : {drawsInPart, timerOnly, TableOps{}}) {
        EXPECT_FALSE(InstallTable(&refused, &table));
        ShowSpeech("x");
        EXPECT_EQ(TakeRecord(table), "ShowSpeech(x)")
            << "the recording table is still the one in use";
    }

    // Without a table the core still keeps the picture and the controls.
    ASSERT_TRUE(InstallTable(nullptr, nullptr));
    ShowSpeech("y");
    table.betBoxText = "7";
    EXPECT_EQ(ReadBetBox(), 7);
    EXPECT_EQ(TableShown().speech, "y");
}

// The one input entry: each action runs only while the step has enabled its
// control, and only the arrows act on a held key's repeat.
TEST_F(RoundTest, InputsActOnlyWhereTheStepEnablesThem) {
    struct Case {
        const char* name;
        GameInput input;
        bool taken;
    };
    StartDeal(match);  // choosing cards: only Change is enabled
    TakeRecord(table);
    const Case choosing[] = {
        {"Start while choosing", Press(StartButton), false},
        {"OK while choosing", Press(OkButton), false},
        {"the bet box, never", Press(BetBox), false},
        {"no control", GameInput{PressInput, 99}, false},
        {"a mark off the hand", Mark(5), false},
        {"Fold key while choosing", Key(FoldKey), false},
        {"Up key while choosing", Key(UpKey, true), false},
        {"a digit held down", Key(CardKey, true, 2), false},
        {"a digit", Key(CardKey, false, 2), true},
        {"a mark", Mark(0), true},
        {"Enter held down", Key(EnterKey, true), false},
    };
    for (const Case& c : choosing) {
        EXPECT_EQ(TakeInput(match, c.input), c.taken) << c.name;
        EXPECT_EQ(!TakeRecord(table).empty(), c.taken) << c.name << ": ran anyway";
    }
    EXPECT_EQ(match.deal.playerDiscards, (DiscardMask{1, 0, 1, 0, 0}));

    // Enter presses Change; during the timed steps nothing is enabled.
    EXPECT_TRUE(TakeInput(match, Key(EnterKey)));
    EXPECT_EQ(match.roundState, RoundPlayerDraw);
    for (const GameInput& input : {Key(EnterKey), Press(ChangeButton), Mark(1), Key(DownKey)})
        EXPECT_FALSE(TakeInput(match, input));

    // The player dealing: the arrows step the bet, held down too; Fold is not enabled.
    match.playerIsDealer = 1;
    TickUntilWaiting();
    ASSERT_EQ(match.roundState, RoundBetting);
    EXPECT_TRUE(TakeInput(match, Key(UpKey, true)));
    EXPECT_TRUE(TakeInput(match, Key(UpKey)));
    EXPECT_TRUE(TakeInput(match, Key(DownKey, true)));
    EXPECT_EQ(table.betBoxText, "2");
    EXPECT_FALSE(TakeInput(match, Key(FoldKey)));
}
