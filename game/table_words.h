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
// A hand name as EvaluateHand writes it ("ワ ン ペ ア"), without the spacing.
std::string WithoutSpacing(const std::string& name);
// The opponent's line with its "\n" breaks left out.
std::string SpeechWords(const ShownTable& shown);

// What a screen reader hears for a part of the table (game/layout.h), or ""
// for any other number.
std::string TablePartName(const ShownTable& shown, int part);

// The whole table as text with CR LF line ends: the line (its breaks kept),
// both hands as shown, both hand names, both counters.
std::string DescribeTable(const ShownTable& shown);
