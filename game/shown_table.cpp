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

void RememberSpeech(ShownTable& shown, const char* text) {
    shown.speechShown = true;
    shown.speech = text;
}

void RememberMoney(ShownTable& shown, int computerMoney, int playerMoney) {
    shown.moneyShown = true;
    shown.computerMoney = computerMoney;
    shown.playerMoney = playerMoney;
}

void RememberHandName(ShownTable& shown, TableSide side, HandCategory category, const char* name) {
    const int at = side == ComputerSide ? 0 : 1;
    shown.nameShown[at] = true;
    shown.categories[at] = category;
    shown.names[at] = name;
}

void ForgetHandNames(ShownTable& shown) { shown.nameShown[0] = shown.nameShown[1] = false; }

void RememberMark(ShownTable& shown, Card card, bool marked) {
    if (card >= 0 && card < DeckSize) shown.faceMarked[card] = marked;
}
