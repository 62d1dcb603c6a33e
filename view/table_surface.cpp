// The off-screen TableSurface, its palette, brushes and fonts, and every drawing
// operation the game asks of the table.
#include "view/table_surface.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "game/layout.h"
#include "res/resource.h"
#include "shell/wide_text.h"

TableView gTable;

namespace {

constexpr COLORREF SpeechWhite = RGB(255, 255, 255);
constexpr COLORREF StripGrey = RGB(194, 194, 194);
constexpr COLORREF HandNameBlue = RGB(0, 0, 255);
constexpr COLORREF SpeechBlack = RGB(0, 0, 0);

constexpr unsigned char FaceWhiteIndex = 1;
constexpr unsigned char MarkCyanIndex = 7;
constexpr int RoyalStraightCategory = 10;

struct FontRow {
    HFONT TableView::*font;
    int height;
    int width;
    int weight;
    DWORD pitch;
    const char* face;  // Shift-JIS, as the fonts are known on a Japanese system
};

// Created in this order; BetBoxFont's face is "MS" with no space before the katakana.
constexpr FontRow kFonts[] = {
    {&TableView::betBoxFont, 30, 20, FW_BOLD, FIXED_PITCH, "MSゴシック"},
    {&TableView::buttonFont, 26, 8, FW_NORMAL, DEFAULT_PITCH, "MS Pゴシック"},
    {&TableView::speechFont, 0, 0, FW_BOLD, DEFAULT_PITCH, "MS Pゴシック"},
    {&TableView::handNameFont, 28, 10, FW_NORMAL, DEFAULT_PITCH, "MS Pゴシック"},
    {&TableView::handNameNarrowFont, 28, 8, FW_NORMAL, DEFAULT_PITCH, "MS Pゴシック"},
};

const unsigned char* LockBitmapResource(int id, DWORD* size) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    if (found == nullptr) return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    if (loaded == nullptr) return nullptr;
    if (size != nullptr) *size = SizeofResource(module, found);
    return static_cast<const unsigned char*>(LockResource(loaded));
}

// Bytes from the start of a packed picture to its pixel rows.
size_t PixelOffset(const BITMAPINFOHEADER* header) {
    size_t colours = header->biClrUsed;
    if (colours == 0 && header->biBitCount <= 8) colours = size_t{1} << header->biBitCount;
    return header->biSize + 4 * colours;
}

size_t PixelBytes(const BITMAPINFOHEADER* header) {
    size_t stride = ((static_cast<size_t>(header->biWidth) * header->biBitCount + 31) / 32) * 4;
    return stride * static_cast<size_t>(std::abs(header->biHeight));
}

// The picture for `id`: a face from the writable copies, anything else from the resources.
const unsigned char* PictureBytes(int id) {
    int face = id - IDB_CARD_FIRST;
    if (face >= 0 && face < CardFaceCount && gTable.cardFaces[face] != nullptr)
        return gTable.cardFaces[face];
    return LockBitmapResource(id, nullptr);
}

void CopyCardFaces() {
    for (int face = 0; face < CardFaceCount; ++face) {
        DWORD size = 0;
        const unsigned char* bytes = LockBitmapResource(IDB_CARD_FIRST + face, &size);
        if (bytes == nullptr) continue;
        gTable.cardFaces[face] = static_cast<unsigned char*>(std::malloc(size));
        if (gTable.cardFaces[face] != nullptr) std::memcpy(gTable.cardFaces[face], bytes, size);
    }
}

// Replaces one palette index by another in a face's pixels.
void RecolourFace(Card card, unsigned char from, unsigned char to) {
    if (card < 0 || card >= CardFaceCount || gTable.cardFaces[card] == nullptr) return;
    unsigned char* picture = gTable.cardFaces[card];
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(picture);
    unsigned char* pixels = picture + PixelOffset(header);
    size_t count = PixelBytes(header);
    for (size_t i = 0; i < count; ++i) {
        if (pixels[i] == from) pixels[i] = to;
    }
}

void FillRect(int left, int top, int right, int bottom) {
    PatBlt(gTable.surface, left, top, right - left, bottom - top, PATCOPY);
}

// --- The operations of the game's seam -------------------------------------

void OpClearSpeech(void*) { FillRect(SpeechLeft, SpeechTop, SpeechRight, SpeechBottom); }

void OpShowSpeech(void* context, const char* text) {
    OpClearSpeech(context);
    SelectObject(gTable.surface, gTable.speechFont);
    SetTextColor(gTable.surface, SpeechBlack);
    SetBkColor(gTable.surface, SpeechWhite);
    RECT area = {SpeechLeft, SpeechTop, SpeechRight, SpeechBottom};
    std::wstring wide = WidenCp932(text);
    DrawTextW(gTable.surface, wide.c_str(), static_cast<int>(wide.size()), &area, DT_WORDBREAK);
}

