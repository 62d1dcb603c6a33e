// The off-screen TableSurface, its palette, brushes and fonts, and every drawing
// operation the game asks of the table.
#include "view/table_surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "game/layout.h"
#include "res/resource.h"
#include "shell/wide_text.h"
#include "view/speech_layout.h"

TableView gTable;

namespace {

struct FontRow {
    HFONT TableView::*font;
    int height;
    int width;
    int weight;
    DWORD pitch;
    const char* face;  // Shift-JIS, as the fonts are known on a Japanese system
};

// Created in this order; BetBoxFont's face is "MS" with no space before the katakana.
constexpr FontRow FontRows[] = {
    {&TableView::betBoxFont, 30, 20, FW_BOLD, FIXED_PITCH, "MSゴシック"},
    {&TableView::buttonFont, 26, 8, FW_NORMAL, DEFAULT_PITCH, "MS Pゴシック"},
    {&TableView::speechFont, 0, 0, FW_BOLD, DEFAULT_PITCH, "MS Pゴシック"},
    {&TableView::handNameFont, HandNameFontHeight, HandNameFontWidth, FW_NORMAL, DEFAULT_PITCH,
     "MS Pゴシック"},
    {&TableView::handNameNarrowFont, HandNameFontHeight, HandNameNarrowFontWidth, FW_NORMAL,
     DEFAULT_PITCH, "MS Pゴシック"},
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
const unsigned char* PictureBytes(const TableView& view, int id) {
    int face = id - IDB_CARD_FIRST;
    if (face >= 0 && face < CardFaceCount && view.cardFaces[face] != nullptr)
        return view.cardFaces[face];
    return LockBitmapResource(id, nullptr);
}

// The first face picture of the deck shown; the drawing calls name a face by
// IDB_CARD_FIRST + card whichever deck it comes from.
int FirstFacePicture(const TableView& view) {
    return view.fourColourDeck ? IDB_FOUR_CARD_FIRST : IDB_CARD_FIRST;
}

void FindCardFaces(TableView& view) {
    for (int face = 0; face < CardFaceCount; ++face) {
        view.cardFaces[face] = LockBitmapResource(FirstFacePicture(view) + face, nullptr);
    }
}

// The face's own writable copy, made on first need; null if memory ran out.
unsigned char* WritableFace(TableView& view, Card card) {
    if (view.faceCopies[card] == nullptr) {
        DWORD size = 0;
        const unsigned char* bytes = LockBitmapResource(FirstFacePicture(view) + card, &size);
        if (bytes == nullptr) return nullptr;
        view.faceCopies[card] = static_cast<unsigned char*>(std::malloc(size));
        if (view.faceCopies[card] == nullptr) return nullptr;
        std::memcpy(view.faceCopies[card], bytes, size);
        view.cardFaces[card] = view.faceCopies[card];
    }
    return view.faceCopies[card];
}

HFONT MakeFont(const FontRow& row, int height, int width) {
    return CreateFontW(height, width, 0, 0, row.weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, row.pitch,
                       WidenCp932(row.face).c_str());
}

int DefaultFontHeight(const FontRow& row) {
    HFONT font = MakeFont(row, 0, 0);
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    return metrics.tmHeight;
}

// The surface covers the whole screen, and the whole scaled table where that
// is larger than the screen.
void MakeSurface(TableView& view, HWND window) {
    view.window = window;
    view.palette = CreateDibPalette(IDB_TABLE);
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    if (view.dpi != BaseDpi) {
        width = std::max(width, ScaleToDevice(TableWidth, view.dpi));
        height = std::max(height, ScaleToDevice(TableHeight, view.dpi));
    }
    HDC windowDc = GetDC(window);
    view.surface = CreateCompatibleDC(windowDc);
    view.surfaceBitmap = CreateCompatibleBitmap(windowDc, width, height);
    SelectObject(view.surface, view.surfaceBitmap);
    view.speechBrush = CreateSolidBrush(Colour(SpeechWhite));
    SelectObject(view.surface, view.speechBrush);
    view.stripBrush = CreateSolidBrush(Colour(StripGrey));
    SelectPalette(view.surface, view.palette, FALSE);
    RealizePalette(view.surface);
    if (view.dpi != BaseDpi) {
        // Whole multiples repeat each pixel exactly; other scales are filtered.
        const bool whole = view.dpi % BaseDpi == 0;
        SetStretchBltMode(view.surface, whole ? COLORONCOLOR : HALFTONE);
        SetBrushOrgEx(view.surface, 0, 0, nullptr);
    }
    ReleaseDC(window, windowDc);
}

void DeleteSurfaceAndFonts(TableView& view) {
    // The surface goes first, so that nothing below is still selected into it.
    DeleteDC(view.surface);
    DeleteObject(view.surfaceBitmap);
    DeleteObject(view.speechBrush);
    DeleteObject(view.stripBrush);
    DeleteObject(view.palette);
    for (const FontRow& row : FontRows) DeleteObject(view.*row.font);
    if (view.speechFont96 != nullptr) DeleteObject(view.speechFont96);
    view.speechFont96 = nullptr;
}

}  // namespace

// Replaces one palette index by another in a face's pixels. A face with no
// such pixel is left alone, so that clearing an unmarked card copies nothing.
void RecolourFace(TableView& view, Card card, unsigned char from, unsigned char to) {
    if (card < 0 || card >= CardFaceCount || view.cardFaces[card] == nullptr) return;
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(view.cardFaces[card]);
    const size_t offset = PixelOffset(header);
    const size_t count = PixelBytes(header);
    const unsigned char* shown = view.cardFaces[card] + offset;
    if (std::find(shown, shown + count, from) == shown + count) return;
    unsigned char* picture = WritableFace(view, card);
    if (picture == nullptr) return;
    std::replace(picture + offset, picture + offset + count, from, to);
}

namespace {

int Device(const TableView& view, int value) { return ScaleToDevice(value, view.dpi); }

void FillRect(const TableView& view, const TableRect& rect) {
    PatBlt(view.surface, Device(view, rect.left), Device(view, rect.top),
           Device(view, rect.right) - Device(view, rect.left),
           Device(view, rect.bottom) - Device(view, rect.top), PATCOPY);
}

// A picture that is not a card: at 96 DPI through a device-dependent bitmap,
// as it always was; at other DPIs scaled like the cards.
void DrawPicture(const TableView& view, int id, int x, int y) {
    if (view.dpi == BaseDpi) {
        BlitBitmapResource(view.surface, view.window, id, x, y);
    } else {
        DrawDibResource(view, id, x, y);
    }
}

}  // namespace

void DrawSpeech(const TableView& view, const std::string& text) {
    FillRect(view, SpeechRect);
    if (text.empty()) return;
    SelectObject(view.surface, view.speechFont);
    SetTextColor(view.surface, Colour(SpeechBlack));
    SetBkColor(view.surface, Colour(SpeechWhite));
    RECT area = {Device(view, SpeechRect.left), Device(view, SpeechRect.top),
                 Device(view, SpeechRect.right), Device(view, SpeechRect.bottom)};
    std::wstring wide = WidenCp932(text.c_str());
    std::vector<std::wstring> lines;
    if (view.dpi != BaseDpi) {
        lines = BreakSpeechLines(wide, view.speechFont96, SpeechRect.right - SpeechRect.left,
                                 SpeechRect.bottom - SpeechRect.top);
    }
    if (lines.empty()) {
        DrawTextW(view.surface, wide.c_str(), static_cast<int>(wide.size()), &area, DT_WORDBREAK);
        return;
    }
    // The lines of the 96-DPI table, each drawn at device resolution.
    TEXTMETRICW metrics{};
    GetTextMetricsW(view.surface, &metrics);
    for (size_t k = 0; k < lines.size(); ++k) {
        ExtTextOutW(view.surface, area.left, area.top + static_cast<int>(k) * metrics.tmHeight,
                    ETO_CLIPPED, &area, lines[k].c_str(), static_cast<UINT>(lines[k].size()),
                    nullptr);
    }
}

void DrawHandName(const TableView& view, TableSide side, HandCategory category,
                  const std::string& name) {
    SelectObject(view.surface,
                 category == RoyalStraightFlush ? view.handNameNarrowFont : view.handNameFont);
    SetTextColor(view.surface, Colour(HandNameBlue));
    SetBkColor(view.surface, Colour(StripGrey));
    std::wstring wide = WidenCp932(name.c_str());
    const TableRect strip = StripRect(side);
    TextOutW(view.surface, Device(view, strip.left), Device(view, strip.top), wide.c_str(),
             static_cast<int>(wide.size()));
}

void FillStrips(const TableView& view) {
    SelectObject(view.surface, view.stripBrush);
    FillRect(view, StripRect(PlayerSide));
    FillRect(view, StripRect(ComputerSide));
    SelectObject(view.surface, view.speechBrush);
}

void DrawMouthPicture(const TableView& view, MouthPicture mouth) {
    DrawPicture(view, mouth, MouthLeft, MouthTop(mouth));
}

void DrawSlot(const TableView& view, int slot) {
    const ShownTable& shown = TableShown();
    switch (shown.slots[slot]) {
    case SlotShowsFace:
        DrawDibResource(view, IDB_CARD_FIRST + shown.cards[slot], SlotLeft(slot), SlotTop(slot));
        break;
    case SlotShowsBack: DrawDibResource(view, IDB_CARD_BACK, SlotLeft(slot), SlotTop(slot)); break;
    case SlotShowsEmpty:
        DrawDibResource(view, IDB_EMPTY_SLOT, SlotLeft(slot), SlotTop(slot));
        break;
    }
}

void DrawCounter(const TableView& view, int value, int top) {
    DrawPicture(view, value < 10 ? IDB_BLANK_DIGIT : IDB_DIGIT_FIRST + value / 10, MoneyTensLeft,
                top);
    DrawPicture(view, IDB_DIGIT_FIRST + value % 10, MoneyOnesLeft, top);
}

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

void DrawDibResource(const TableView& view, int id, int x, int y) {
    const unsigned char* picture = PictureBytes(view, id);
    if (picture == nullptr) return;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(picture);
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const int width = header.biWidth;
    const int height = std::abs(header.biHeight);
    const unsigned char* pixels = picture + PixelOffset(&header);
    if (view.dpi == BaseDpi) {
        SetDIBitsToDevice(view.surface, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height),
                          0, 0, 0, static_cast<UINT>(height), pixels, info, DIB_RGB_COLORS);
        return;
    }
    // Edges are mapped one by one, so neighbours meet as they do at 96 DPI.
    const int left = Device(view, x);
    const int top = Device(view, y);
    StretchDIBits(view.surface, left, top, Device(view, x + width) - left,
                  Device(view, y + height) - top, 0, 0, width, height, pixels, info, DIB_RGB_COLORS,
                  SRCCOPY);
}

