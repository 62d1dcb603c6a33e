// Playing from the keyboard: the game's keys, Tab among the buttons, Ctrl+C,
// and the focus kept on something that can take keys.
#pragma once

#include <windows.h>

#include "game/match_record.h"
#include "view/table_surface.h"

// A key message for the main window or one of its controls. The game's keys
// are handled here, before anything else sees them; true when the message was
// used up and must be neither translated nor dispatched.
bool HandleTableKey(HWND window, const MSG& message);

// The message loop of the program: the game's keys first, then the usual
// translation and dispatch. Returns the exit code of WM_QUIT.
int RunMessageLoop(HWND window);

// The focused control `control` has just been disabled: the focus goes to the
// window at once and, when the player moves about by keyboard, on to the next
// enabled button once the handler has finished, so keys keep arriving and no focus rectangle sits
// on a dead button.
void MoveFocusFrom(const TableView& view, HWND control);
// Posted by MoveFocusFrom; wParam is the disabled control's id.
constexpr UINT WM_FOCUSNEXTBUTTON = WM_APP + 1;
// The focus, still on the window, goes to the next enabled button after that control.
void FocusNextButton(HWND window, int fromId);

// The table and the match's record as Unicode text on the clipboard; false
// when the clipboard refused.
bool CopyTableText(HWND window, const ShownTable& shown, const MatchRecord& record);

// The main window and its controls take no input method: digits stay digits.
void TurnOffInputMethod(HWND window);
