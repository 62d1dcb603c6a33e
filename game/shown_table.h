// What the table last showed: kept by the Win32 view so that it can draw the
// table again at another DPI, and by every view to read it back in words for
// those who cannot see it (screen readers, the clipboard).
#pragma once

#include <string>

#include "game/layout.h"
#include "game/table.h"

enum SlotShown { SlotUntouched, SlotShowsFace, SlotShowsBack, SlotShowsEmpty };

struct ShownTable {
    SlotShown slots[SlotCount] = {};  // untouched slots show the back drawn at creation
    Card cards[SlotCount] = {};
    // The selection mark travels with a face's picture, so it is kept by card.
    bool faceMarked[DeckSize] = {};
    // Each mouth once, in the order last drawn: they overlap at different heights.
    MouthPicture mouths[3] = {};
    int mouthCount = 0;
    bool moneyShown = false;  // until then the table picture's own 20 and 20
    int computerMoney = 0;
    int playerMoney = 0;
    bool speechShown = false;
    std::string speech;      // Shift-JIS; empty after ClearSpeech
    bool nameShown[2] = {};  // by TableSide
    HandCategory categories[2] = {};
    std::string names[2];
};

// A mouth was drawn: it is now the topmost of those shown.
void RememberMouth(ShownTable& shown, MouthPicture mouth);
// Slot 0..9 now shows `what` (its card when a face); other slots are ignored.
void RememberSlot(ShownTable& shown, int slot, SlotShown what, Card card);
// The bubble now says `text` (Shift-JIS; "" once cleared).
void RememberSpeech(ShownTable& shown, const char* text);
void RememberMoney(ShownTable& shown, int computerMoney, int playerMoney);
void RememberHandName(ShownTable& shown, TableSide side, HandCategory category, const char* name);
void ForgetHandNames(ShownTable& shown);
// The face of `card` now carries the mark or not; cards outside the deck are ignored.
void RememberMark(ShownTable& shown, Card card, bool marked);
