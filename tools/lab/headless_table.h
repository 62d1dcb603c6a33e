// A table with no window for bluffwick-lab: it can print every operation as a
// game record. What the table shows, the controls, the bet box and RoundTimer
// are the core's (TableShown, TableControlsShown).
#pragma once

#include <cstdint>
#include <cstdio>

#include "cards/cards.h"
#include "game/layout.h"
#include "game/match_state.h"
#include "game/table.h"

struct HeadlessTable {
    // When set, every operation is printed as a line of the game record,
    // prefixed by *virtualMs, with the Japanese in UTF-8.
    std::FILE* trace;
    const std::int64_t* virtualMs;
};

// Installs the table as the controller's provider.
void InstallHeadlessTable(HeadlessTable& table, std::FILE* trace, const std::int64_t* virtualMs);

// Window creation as the program does it: the table as it opens, the seven controls with only Start
// enabled, the bet box at "1", then the game's own steps (greeting, the unseen deal).
void OpenHeadlessWindow(MatchState& match);

bool IsEnabled(TableControl control);
// RoundTimer's period; 0 while it is stopped.
int TimerPeriod();

// Writes one line of the game record (when tracing): "<ms> <text>".
void TraceLine(const HeadlessTable& table, const char* text);

// Shift-JIS as UTF-8, line breaks written as "\n"; for the record and for messages.
void AppendReadable(const char* shiftJis, char* out, int size);