void CreateTableFonts(TableView& view) {
    for (const FontRow& row : FontRows) {
        int height = ScaleToDevice(row.height, view.dpi);
        if (row.height == 0 && view.dpi != BaseDpi) {
            // The system's default height is not scaled with the DPI: read it
            // back and scale it, so the speech wraps at the same words.
            height = ScaleToDevice(DefaultFontHeight(row), view.dpi);
        }
        view.*row.font = MakeFont(row, height, ScaleToDevice(row.width, view.dpi));
        if (row.font == &TableView::speechFont && view.dpi != BaseDpi) {
            view.speechFont96 = MakeFont(row, row.height, row.width);
        }
    }
}

void DrawShownTable(const TableView& view) {
    const ShownTable& shown = TableShown();
    DrawDibResource(view, IDB_TABLE, 0, 0);
    for (int slot = 0; slot < SlotCount; ++slot) DrawSlot(view, slot);
    DrawCounter(view, shown.computerMoney, ComputerMoneyTop);
    DrawCounter(view, shown.playerMoney, PlayerMoneyTop);
    for (int k = 0; k < shown.mouthCount; ++k) DrawMouthPicture(view, shown.mouths[k]);
    if (shown.speechShown) DrawSpeech(view, shown.speech);
    if (shown.nameShown[0] || shown.nameShown[1]) FillStrips(view);
    for (int at = 0; at < 2; ++at) {
        if (shown.nameShown[at]) {
            DrawHandName(view, at == 0 ? ComputerSide : PlayerSide, shown.categories[at],
                         shown.names[at]);
        }
    }
}

