// The keyboard: the game's keys handed to the core's input entry, Tab among
// the buttons, Ctrl+C and F1.
#include "view/table_keys.h"

#include <imm.h>

#include <cstring>

#include "game/input.h"
#include "game/round.h"
#include "game/table_words.h"
#include "shell/wide_text.h"
#include "view/main_window.h"

namespace {

bool IsRepeat(const MSG& message) { return (message.lParam & (1L << 30)) != 0; }

bool ControlHeld() { return GetKeyState(VK_CONTROL) < 0; }

// The game's keys go to the core's input entry, which acts only where the
// step has enabled the key's control.
void PressKey(GameKey key, const MSG& message, int position = 0) {
    TakeInput(gMatch, Key(key, IsRepeat(message), position));
}

int DigitPosition(WPARAM key) {
    if (key >= '1' && key <= '5') return static_cast<int>(key - '1');
    if (key >= VK_NUMPAD1 && key <= VK_NUMPAD5) return static_cast<int>(key - VK_NUMPAD1);
    return -1;
}

// Tab and Shift+Tab among the enabled buttons, from the focused one or, when
// the window itself holds the focus, from the first or the last.
void MoveAmongButtons(HWND window, bool backwards) {
    HWND focus = GetFocus();
    HWND from = IsChild(window, focus) ? focus : nullptr;
    HWND next = GetNextDlgTabItem(window, from, backwards ? TRUE : FALSE);
    if (next == nullptr || !IsWindowEnabled(next)) return;
    gTable.keyboardCues = true;
    SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(next);
}

bool HandleKeyDown(HWND window, const MSG& message) {
    const WPARAM key = message.wParam;
    const bool once = !IsRepeat(message);
    const int position = DigitPosition(key);
    if (position >= 0 && !ControlHeld()) {
        PressKey(CardKey, message, position);
        return true;
    }
    switch (key) {
    case VK_RETURN: PressKey(EnterKey, message); return true;
    case VK_UP:
    case VK_ADD: PressKey(UpKey, message); return true;
    case VK_DOWN:
    case VK_SUBTRACT: PressKey(DownKey, message); return true;
    case 'F':
        if (ControlHeld()) return false;
        PressKey(FoldKey, message);
        return true;
    case 'C':
        if (!ControlHeld()) return false;
        if (once) CopyTableText(window, TableShown(), gMatch.record);
        return true;
    case 'R':
        if (ControlHeld()) return false;
        if (once) ShowMatchRecord(window);
        return true;
    case VK_F1:
        if (once) HelpCommand(window);
        return true;
    case VK_TAB: MoveAmongButtons(window, GetKeyState(VK_SHIFT) < 0); return true;
    default: return false;
    }
}

}  // namespace

bool HandleTableKey(HWND window, const MSG& message) {
    if (message.hwnd != window && !IsChild(window, message.hwnd)) return false;
    switch (message.message) {
    case WM_KEYDOWN: return HandleKeyDown(window, message);
    case WM_CHAR:
        // "+" and "-" as typed, whatever the layout puts them on.
        if (message.wParam == '+') {
            PressKey(UpKey, message);
            return true;
        }
        if (message.wParam == '-') {
            PressKey(DownKey, message);
            return true;
        }
        return false;
    default: return false;
    }
}

int RunMessageLoop(HWND window) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (HandleTableKey(window, message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

void MoveFocusFrom(const TableView& view, HWND control) {
    SetFocus(view.window);
    // The handler that disabled the control may enable the next button right
    // after it (Start, then Change): choose once the handler is done.
    if (view.keyboardCues) {
        PostMessageW(view.window, WM_FOCUSNEXTBUTTON, GetDlgCtrlID(control), 0);
    }
}

void FocusNextButton(HWND window, int fromId) {
    if (GetFocus() != window) return;
    HWND from = GetDlgItem(window, fromId);
    if (from == nullptr) return;
    HWND next = GetNextDlgTabItem(window, from, FALSE);
    if (next != nullptr && next != from && IsWindowEnabled(next)) SetFocus(next);
}

bool CopyTableText(HWND window, const ShownTable& shown, const MatchRecord& record) {
    const std::wstring text =
        WidenCp932((DescribeTable(shown) + "\r\n" + MatchRecordWords(record)).c_str());
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) return false;
    void* locked = GlobalLock(memory);
    if (locked == nullptr) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(locked, text.c_str(), bytes);
    GlobalUnlock(memory);
    if (!OpenClipboard(window)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    // On success the clipboard owns the memory.
    const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!placed) GlobalFree(memory);
    return placed;
}

void TurnOffInputMethod(HWND window) {
    ImmAssociateContextEx(window, nullptr, IACE_CHILDREN);
    ImmAssociateContext(window, nullptr);
}
