// The table in words, Shift-JIS: what a screen reader reads for each part of
// the table and what Ctrl+C puts on the clipboard.
#pragma once

#include <string>

#include "game/shown_table.h"

// "ハートの10", "スペードのA", "クラブのK".
std::string CardWords(Card card);
// A slot as shown: its card ("（選択中）" after a marked one), "裏" or "空き".
std::string SlotWords(const ShownTable& shown, int slot);
// "コンピューター 20ドル", "あなた 20ドル".
std::string MoneyWords(const ShownTable& shown, TableSide side);
// "あなたの役：ワンペア"; only the label while the strip is empty.
std::string HandNameWords(const ShownTable& shown, TableSide side);
// The shown hand name without its display spacing ("ワンペア"), or "".
std::string BareHandName(const ShownTable& shown, TableSide side);
// The opponent's line with its "\n" breaks left out.
std::string SpeechWords(const ShownTable& shown);

// The parts of the table in reading order: the line, the computer's five
// slots, the player's five, both hand names, both counters.
constexpr int TablePartCount = 15;
enum TablePart {
    SpeechPart = 0,
    FirstComputerSlotPart = 1,
    FirstPlayerSlotPart = 6,
    ComputerHandNamePart = 11,
    PlayerHandNamePart = 12,
    ComputerMoneyPart = 13,
    PlayerMoneyPart = 14,
};
std::string TablePartName(const ShownTable& shown, int part);

// Where a part lies on the table; any other number is taken as the player's counter.
TableRect PartRect(int part);
// The part under table pixel (x, y), or -1.
int PartAt(int x, int y);

// The whole table as text with CR LF line ends: the line (its breaks kept),
// both hands as shown, both hand names, both counters.
std::string DescribeTable(const ShownTable& shown);
