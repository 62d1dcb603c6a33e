// The record of the match: whole matches played through the player's inputs,
// with the record checked after every move against a record the test keeps
// from what the table showed; and the record in words.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/input.h"
#include "game/match_record.h"
#include "game/shown_table.h"
#include "game/table_words.h"
#include "round_fixture.h"

namespace {

std::uint32_t gHabit = 12345;
int NextHabit() {
    gHabit = gHabit * 1103515245u + 12345u;
    return static_cast<int>(gHabit >> 16);
}

// A player of varied habits, and an opponent whose answers stay within both
// purses as the real one's do.
void Move(MatchState& match) {
    ScriptedOpponent& script = gScriptedOpponent;
    if (script.discards.empty()) {
        DiscardMask mask{};
        for (int& bit : mask) bit = NextHabit() % 3 == 0;
        script.discards.push_back(
            {static_cast<int>(std::count(mask.begin(), mask.end(), 1)), mask});
    }
    if (match.roundState == RoundBetting && script.bets.empty()) {
        const int most = std::min({4, match.playerMoney, match.computerMoney});
        script.bets.push_back(1 + NextHabit() % most);
    }
    if (TableControlsShown().timerPeriod != 0) {
        AdvanceRound(match);
        return;
    }
    const int k = NextHabit();
    const GameInput habits[] = {Mark(k % 5),       Press(UpButton),   Mark((k / 5) % 5),
                                Press(FoldButton), Press(DownButton), Press(UpButton),
                                Key(EnterKey),     Key(EnterKey)};
    if (!TakeInput(match, habits[(k / 25) % 8])) TakeInput(match, Key(EnterKey));
}

ShownHand ShownRow(int firstSlot, TableSide side) {
    const ShownTable& shown = TableShown();
    ShownHand hand{true, {}, shown.categories[side]};
    for (int k = 0; k < 5; ++k) hand.cards[k] = shown.cards[firstSlot + k];
    return hand;
}

int EmptySlots(int firstSlot) {
    int empty = 0;
    for (int slot = firstSlot; slot < firstSlot + 5; ++slot)
        empty += TableShown().slots[slot] == SlotShowsEmpty;
    return empty;
}

// The record as a witness keeps it: from the table and the inputs alone.
struct Witness {
    std::vector<DealRecord> deals;
    int marked = 0;

    void See(const MatchState& before, int timerBefore, const MatchState& after) {
        const ShownTable& shown = TableShown();
        const RoundState was = before.roundState, is = after.roundState;
        if (was == RoundSelecting && is == RoundPlayerDraw) marked = EmptySlots(FirstPlayerSlot);
        if ((was == RoundIdle || was == RoundSettled) && is == RoundSelecting) {
            if (was == RoundIdle || before.playerMoney == 40 || before.computerMoney == 40)
                deals.clear();
            DealRecord deal;
            deal.number = static_cast<int>(deals.size()) + 1;
            deal.playerDealt = after.playerIsDealer != 0;
            deal.playerMoneyBefore = shown.playerMoney;
            deals.push_back(deal);
            return;
        }
        if (deals.empty()) return;
        DealRecord& deal = deals.back();
        if (was == RoundPlayerDraw) {
            deal.playerChanged = marked;
            deal.playerHand = ShownRow(FirstPlayerSlot, PlayerSide);
        }
        if (was == RoundComputerDiscard) deal.computerChanged = EmptySlots(0);
        if (was == RoundBetting && timerBefore != 0 && !deal.playerDealt)
            deal.bet = std::atoi(TableControlsShown().betBox);
        if (was == RoundBetting && timerBefore == 0 && is != RoundBetting) {
            if (deal.playerDealt) deal.bet = std::atoi(TableControlsShown().betBox);
            deal.answer = is == RoundShowdown ? CallAnswer : FoldAnswer;
            if (is == RoundSettled)
                deal.winner = after.playerMoney > before.playerMoney ? PlayerWon : ComputerWon;
        }
        if (was == RoundShowdown) {
            deal.computerHand = ShownRow(0, ComputerSide);
            deal.winner = after.playerMoney > before.playerMoney ? PlayerWon : ComputerWon;
        }
        if (was == RoundSettled && timerBefore != 0) {
            deal.settled = true;
            deal.playerMoney = shown.playerMoney;
            deal.computerMoney = shown.computerMoney;
        }
    }
};

std::vector<std::string> Split(const std::string& text, const std::string& at) {
    std::vector<std::string> parts;
    for (std::size_t from = 0;;) {
        const std::size_t end = text.find(at, from);
        parts.push_back(text.substr(from, end - from));
        if (end == std::string::npos) return parts;
        from = end + at.size();
    }
}

// The words agree with the record: a paragraph per deal, named and numbered,
// the money after as the counters showed it, and after a fold none of the
// computer's cards, which the table never showed.
void CheckWords(const MatchRecord& record, const std::vector<Hand>& unshown) {
    std::string words = MatchRecordWords(record);
    ASSERT_EQ(words.substr(words.size() - 2), "\r\n");
    const std::vector<std::string> paragraphs =
        Split(words.substr(0, words.size() - 2), "\r\n\r\n");
    ASSERT_EQ(paragraphs.size(), record.deals.size());
    for (std::size_t k = 0; k < paragraphs.size(); ++k) {
        const DealRecord& deal = record.deals[k];
        const std::vector<std::string> lines = Split(paragraphs[k], "\r\n");
        EXPECT_EQ(lines[0], "第" + std::to_string(k + 1) + "ディール　ディーラー：" +
                                (deal.playerDealt ? "あなた" : "コンピューター"));
        if (deal.settled) {
            EXPECT_EQ(lines.back(), "所持金：コンピューター " + std::to_string(deal.computerMoney) +
                                        "ドル、あなた " + std::to_string(deal.playerMoney) +
                                        "ドル");
        }
        if (deal.answer != FoldAnswer) continue;
        for (Card card : unshown[k])
            EXPECT_EQ(paragraphs[k].find(CardWords(card)), std::string::npos) << "deal " << k + 1;
    }
}

}  // namespace