void CreateTableSurface(TableView& view, HWND window) {
    MakeSurface(view, window);
    FindCardFaces(view);
    DrawShownTable(view);
}

void UseDeck(TableView& view, bool fourColour) {
    if (view.fourColourDeck == fourColour) return;
    for (unsigned char*& copy : view.faceCopies) {
        std::free(copy);
        copy = nullptr;
    }
    view.fourColourDeck = fourColour;
    FindCardFaces(view);
    const ShownTable& shown = TableShown();
    for (Card card = 0; card < CardFaceCount; ++card) {
        if (shown.faceMarked[card]) RecolourFace(view, card, FaceWhiteIndex, MarkCyanIndex);
    }
    DrawShownTable(view);
}

void RebuildTableSurface(TableView& view, int dpi) {
    DeleteSurfaceAndFonts(view);
    view.dpi = dpi;
    CreateTableFonts(view);
    MakeSurface(view, view.window);
    DrawShownTable(view);
}

void PaintFromSurface(const TableView& view, HWND window) {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    const RECT& dirty = paint.rcPaint;
    BitBlt(target, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top,
           view.surface, dirty.left, dirty.top, SRCCOPY);
    EndPaint(window, &paint);
}

void DestroyTableSurface(TableView& view) {
    DeleteSurfaceAndFonts(view);
    for (unsigned char*& copy : view.faceCopies) std::free(copy);
    HWND window = view.window;
    view = TableView{};
    view.window = window;
}
