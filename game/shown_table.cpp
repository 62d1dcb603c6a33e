// The opening table, and the questions every front end asks of a picture.
#include "game/shown_table.h"

namespace {

// The table picture's counters before the first settlement.
constexpr int OpeningMoney = 20;

}  // namespace

ShownTable OpeningTable() {
    ShownTable shown;
    for (SlotShown& slot : shown.slots) slot = SlotShowsBack;
    shown.computerMoney = OpeningMoney;
    shown.playerMoney = OpeningMoney;
    shown.mouths[0] = MouthGrin;
    shown.mouthCount = 1;
    return shown;
}

bool SlotMarked(const ShownTable& shown, int slot) {
    if (slot < 0 || slot >= SlotCount || shown.slots[slot] != SlotShowsFace) return false;
    const Card card = shown.cards[slot];
    return card >= 0 && card < DeckSize && shown.faceMarked[card];
}