void OpDrawMouth(void*, MouthPicture mouth) {
    int top = mouth == MouthClosed ? MouthClosedTop
              : mouth == MouthGrin ? MouthGrinTop
                                   : MouthOpenTop;
    BlitBitmapResource(gTable.surface, gTable.window, mouth, MouthLeft, top);
}

void OpDrawCardFace(void*, int slot, Card card) {
    DrawDibResource(IDB_CARD_FIRST + card, SlotLeft(slot), SlotTop(slot));
}

void OpDrawCardBack(void*, int slot) {
    DrawDibResource(IDB_CARD_BACK, SlotLeft(slot), SlotTop(slot));
}

void OpDrawEmptySlot(void*, int slot) {
    DrawDibResource(IDB_EMPTY_SLOT, SlotLeft(slot), SlotTop(slot));
}

void DrawCounter(int value, int top) {
    BlitBitmapResource(gTable.surface, gTable.window,
                       value < 10 ? IDB_BLANK_DIGIT : IDB_DIGIT_FIRST + value / 10, MoneyTensLeft,
                       top);
    BlitBitmapResource(gTable.surface, gTable.window, IDB_DIGIT_FIRST + value % 10, MoneyOnesLeft,
                       top);
}

void OpDrawMoney(void*, int computerMoney, int playerMoney) {
    DrawCounter(computerMoney, ComputerMoneyTop);
    DrawCounter(playerMoney, PlayerMoneyTop);
}

void OpShowHandName(void*, TableSide side, HandCategory category, const char* name) {
    SelectObject(gTable.surface, category == RoyalStraightCategory ? gTable.handNameNarrowFont
                                                                   : gTable.handNameFont);
    SetTextColor(gTable.surface, HandNameBlue);
    SetBkColor(gTable.surface, StripGrey);
    std::wstring wide = WidenCp932(name);
    TextOutW(gTable.surface, StripLeft, side == ComputerSide ? ComputerStripTop : PlayerStripTop,
             wide.c_str(), static_cast<int>(wide.size()));
}

void OpMarkCard(void*, int slot, Card card, bool marked) {
    if (marked) {
        RecolourFace(card, FaceWhiteIndex, MarkCyanIndex);
    } else {
        RecolourFace(card, MarkCyanIndex, FaceWhiteIndex);
    }
    DrawDibResource(IDB_CARD_FIRST + card, SlotLeft(slot), SlotTop(slot));
}

void OpClearCardMark(void*, Card card) { RecolourFace(card, MarkCyanIndex, FaceWhiteIndex); }

void OpClearHandNames(void*) {
    SelectObject(gTable.surface, gTable.stripBrush);
    FillRect(StripLeft, PlayerStripTop, StripRight, PlayerStripTop + StripHeight);
    FillRect(StripLeft, ComputerStripTop, StripRight, ComputerStripTop + StripHeight);
    SelectObject(gTable.surface, gTable.speechBrush);
}

void OpRequestRepaint(void*) { InvalidateRect(gTable.window, nullptr, FALSE); }

HWND ControlWindow(TableControl control) {
    int index = control - StartButton;
    return index >= 0 && index < ControlCount ? gTable.controls[index] : nullptr;
}

void OpEnableControl(void*, TableControl control, bool enabled) {
    HWND window = ControlWindow(control);
    if (window != nullptr) EnableWindow(window, enabled ? TRUE : FALSE);
}

constexpr UINT_PTR RoundTimer = 1;

void OpArmRoundTimer(void*, int milliseconds) {
    KillTimer(gTable.window, RoundTimer);
    SetTimer(gTable.window, RoundTimer, static_cast<UINT>(milliseconds), nullptr);
}

void OpStopRoundTimer(void*) { KillTimer(gTable.window, RoundTimer); }

void OpReadBetBoxText(void*, char* text, int size) {
    if (size <= 0) return;
    text[0] = '\0';
    HWND box = ControlWindow(BetBox);
    if (box == nullptr) return;
    wchar_t wide[64];
    GetWindowTextW(box, wide, 64);
    NarrowToCp932(wide, text, size);
}

void OpWriteBetBoxText(void*, const char* text) {
    HWND box = ControlWindow(BetBox);
    if (box != nullptr) SetWindowTextW(box, WidenCp932(text).c_str());
}

constexpr TableOps kWin32TableOps = {
    OpShowSpeech,     OpClearSpeech,     OpDrawMouth,     OpDrawCardFace,  OpDrawCardBack,
    OpDrawEmptySlot,  OpDrawMoney,       OpShowHandName,  OpMarkCard,      OpClearCardMark,
    OpClearHandNames, OpRequestRepaint,  OpEnableControl, OpArmRoundTimer, OpStopRoundTimer,
    OpReadBetBoxText, OpWriteBetBoxText,
};

}  // namespace

