// The Win32 provider of the game's table operations: each draws into the
// TableView it is given; what the table shows is kept by the game.
#include "view/table_surface.h"

#include "res/resource.h"
#include "shell/wide_text.h"
#include "view/table_accessible.h"
#include "view/table_keys.h"

namespace {

// Every operation draws into the TableView it was installed with.
TableView& View(void* context) { return *static_cast<TableView*>(context); }

void OpClearSpeech(void* context) { DrawSpeech(View(context), ""); }

void OpShowSpeech(void* context, const char* text) {
    TableView& view = View(context);
    DrawSpeech(view, text);
    AnnounceSpeech(view.window);
}

void OpDrawMouth(void* context, MouthPicture mouth) { DrawMouthPicture(View(context), mouth); }

void OpDrawCardFace(void* context, int slot, Card card) {
    DrawDibResource(View(context), IDB_CARD_FIRST + card, SlotLeft(slot), SlotTop(slot));
}

void OpDrawCardBack(void* context, int slot) {
    DrawDibResource(View(context), IDB_CARD_BACK, SlotLeft(slot), SlotTop(slot));
}

void OpDrawEmptySlot(void* context, int slot) {
    DrawDibResource(View(context), IDB_EMPTY_SLOT, SlotLeft(slot), SlotTop(slot));
}

void OpDrawMoney(void* context, int computerMoney, int playerMoney) {
    TableView& view = View(context);
    DrawCounter(view, computerMoney, ComputerMoneyTop);
    DrawCounter(view, playerMoney, PlayerMoneyTop);
}

void OpShowHandName(void* context, TableSide side, HandCategory category, const char* name) {
    DrawHandName(View(context), side, category, name);
}

void OpMarkCard(void* context, int slot, Card card, bool marked) {
    TableView& view = View(context);
    if (marked) {
        RecolourFace(view, card, FaceWhiteIndex, MarkCyanIndex);
    } else {
        RecolourFace(view, card, MarkCyanIndex, FaceWhiteIndex);
    }
    DrawDibResource(view, IDB_CARD_FIRST + card, SlotLeft(slot), SlotTop(slot));
}

void OpClearCardMark(void* context, Card card) {
    TableView& view = View(context);
    RecolourFace(view, card, MarkCyanIndex, FaceWhiteIndex);
}

void OpClearHandNames(void* context) { FillStrips(View(context)); }

void OpRequestRepaint(void* context) {
    TableView& view = View(context);
    InvalidateRect(view.window, nullptr, FALSE);
}

HWND ControlWindow(const TableView& view, TableControl control) {
    int index = control - StartButton;
    return index >= 0 && index < ControlCount ? view.controls[index] : nullptr;
}

void OpEnableControl(void* context, TableControl control, bool enabled) {
    TableView& view = View(context);
    HWND window = ControlWindow(view, control);
    if (window == nullptr) return;
    const bool hadFocus = !enabled && GetFocus() == window;
    EnableWindow(window, enabled ? TRUE : FALSE);
    if (hadFocus) MoveFocusFrom(view, window);
}

void OpArmRoundTimer(void* context, int milliseconds) {
    TableView& view = View(context);
    KillTimer(view.window, RoundTimer);
    SetTimer(view.window, RoundTimer, static_cast<UINT>(milliseconds), nullptr);
}

void OpStopRoundTimer(void* context) {
    TableView& view = View(context);
    KillTimer(view.window, RoundTimer);
}

void OpWriteBetBoxText(void* context, const char* text) {
    TableView& view = View(context);
    HWND box = ControlWindow(view, BetBox);
    if (box != nullptr) SetWindowTextW(box, WidenCp932(text).c_str());
}

constexpr TableOps Win32Ops = {
    .showSpeech = OpShowSpeech,
    .clearSpeech = OpClearSpeech,
    .drawMouth = OpDrawMouth,
    .drawCardFace = OpDrawCardFace,
    .drawCardBack = OpDrawCardBack,
    .drawEmptySlot = OpDrawEmptySlot,
    .drawMoney = OpDrawMoney,
    .showHandName = OpShowHandName,
    .markCard = OpMarkCard,
    .clearCardMark = OpClearCardMark,
    .clearHandNames = OpClearHandNames,
    .requestRepaint = OpRequestRepaint,
    .enableControl = OpEnableControl,
    .armRoundTimer = OpArmRoundTimer,
    .stopRoundTimer = OpStopRoundTimer,
    .writeBetBoxText = OpWriteBetBoxText,
    .changed = nullptr,  // it draws and runs its controls as each operation comes
};

}  // namespace

const TableOps& Win32TableOps() { return Win32Ops; }
