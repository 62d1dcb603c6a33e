// Forwards the controller's table operations to the installed provider, and
// keeps the one picture of what the table shows as they pass.
#include "game/table.h"

#include "game/shown_table.h"

namespace {

const TableOps* gOps = nullptr;
void* gContext = nullptr;
ShownTable gShown = OpeningTable();

bool ValidSlot(int slot) { return slot >= 0 && slot < SlotCount; }

void ShowInSlot(int slot, SlotShown what, Card card) {
    if (!ValidSlot(slot)) return;
    gShown.slots[slot] = what;
    gShown.cards[slot] = card;
}

void MarkFace(Card card, bool marked) {
    if (card >= 0 && card < DeckSize) gShown.faceMarked[card] = marked;
}

bool IsComplete(const TableOps& ops) {
    return ops.showSpeech && ops.clearSpeech && ops.drawMouth && ops.drawCardFace &&
           ops.drawCardBack && ops.drawEmptySlot && ops.drawMoney && ops.showHandName &&
           ops.markCard && ops.clearCardMark && ops.clearHandNames && ops.requestRepaint &&
           ops.enableControl && ops.armRoundTimer && ops.stopRoundTimer && ops.readBetBoxText &&
           ops.writeBetBoxText;
}

}  // namespace

bool InstallTable(const TableOps* ops, void* context) {
    if (ops != nullptr && !IsComplete(*ops)) return false;
    gOps = ops;
    gContext = ops != nullptr ? context : nullptr;
    gShown = OpeningTable();
    return true;
}

const ShownTable& TableShown() { return gShown; }

// Without a provider drawing does nothing and the bet box reads as empty, so
// the controller can run before a table exists. The picture is kept either way.

void ShowSpeech(const char* text) {
    gShown.speechShown = true;
    gShown.speech = text;
    if (gOps) gOps->showSpeech(gContext, text);
}

void ClearSpeech() {
    gShown.speechShown = true;
    gShown.speech.clear();
    if (gOps) gOps->clearSpeech(gContext);
}

void DrawMouth(MouthPicture mouth) {
    int kept = 0;
    for (int k = 0; k < gShown.mouthCount; ++k) {
        if (gShown.mouths[k] != mouth) gShown.mouths[kept++] = gShown.mouths[k];
    }
    gShown.mouths[kept++] = mouth;
    gShown.mouthCount = kept;
    if (gOps) gOps->drawMouth(gContext, mouth);
}

void DrawCardFace(int slot, Card card) {
    ShowInSlot(slot, SlotShowsFace, card);
    if (gOps) gOps->drawCardFace(gContext, slot, card);
}

void DrawCardBack(int slot) {
    ShowInSlot(slot, SlotShowsBack, 0);
    if (gOps) gOps->drawCardBack(gContext, slot);
}

void DrawEmptySlot(int slot) {
    ShowInSlot(slot, SlotShowsEmpty, 0);
    if (gOps) gOps->drawEmptySlot(gContext, slot);
}

void DrawMoney(int computerMoney, int playerMoney) {
    gShown.computerMoney = computerMoney;
    gShown.playerMoney = playerMoney;
    if (gOps) gOps->drawMoney(gContext, computerMoney, playerMoney);
}

void ShowHandName(TableSide side, HandCategory category, const char* name) {
    const int at = side == ComputerSide ? 0 : 1;
    gShown.nameShown[at] = true;
    gShown.categories[at] = category;
    gShown.names[at] = name;
    if (gOps) gOps->showHandName(gContext, side, category, name);
}

void MarkCard(int slot, Card card, bool marked) {
    MarkFace(card, marked);
    ShowInSlot(slot, SlotShowsFace, card);
    if (gOps) gOps->markCard(gContext, slot, card, marked);
}

void ClearCardMark(Card card) {
    MarkFace(card, false);
    if (gOps) gOps->clearCardMark(gContext, card);
}

void ClearHandNames() {
    gShown.nameShown[0] = gShown.nameShown[1] = false;
    if (gOps) gOps->clearHandNames(gContext);
}

void RequestRepaint() {
    if (gOps) gOps->requestRepaint(gContext);
}

void EnableControl(TableControl control, bool enabled) {
    if (gOps) gOps->enableControl(gContext, control, enabled);
}

void ArmRoundTimer(int milliseconds) {
    if (gOps) gOps->armRoundTimer(gContext, milliseconds);
}

void StopRoundTimer() {
    if (gOps) gOps->stopRoundTimer(gContext);
}

void ReadBetBoxText(char* text, int size) {
    if (size <= 0) return;
    text[0] = '\0';
    if (gOps) gOps->readBetBoxText(gContext, text, size);
    text[size - 1] = '\0';
}

void WriteBetBoxText(const char* text) {
    if (gOps) gOps->writeBetBoxText(gContext, text);
}

const char* MouthName(MouthPicture mouth) {
    switch (mouth) {
    case MouthClosed: return "MouthClosed";
    case MouthGrin: return "MouthGrin";
    case MouthOpen: return "MouthOpen";
    }
    return "Mouth?";
}

const char* ControlName(TableControl control) {
    switch (control) {
    case StartButton: return "StartButton";
    case ChangeButton: return "ChangeButton";
    case UpButton: return "UpButton";
    case DownButton: return "DownButton";
    case OkButton: return "OkButton";
    case FoldButton: return "FoldButton";
    case BetBox: return "BetBox";
    }
    return "Control?";
}

TableRect ControlRect(TableControl control) {
    switch (control) {
    case StartButton: return {10, 300, 90, 330};
    case ChangeButton: return {100, 300, 180, 330};
    case UpButton: return {120, 338, 140, 360};
    case DownButton: return {120, 361, 140, 383};
    case OkButton: return {10, 390, 90, 420};
    case FoldButton: return {100, 390, 180, 420};
    case BetBox: return {65, 342, 113, 372};
    }
    return {0, 0, 0, 0};
}

int MouthTop(MouthPicture mouth) {
    switch (mouth) {
    case MouthClosed: return MouthClosedTop;
    case MouthGrin: return MouthGrinTop;
    case MouthOpen: return MouthOpenTop;
    }
    return MouthOpenTop;
}
