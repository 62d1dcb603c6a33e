// What the table shows: one picture, kept by the table's forwarders as every
// drawing operation passes through them. Front ends draw it again at any scale
// or layout, and read it back in words for those who cannot see it (screen
// readers, the clipboard); none keeps a copy of its own.
#pragma once

#include <string>

#include "game/layout.h"
#include "game/table.h"

enum SlotShown { SlotShowsBack, SlotShowsFace, SlotShowsEmpty };

struct ShownTable {
    SlotShown slots[SlotCount] = {};
    Card cards[SlotCount] = {};  // the card of each slot that shows a face
    // The selection mark travels with a face's picture, so it is kept by card.
    bool faceMarked[DeckSize] = {};
    // Each mouth once, in the order last drawn: they overlap at different heights.
    MouthPicture mouths[3] = {};
    int mouthCount = 0;
    int computerMoney = 0;
    int playerMoney = 0;
    bool speechShown = false;        // until then the table picture's own empty bubble
    std::string speech;              // Shift-JIS; empty after ClearSpeech
    bool nameShown[SideCount] = {};  // by TableSide
    HandCategory categories[SideCount] = {};
    std::string names[SideCount];
};

// The table as it opens: backs in the ten slots, both counters at 20, the
// grin, and the bubble as the table picture has it.
ShownTable OpeningTable();

// What the table shows now: the opening table as InstallTable started it,
// with every drawing operation since then.
const ShownTable& TableShown();

// The face of slot 0..9 carries the selection mark.
bool SlotMarked(const ShownTable& shown, int slot);
