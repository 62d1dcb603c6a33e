// Forwards the controller's table operations to the installed provider.
#include "game/table.h"

namespace {

const TableOps* gOps = nullptr;
void* gContext = nullptr;

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
    return true;
}

// Without a provider drawing does nothing and the bet box reads as empty, so
// the controller can run before a table exists.

void ShowSpeech(const char* text) {
    if (gOps) gOps->showSpeech(gContext, text);
}

void ClearSpeech() {
    if (gOps) gOps->clearSpeech(gContext);
}

void DrawMouth(MouthPicture mouth) {
    if (gOps) gOps->drawMouth(gContext, mouth);
}

void DrawCardFace(int slot, Card card) {
    if (gOps) gOps->drawCardFace(gContext, slot, card);
}

void DrawCardBack(int slot) {
    if (gOps) gOps->drawCardBack(gContext, slot);
}

void DrawEmptySlot(int slot) {
    if (gOps) gOps->drawEmptySlot(gContext, slot);
}

void DrawMoney(int computerMoney, int playerMoney) {
    if (gOps) gOps->drawMoney(gContext, computerMoney, playerMoney);
}

void ShowHandName(TableSide side, HandCategory category, const char* name) {
    if (gOps) gOps->showHandName(gContext, side, category, name);
}

void MarkCard(int slot, Card card, bool marked) {
    if (gOps) gOps->markCard(gContext, slot, card, marked);
}

void ClearCardMark(Card card) {
    if (gOps) gOps->clearCardMark(gContext, card);
}

void ClearHandNames() {
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
