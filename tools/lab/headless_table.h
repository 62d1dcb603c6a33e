// A table with no window for bluffwick-lab: it keeps the window's own state
// (the bet box, which controls are enabled, RoundTimer) and can print every
// operation as a game record. What the table shows is the game's TableShown.
#pragma once

#include <cstdint>
#include <cstdio>

#include "cards/cards.h"
#include "game/layout.h"
#include "game/match_state.h"
#include "game/table.h"

struct HeadlessTable {
    char betBox[16];
    bool enabled[ControlCount];
    int timerPeriod;  // 0 while RoundTimer is stopped
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

bool IsEnabled(const HeadlessTable& table, TableControl control);

// Writes one line of the game record (when tracing): "<ms> <text>".
void TraceLine(const HeadlessTable& table, const char* text);

// Shift-JIS as UTF-8, line breaks written as "\n"; for the record and for messages.
void AppendReadable(const char* shiftJis, char* out, int size);
