// A table that writes down every operation the controller asks of it, one
// readable line per call with cards as card_notation.h writes them, and a
// scripted stand-in for the computer opponent that writes into the same record.
#pragma once

#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "cards/cards.h"
#include "game/table.h"

// The bet box as the core holds it: assigning writes the core's text (as a
// player's earlier steps would have left it), reading gives it back.
struct CoreBetBox {
    CoreBetBox& operator=(const std::string& text);
    operator std::string() const;
};
bool operator==(const CoreBetBox& box, const std::string& text);
std::ostream& operator<<(std::ostream& out, const CoreBetBox& box);

// RoundTimer's period as the core holds it; 0 while stopped.
struct CoreTimer {
    operator int() const;
};

// The core's record of table operations (game/table.h) for the tests, with
// the bet box and the timer read from the core.
struct RecordingTable {
    std::vector<std::string> lines;  // UTF-8, filled from the core's record by RecordedLines
    CoreBetBox betBoxText;
    CoreTimer timerPeriod;
};

// The recording table's operations: it is told of changes and draws nothing.
const TableOps& RecordingTableOps();
// Makes `table` the installed provider and starts the core's record.
void InstallRecordingTable(RecordingTable& table);
// Adds a line to the core's record (nothing when none is installed).
void RecordLine(const std::string& line);
// Removes it again and stops the record.
void RemoveRecordingTable();
// The core's lines since the last look, added to table.lines as UTF-8.
std::vector<std::string>& RecordedLines(RecordingTable& table);
// The lines recorded since the last call, joined by "\n", and forgets them.
std::string TakeRecord(RecordingTable& table);

// What the opponent stand-in answers; each call takes the front entry, or the
// default when its queue is empty.
struct DiscardAnswer {
    int answer;
    DiscardMask mask;
};
struct ScriptedOpponent {
    std::deque<DiscardAnswer> discards;  // default: keep all five
    std::deque<int> bets;                // default: 1
    std::deque<int> bluffs;              // ObserveDealerBet's answers, default 0
};
extern ScriptedOpponent gScriptedOpponent;
