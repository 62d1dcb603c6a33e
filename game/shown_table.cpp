// Keeping what the table shows, for the views that read it back.
#include "game/shown_table.h"

void RememberMouth(ShownTable& shown, MouthPicture mouth) {
    int kept = 0;
    for (int k = 0; k < shown.mouthCount; ++k) {
        if (shown.mouths[k] != mouth) shown.mouths[kept++] = shown.mouths[k];
    }
    shown.mouths[kept++] = mouth;
    shown.mouthCount = kept;
}

void RememberSlot(ShownTable& shown, int slot, SlotShown what, Card card) {
    if (slot < 0 || slot >= SlotCount) return;
    shown.slots[slot] = what;
    shown.cards[slot] = card;
}
