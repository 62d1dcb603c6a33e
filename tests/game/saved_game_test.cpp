// The saved game: a game carried on from its text plays exactly as the one that
// went on, and a text play cannot reach is refused with the running game kept.
#include <algorithm>
#include <cstdint>
#include <set>
#include <sstream>

#include "game/input.h"
#include "game/saved_game.h"
#include "game/shown_table.h"
#include "round_fixture.h"

namespace {

// The clock reads the move's number, so that each deal is shuffled afresh.
std::int64_t gSeconds = 0;
std::int64_t MoveSeconds() { return gSeconds; }
int Noon() { return 12; }

// One move of a player: a tick while RoundTimer runs, else the k-th of a few
// habits (marking, stepping the bet, folding), or Enter where it does not apply.
void Move(MatchState& match, int k) {
    gSeconds = 1700000000 + k;
    if (TableControlsShown().timerPeriod != 0) {
        AdvanceRound(match);
        return;
    }
    const GameInput habits[] = {Mark(k % 5),       Press(UpButton),   Mark((k + 2) % 5),
                                Press(FoldButton), Press(DownButton), Key(EnterKey)};
    if (!TakeInput(match, habits[k % 6])) TakeInput(match, Key(EnterKey));
}

// Where the deal stands, told apart as far as a save must carry it over.
std::string MomentOf(const MatchState& match) {
    const auto& marks = match.deal.playerDiscards;
    if (match.roundState == RoundSelecting && std::count(marks.begin(), marks.end(), 1))
        return "marked";
    if (match.roundState == RoundBetting && TableControlsShown().timerPeriod == 0) return "betting";
    return RoundStateName(match.roundState);
}

// The values of the line `name`, and the text with that line's values replaced
// (or the line taken out, for none).
std::vector<std::string> Values(const std::string& text, const std::string& name) {
    const std::size_t at = text.find("\n" + name + " ") + name.size() + 2;
    std::istringstream line(text.substr(at, text.find('\n', at) - at));
    std::vector<std::string> values;
    for (std::string word; line >> word;) values.push_back(word);
    return values;
}

std::string Edit(std::string text, const std::string& name,
                 const std::vector<std::string>& values) {
    const std::size_t at = text.find("\n" + name + " ") + 1;
    const std::size_t end = text.find('\n', at) + (values.empty() ? 1 : 0);
    std::string line = values.empty() ? "" : name;
    for (const std::string& value : values) line += " " + value;
    return text.replace(at, end - at, line);
}

// Everything a refused load must leave as it was, as one text.
std::string Look(const MatchState& match) {
    const ShownTable& shown = TableShown();
    const TableControls& controls = TableControlsShown();
    std::string look = SaveGame(match) + std::to_string(RandomState()) +
                       (shown.speechShown ? " said " : " quiet ") + shown.speech + "\n";
    for (int slot = 0; slot < SlotCount; ++slot)
        look += std::to_string(shown.slots[slot]) + ":" + std::to_string(shown.cards[slot]) + " ";
    for (bool on : controls.enabled) look += on ? '1' : '0';
    return look + " " + controls.betBox + " " + std::to_string(controls.timerPeriod);
}

// The controller tests' set-up under a name of its own.
struct SavedGameTest : RoundTest {};

}  // namespace

TEST_F(SavedGameTest, AGameLoadedFromItsSavePlaysOnAsTheOneThatWentOn) {
    constexpr int Moves = 96, Ahead = 9;
    SetClockSources(MoveSeconds, Noon);
    gScriptedOpponent = {
        {{1, {1, 0, 1, 0, 0}}, {0, {}}, {2, {1, 1, 1, 0, 0}}}, {3, 10, 2, 6, 1}, {1}};
    OpenTable(match);
    const auto playAhead = [&](int from) {
        std::string seen;
        for (int k = from; k < from + Ahead; ++k) {
            Move(match, k);
            seen += TakeRecord(table) + "\n";
        }
        return seen + SaveGame(match);
    };
    std::set<std::string> moments;
    for (int k = 0; k < Moves; ++k) {
        SCOPED_TRACE("move " + std::to_string(k));
        TakeRecord(table);
        moments.insert(MomentOf(match));
        const std::string saved = SaveGame(match);
        const MatchRecord record = match.record;
        const ScriptedOpponent script = gScriptedOpponent;
        const std::string wentOn = playAhead(k);

        std::string reason;
        ASSERT_TRUE(LoadGame(saved, match, reason)) << reason << "\n" << saved;
        EXPECT_EQ(SaveGame(match), saved);
        EXPECT_EQ(match.record, record);
        gScriptedOpponent = script;
        TakeRecord(table);
        EXPECT_EQ(playAhead(k), wentOn);

        ASSERT_TRUE(LoadGame(saved, match, reason)) << reason;
        gScriptedOpponent = script;
        Move(match, k);
    }
    for (const char* moment : {"marked", "RoundPlayerDraw", "RoundComputerDraw", "betting",
                               "RoundShowdown", "RoundSettled"})
        EXPECT_EQ(moments.count(moment), 1u) << moment;
    EXPECT_GE(match.record.deals.size(), 4u) << "the saves held the record of several deals";
}

TEST_F(SavedGameTest, TheRandomStreamResumesFromTheSave) {
    OpenTable(match);
    SeedRandom(4242);
    DrawRandom();
    const std::string saved = SaveGame(match);
    const int first[] = {DrawRandom(), DrawRandom(), DrawRandom()};
    std::string reason;
    ASSERT_TRUE(LoadGame(saved, match, reason)) << reason;
    for (int drawn : first) EXPECT_EQ(DrawRandom(), drawn);
}

