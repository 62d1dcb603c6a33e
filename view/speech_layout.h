// The speech's lines, broken where the 96-DPI table breaks them, so that a
// scaled table wraps the opponent's words at the same places.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Breaks `text` as DrawText with DT_WORDBREAK does in a box `width` pixels
// wide with `font96` (the speech font at its 96-DPI size): at "\n", and at
// the last place that fits where ScriptBreak allows a break, between Japanese
// characters as well as after a space; a word with no such place runs on,
// clipped. The answer is checked by drawing both ways at 96 DPI; empty when
// they differ, and the caller then lets DrawText wrap at device resolution.
std::vector<std::wstring> BreakSpeechLines(const std::wstring& text, HFONT font96, int width,
                                           int height);