const TableOps& Win32TableOps() { return kWin32TableOps; }

HPALETTE CreateDibPalette(int id) {
    const unsigned char* picture = LockBitmapResource(id, nullptr);
    if (picture == nullptr) return nullptr;
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(picture);
    const RGBQUAD* colours = reinterpret_cast<const RGBQUAD*>(picture + header->biSize);
    constexpr int EntryCount = 256;
    size_t size = sizeof(LOGPALETTE) + (EntryCount - 1) * sizeof(PALETTEENTRY);
    auto* record = static_cast<LOGPALETTE*>(std::calloc(1, size));
    if (record == nullptr) return nullptr;
    record->palVersion = static_cast<WORD>(LOBYTE(LOWORD(GetVersion())));
    record->palNumEntries = EntryCount;
    for (int i = 0; i < EntryCount; ++i) {
        record->palPalEntry[i].peRed = colours[i].rgbRed;
        record->palPalEntry[i].peGreen = colours[i].rgbGreen;
        record->palPalEntry[i].peBlue = colours[i].rgbBlue;
    }
    HPALETTE palette = CreatePalette(record);
    std::free(record);
    return palette;
}

void BlitBitmapResource(HDC target, HWND window, int id, int x, int y) {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    HBITMAP picture = LoadBitmapW(instance, MAKEINTRESOURCEW(id));
    if (picture == nullptr) return;
    BITMAP size{};
    GetObjectW(picture, sizeof size, &size);
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(source, picture);
    BitBlt(target, x, y, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    DeleteObject(picture);
}

void DrawDibResource(int id, int x, int y) {
    const unsigned char* picture = PictureBytes(id);
    if (picture == nullptr) return;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(picture);
    const BITMAPINFOHEADER& header = info->bmiHeader;
    int height = std::abs(header.biHeight);
    SetDIBitsToDevice(gTable.surface, x, y, static_cast<DWORD>(header.biWidth),
                      static_cast<DWORD>(height), 0, 0, 0, static_cast<UINT>(height),
                      picture + PixelOffset(&header), info, DIB_RGB_COLORS);
}

void CreateTableFonts() {
    for (const FontRow& row : kFonts) {
        gTable.*row.font = CreateFontW(row.height, row.width, 0, 0, row.weight, FALSE, FALSE, FALSE,
                                       SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                       PROOF_QUALITY, row.pitch, WidenCp932(row.face).c_str());
    }
}

void CreateTableSurface(HWND window) {
    gTable.window = window;
    gTable.palette = CreateDibPalette(IDB_TABLE);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    HDC windowDc = GetDC(window);
    gTable.surface = CreateCompatibleDC(windowDc);
    gTable.surfaceBitmap = CreateCompatibleBitmap(windowDc, screenWidth, screenHeight);
    SelectObject(gTable.surface, gTable.surfaceBitmap);
    gTable.speechBrush = CreateSolidBrush(SpeechWhite);
    SelectObject(gTable.surface, gTable.speechBrush);
    gTable.stripBrush = CreateSolidBrush(StripGrey);
    SelectPalette(gTable.surface, gTable.palette, FALSE);
    RealizePalette(gTable.surface);
    CopyCardFaces();
    DrawDibResource(IDB_TABLE, 0, 0);
    for (int i = 0; i < 5; ++i) {
        OpDrawCardBack(nullptr, 5 + i);
        OpDrawCardBack(nullptr, i);
    }
    OpDrawMoney(nullptr, 20, 20);
    OpDrawMouth(nullptr, MouthGrin);
    ReleaseDC(window, windowDc);
}

void PaintFromSurface(HWND window) {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    const RECT& dirty = paint.rcPaint;
    BitBlt(target, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top,
           gTable.surface, dirty.left, dirty.top, SRCCOPY);
    EndPaint(window, &paint);
}

void DestroyTableSurface() {
    // The surface goes first, so that nothing below is still selected into it.
    DeleteDC(gTable.surface);
    DeleteObject(gTable.surfaceBitmap);
    DeleteObject(gTable.speechBrush);
    DeleteObject(gTable.stripBrush);
    DeleteObject(gTable.palette);
    DeleteObject(gTable.betBoxFont);
    DeleteObject(gTable.buttonFont);
    DeleteObject(gTable.handNameFont);
    DeleteObject(gTable.handNameNarrowFont);
    DeleteObject(gTable.speechFont);
    for (unsigned char*& face : gTable.cardFaces) {
        std::free(face);
        face = nullptr;
    }
    HWND window = gTable.window;
    gTable = TableView{};
    gTable.window = window;
}
