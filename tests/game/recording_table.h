// A table that writes down every operation the controller asks of it, one
// readable line per call with cards as card_notation.h writes them, and a
// scripted stand-in for the computer opponent that writes into the same record.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "cards/cards.h"
#include "game/table.h"

struct RecordingTable {
    std::vector<std::string> lines;  // UTF-8, "\n" in texts written as a backslash and n
    std::string betBoxText;          // what the bet box holds, as written
    int timerPeriod = 0;             // 0 while RoundTimer is stopped
};

// The recording table's operations, filled member by member.
const TableOps& RecordingTableOps();
// Makes `table` the installed provider and the opponent's record.
void InstallRecordingTable(RecordingTable& table);
// Adds a line to the installed table's record (nothing when none is installed).
void RecordLine(const std::string& line);
// Removes it again.
void RemoveRecordingTable();
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
