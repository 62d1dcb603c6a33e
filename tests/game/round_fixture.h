// The shared set-up of the controller tests: the recording table installed, a
// fixed clock, the opponent stand-in cleared, and decks chosen card by card.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "card_notation.h"
#include "cards/random.h"
#include "game/match_state.h"
#include "game/round.h"
#include "recording_table.h"

struct RoundTest : ::testing::Test {
    RecordingTable table;
    MatchState match;
    std::vector<int> draws;

    void SetUp() override;
    void TearDown() override;

    // The next shuffle yields this deck: the named cards ("AS", "TH") first
    // (computer 0..4, player 5..9, then the replacements), the rest in code
    // order; `after` are the raw draws that follow the shuffle's 52.
    void ScriptDeck(std::initializer_list<const char*> top, std::initializer_list<int> after = {});
    // Scripts only the next raw draws.
    void ScriptDraws(std::initializer_list<int> values);

    // Start, click the given hand positions, Change, and tick until the
    // dealer's bet is open (or the deal waits). Clears the record.
    void PlayToBets(std::initializer_list<int> marks);
    // Ticks RoundTimer while it runs.
    void TickUntilWaiting();
};