TEST_F(RoundTest, TheRecordFollowsWholeMatchesAsTheTableShowedThem) {
    SeedRandom(2024);
    gHabit = 777;
    OpenTable(match);
    Witness witness;
    std::vector<Hand> computerHands;  // each deal's, as dealt and exchanged
    int matches = 0, folds = 0, showdowns = 0, refusals = 0;
    for (int move = 0; move < 20000 && matches < 3; ++move) {
        SCOPED_TRACE("move " + std::to_string(move));
        const MatchState before = match;
        const int timerBefore = table.timerPeriod;
        Move(match);
        witness.See(before, timerBefore, match);
        if (match.roundState == RoundSelecting && before.roundState != RoundSelecting) {
            if (match.record.deals.size() == 1) computerHands.clear();
            computerHands.push_back({});
        }
        if (!computerHands.empty()) computerHands.back() = match.deal.computerHand;
        refusals += before.roundState == RoundBetting && match.roundState == RoundBetting &&
                    TableShown().speech.find("大きすぎる") != std::string::npos;
        ASSERT_EQ(match.record.deals, witness.deals);
        if (before.roundState == RoundSettled && timerBefore != 0) {
            const DealRecord& deal = match.record.deals.back();
            (deal.answer == FoldAnswer ? folds : showdowns) += 1;
            EXPECT_EQ(deal.playerMoney, match.playerMoney);
            EXPECT_EQ(deal.computerMoney, match.computerMoney);
            CheckWords(match.record, computerHands);
            if (match.playerMoney == 40 || match.computerMoney == 40) {
                ++matches;
                EXPECT_EQ(deal.winner, match.playerMoney == 40 ? PlayerWon : ComputerWon);
            }
        }
    }
    EXPECT_EQ(matches, 3);
    EXPECT_GT(folds, 2);
    EXPECT_GT(showdowns, 10);
    EXPECT_GT(refusals, 0) << "a bet refused as too large is played through";
}

TEST_F(RoundTest, ReadingTheRecordChangesNothingOfTheGame) {
    std::string runs[2];
    for (int reading = 0; reading < 2; ++reading) {
        RemoveRecordingTable();
        InstallRecordingTable(table);  // the table as it opens, both times
        table.betBoxText = "1";
        SeedRandom(31337);
        ResetRandomDrawCount();
        gHabit = 99;
        gScriptedOpponent = ScriptedOpponent{};
        match = MatchState{};
        OpenTable(match);
        TakeRecord(table);
        std::string words;
        for (int move = 0; move < 600; ++move) {
            Move(match);
            if (reading) words += MatchRecordWords(match.record);
        }
        runs[reading] = TakeRecord(table) + "\n" + std::to_string(RandomState()) + " " +
                        std::to_string(CountRandomDraws());
        if (reading) {
            EXPECT_GT(words.size(), 1000u);
        }
    }
    EXPECT_EQ(runs[0], runs[1]);
}

TEST(MatchRecordWords, SayEachDealInTheGamesOwnWords) {
    EXPECT_EQ(MatchRecordWords({}), "このマッチのディールはまだありません\r\n");
    MatchRecord record;
    RecordDealStart(record, true, false, 20);
    RecordPlayerDraw(record, 2, {0, 13, 7, 21, 11}, OnePair);
    RecordComputerChange(record, 0);
    RecordBet(record, 3);
    RecordFold(record);
    RecordDealClosed(record, 19, 21);
    RecordDealStart(record, false, true, 19);
    RecordPlayerDraw(record, 0, {1, 15, 29, 43, 5}, Straight);
    RecordComputerChange(record, 3);
    RecordBet(record, 4);
    RecordCall(record);
    EXPECT_EQ(MatchRecordWords(record),
              "第1ディール　ディーラー：コンピューター\r\n"
              "あなたの交換：2枚\r\n"
              "コンピューターの交換：なし\r\n"
              "コンピューターの賭け：3ドル\r\n"
              "あなたの応答：おりる（1ドル支払い）\r\n"
              "あなたの手札：スペードのA ハートのA スペードの8 ハートの9 スペードのQ"
              "（ワンペア）\r\n"
              "勝者：コンピューター\r\n"
              "所持金：コンピューター 21ドル、あなた 19ドル\r\n"
              "\r\n"
              "第2ディール　ディーラー：あなた\r\n"
              "あなたの交換：なし\r\n"
              "コンピューターの交換：3枚\r\n"
              "あなたの賭け：4ドル\r\n"
              "コンピューターの応答：勝負（4ドル）\r\n"
              "あなたの手札：スペードの2 ハートの3 クラブの4 ダイヤの5 スペードの6"
              "（ストレート）\r\n");
    RecordDealStart(record, true, false, 20);
    ASSERT_EQ(record.deals.size(), 1u);
    EXPECT_EQ(record.deals[0].number, 1) << "a new match clears the record";
}
