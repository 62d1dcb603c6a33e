// The shared set-up of the controller tests.
#include "round_fixture.h"

#include <algorithm>

#include "card_notation.h"
#include "game/layout.h"

namespace {

std::int64_t FixedSeconds() { return 1700000000; }
int FixedHour() { return 12; }

}  // namespace

void RoundTest::SetUp() {
    InstallRecordingTable(table);
    SetClockSources(FixedSeconds, FixedHour);
    gScriptedOpponent = ScriptedOpponent{};
    ClearRandomScript();
    ResetRandomDrawCount();
    table.betBoxText = "1";
}

void RoundTest::TearDown() {
    ClearRandomScript();
    RemoveRecordingTable();
    SetClockSources(nullptr, nullptr);
}

void RoundTest::ScriptDeck(std::initializer_list<const char*> top,
                           std::initializer_list<int> after) {
    // ShuffleDeck ranks one key per position, so keys equal to the wanted
    // cards give exactly that deck.
    draws.clear();
    for (const char* name : top) draws.push_back(ParseCard(name));
    for (Card card = 0; card < DeckSize; ++card) {
        if (std::find(draws.begin(), draws.begin() + static_cast<long>(top.size()), card) ==
            draws.begin() + static_cast<long>(top.size())) {
            draws.push_back(card);
        }
    }
    draws.insert(draws.end(), after.begin(), after.end());
    ScriptRandomDraws(draws.data(), static_cast<int>(draws.size()));
}

void RoundTest::ScriptDraws(std::initializer_list<int> values) {
    draws.assign(values.begin(), values.end());
    ScriptRandomDraws(draws.data(), static_cast<int>(draws.size()));
}

void RoundTest::TickUntilWaiting() {
    for (int guard = 0; table.timerPeriod != 0 && guard < 20; ++guard) AdvanceRound(match);
}

void RoundTest::PlayToBets(std::initializer_list<int> marks) {
    StartDeal(match);
    for (int i : marks) ToggleDiscard(match, SlotLeft(5 + i) + 1, SlotTop(5 + i) + 1);
    ChangeCards(match);
    TickUntilWaiting();
    TakeRecord(table);
}