TEST_F(SavedGameTest, ATextPlayCannotReachIsRefusedAndTheGameKept) {
    SeedRandom(99);
    OpenTable(match);
    StartDeal(match);
    ToggleDiscardAt(match, 1);
    const std::string choosing = SaveGame(match);
    ChangeCards(match);
    const std::string exchanging = SaveGame(match);  // the player's draw: 500 ms
    TickUntilWaiting();
    ASSERT_TRUE(match.roundState == RoundBetting && match.playerIsDealer == 0);
    const std::string betting = SaveGame(match);  // OK, Fold and the bet box
    ConfirmBet(match);
    TickUntilWaiting();
    ASSERT_EQ(match.roundState, RoundSettled);
    const std::string settled = SaveGame(match);  // Start only
    // The first version, which kept no record, carries on with an empty one.
    std::string first = settled.substr(0, settled.find("\ndeal ") + 1) + "end\n";
    first.replace(first.find(" 2\n"), 3, " 1\n");
    ASSERT_EQ(match.record.deals.size(), 1u);
    MatchState carried;
    std::string why;
    EXPECT_TRUE(LoadGame(first, carried, why)) << why << "\n" << first;
    EXPECT_TRUE(carried.record.deals.empty());
    EXPECT_EQ(carried.playerMoney, match.playerMoney);
    // The running game is another deal, so a load applied in part would show.
    StartDeal(match);
    ToggleDiscardAt(match, 3);

    std::vector<std::string> deck = Values(betting, "deck"), hands = Values(choosing, "hands");
    hands[0] = deck[15];  // position 15 is not dealt before the exchange
    deck[0] = deck[1];
    const std::string computerBet = Values(betting, "bets")[1];
    const std::size_t size = betting.size();
    // The settled deal's line with one value changed.
    const std::vector<std::string> deal = Values(settled, "deal");
    ASSERT_EQ(deal.size(), 12u);
    const auto dealWith = [&](std::size_t at, const std::string& value) {
        std::vector<std::string> values = deal;
        values[at] = value;
        return Edit(settled, "deal", values);
    };
    std::string handTwice = deal[7];
    handTwice.replace(handTwice.rfind('.') + 1, std::string::npos,
                      handTwice.substr(0, handTwice.find('.')));
    const std::string dealLine = settled.substr(settled.find("\ndeal ") + 1);
    const std::string twoDeals = settled.substr(0, settled.find("end\n")) + "deal 2 " +
                                 dealLine.substr(7, dealLine.find('\n') - 6) + "end\n";
    std::vector<std::string> called = Values(betting, "deal");
    called[6] = "call";
    struct Case {
        std::string text;
        const char* because;  // a word of the reason
    };
    const Case cases[] = {
        {"bluffwick-game 3" + betting.substr(betting.find('\n')), "version"},
        {first.substr(0, first.find("end\n")) + settled.substr(settled.find("deal ")), "end"},
        {dealWith(0, "2"), "numbered"},
        {dealWith(1, "x"), "dealer"},
        {dealWith(2, "40"), "deal"},
        {dealWith(7, deal[7] + ".3"), "five cards"},
        {dealWith(7, handTwice), "twice"},
        {dealWith(8, deal[7]), "both hands"},
        {dealWith(7, "52" + deal[7].substr(deal[7].find('.'))), "deal"},
        {dealWith(6, "fold"), "computer's hand"},
        {dealWith(8, "-"), "winner"},
        {dealWith(9, deal[9] == "p" ? "c" : "p"), "winner"},
        {dealWith(10, std::to_string(std::stoi(deal[10]) + 1)), "money"},
        {dealWith(10, "-"), "one side"},
        {dealWith(5, "11"), "deal"},
        {dealWith(3, "-"), "exchange"},
        {twoDeals, "follow"},
        {Edit(betting, "deal", called), "step"},
        {betting.substr(0, size / 3), ""},
        {betting.substr(0, 2 * size / 3), ""},
        {betting.substr(0, size - 4), "end"},
        {Edit(betting, "drawn", {}), "drawn"},
        {Edit(betting, "money", {"19", "20"}), "40"},
        {Edit(betting, "money", {"-1", "41"}), "money"},
        {Edit(betting, "deck", deck), "deck"},
        {Edit(betting, "next", {"9"}), "next"},
        {Edit(betting, "next", {"21"}), "next"},
        {Edit(choosing, "hands", hands), "hand"},
        {Edit(betting, "round", {"8"}), "round"},
        {Edit(betting, "round", {"12"}), "round"},
        {Edit(betting, "bets", {"0", computerBet}), "bet"},
        {Edit(betting, "bets", {"11", computerBet}), "bet"},
        {Edit(betting, "betbox", {"0"}), "betbox"},
        {Edit(betting, "betbox", {"11"}), "betbox"},
        {Edit(choosing, "controls", {"1100000"}), "controls"},
        {Edit(exchanging, "controls", {"0000100"}), "controls"},
        {Edit(betting, "timer", {"1000"}), "timer"},
        {Edit(exchanging, "timer", {"700"}), "timer"},
        {Edit(settled, "timer", {"1000"}), "timer"},
        {Edit(betting, "speech", {"8zz1"}), "speech"},
        {Edit(betting, "speech", {"82a"}), "speech"},
        {betting + "x\n", "after"},
        {betting + std::string(SavedGameMostBytes, '\n'), "long"},
        {"", "saved game"},
    };
    const std::string before = Look(match);
    std::string reason;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_FALSE(LoadGame(c.text, match, reason));
        EXPECT_NE(reason, "");
        EXPECT_NE(reason.find(c.because), std::string::npos) << reason;
        EXPECT_EQ(Look(match), before);
    }
    for (const std::string* text : {&choosing, &exchanging, &betting, &settled})
        EXPECT_TRUE(LoadGame(*text, match, reason)) << reason << "\n" << *text;
}
