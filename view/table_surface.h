// The off-screen table picture and everything drawn on it: the Win32 provider
// of the game's table operations.
#pragma once

#include <windows.h>

#include "game/table.h"

constexpr int ControlCount = 7;  // ids StartButton (100) .. BetBox (106)
constexpr int CardFaceCount = 52;

// The drawing state of the main window, from its creation to its destruction.
struct TableView {
    HWND window = nullptr;
    HDC surface = nullptr;  // TableSurface: screen-sized, compatible with the window
    HBITMAP surfaceBitmap = nullptr;
    HPALETTE palette = nullptr;  // TablePalette, from the table picture's colours
    HBRUSH speechBrush = nullptr;
    HBRUSH stripBrush = nullptr;
    HFONT betBoxFont = nullptr;
    HFONT buttonFont = nullptr;
    HFONT speechFont = nullptr;
    HFONT handNameFont = nullptr;
    HFONT handNameNarrowFont = nullptr;
    // The 52 face pictures (header, colour table, pixels) in writable memory:
    // the selection mark edits their pixels in place.
    unsigned char* cardFaces[CardFaceCount] = {};
    HWND controls[ControlCount] = {};  // by TableControl - StartButton
};

// The main window's table.
extern TableView gTable;

// The operations of the game's seam; each draws into the TableView given as
// its context.
const TableOps& Win32TableOps();

HPALETTE CreateDibPalette(int id);
void BlitBitmapResource(HDC target, HWND window, int id, int x, int y);
void DrawDibResource(const TableView& view, int id, int x, int y);
void CreateTableFonts(TableView& view);
void CreateTableSurface(TableView& view, HWND window);
void PaintFromSurface(const TableView& view, HWND window);
void DestroyTableSurface(TableView& view);
