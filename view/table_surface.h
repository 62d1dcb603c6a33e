// The off-screen table picture and everything drawn on it: the Win32 provider
// of the game's table operations.
#pragma once

#include <windows.h>

#include <string>

#include "game/layout.h"
#include "game/shown_table.h"
#include "game/table.h"
#include "view/dpi_scale.h"

// The main window's one timer, which paces the steps of a deal.
constexpr UINT_PTR RoundTimer = 1;
constexpr int CardFaceCount = 52;

// A colour of game/layout.h as GDI takes it.
constexpr COLORREF Colour(int rgb) { return RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// The drawing state of the main window, from its creation to its destruction.
struct TableView {
    int dpi = BaseDpi;  // device pixels are table pixels x dpi / 96
    HWND window = nullptr;
    HDC surface = nullptr;  // TableSurface: screen-sized, compatible with the window
    HBITMAP surfaceBitmap = nullptr;
    HPALETTE palette = nullptr;  // TablePalette, from the table picture's colours
    HBRUSH speechBrush = nullptr;
    HBRUSH stripBrush = nullptr;
    HFONT betBoxFont = nullptr;
    HFONT buttonFont = nullptr;
    HFONT speechFont = nullptr;
    HFONT speechFont96 =
        nullptr;  // away from 96 DPI: the speech font as at 96, for its line breaks
    HFONT handNameFont = nullptr;
    HFONT handNameNarrowFont = nullptr;
    // The 52 face pictures (header, colour table, pixels). Each points into the
    // resources until its card is first marked: the mark edits pixels in place,
    // so then it points at a copy of its own in `faceCopies`. Copying only then
    // keeps start-up from reading and holding all 52.
    const unsigned char* cardFaces[CardFaceCount] = {};
    unsigned char* faceCopies[CardFaceCount] = {};
    // The faces come from the four-colour deck's pictures instead.
    bool fourColourDeck = false;
    HWND controls[ControlCount] = {};  // by TableControl - StartButton
    HWND tips = nullptr;               // the tooltips naming each control's key
    bool tipsTried = false;            // made once, or failed once: never again
    // Set once the player moves among the buttons with Tab: from then on the
    // focus follows the buttons rather than parking on the window.
    bool keyboardCues = false;
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
// Drawing into the surface in table coordinates, at the view's DPI; the
// operations of the seam are made of these.
void RecolourFace(TableView& view, Card card, unsigned char from, unsigned char to);
void DrawSpeech(const TableView& view, const std::string& text);
void DrawHandName(const TableView& view, TableSide side, HandCategory category,
                  const std::string& name);
void FillStrips(const TableView& view);
void DrawMouthPicture(const TableView& view, MouthPicture mouth);
void DrawCounter(const TableView& view, int value, int top);
// Draws slot 0..9 as the table shows it.
void DrawSlot(const TableView& view, int slot);
// Draws the whole table as it shows now (TableShown), from the table picture up.
void DrawShownTable(const TableView& view);

// Shows the faces of the two-colour or the four-colour deck, the marks kept,
// and draws the table again; no step of the game runs.
void UseDeck(TableView& view, bool fourColour);

// Makes the fonts and the surface again at `dpi` and draws on it what the table
// shows; the face pictures and their marks are kept.
void RebuildTableSurface(TableView& view, int dpi);
