// The table for screen readers: an IAccessible for the main window's client
// area whose children are the parts of the table in reading order, then the
// seven controls' own objects.
#pragma once

#include <windows.h>

// Children 1..15 are the parts of game/table_words.h (child id = part + 1);
// 16..22 the controls, StartButton to BetBox.
constexpr long AccessibleControlChildFirst = 16;
constexpr long AccessibleChildCount = 22;

// WM_GETOBJECT: the table's object for OBJID_CLIENT, the default otherwise.
// The first such request starts COM on the thread for the program's lifetime.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam);
// At the program's end: COM stopped again when a request started it.
void EndAccessibility();

// A new line of the opponent: what screen readers speak for a changed status line.
void AnnounceSpeech(HWND window);
