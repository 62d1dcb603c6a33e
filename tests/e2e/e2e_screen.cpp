// Reading the game's table back from the screen: the program's own pictures
// taken from its resources, screen captures, and matching one against the other.
#include "e2e.h"

#include "game/layout.h"
#include "res/resource.h"

#include <cstdarg>
#include <cstdio>

namespace {

int gFailures = 0;

// Decodes a bottom-up (or top-down) 4- or 8-bit device-independent bitmap.
bool DecodeDib(const uint8_t* bytes, size_t size, Picture& picture, std::vector<uint8_t>* indices,
               std::vector<uint32_t>* colours) {
    if (size < sizeof(BITMAPINFOHEADER)) return false;
    BITMAPINFOHEADER header;
    memcpy(&header, bytes, sizeof header);
    if (header.biCompression != BI_RGB || (header.biBitCount != 4 && header.biBitCount != 8))
        return false;
    const int width = header.biWidth;
    const bool bottomUp = header.biHeight > 0;
    const int height = bottomUp ? header.biHeight : -header.biHeight;
    const int tableSize =
        header.biClrUsed ? static_cast<int>(header.biClrUsed) : 1 << header.biBitCount;
    const size_t stride = ((static_cast<size_t>(width) * header.biBitCount + 31) / 32) * 4;
    const size_t tableStart = header.biSize;
    const size_t pixelStart = tableStart + 4 * static_cast<size_t>(tableSize);
    if (width <= 0 || height <= 0 || pixelStart + stride * height > size) return false;

    std::vector<uint32_t> table(256, 0);
    for (int i = 0; i < tableSize && i < 256; ++i) {
        const uint8_t* entry = bytes + tableStart + 4 * i;  // blue, green, red, reserved
        table[i] = (static_cast<uint32_t>(entry[2]) << 16) | (entry[1] << 8) | entry[0];
    }
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(static_cast<size_t>(width) * height, 0);
    if (indices) indices->assign(picture.pixels.size(), 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = bytes + pixelStart + stride * (bottomUp ? height - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            int index =
                header.biBitCount == 8 ? row[x] : (x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4);
            picture.pixels[static_cast<size_t>(y) * width + x] = table[index];
            if (indices)
                (*indices)[static_cast<size_t>(y) * width + x] = static_cast<uint8_t>(index);
        }
    }
    if (colours) *colours = table;
    return true;
}

bool LoadResourcePicture(HMODULE module, int id, Picture& picture, std::vector<uint8_t>* indices,
                         std::vector<uint32_t>* colours) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    if (!found) return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    return bytes && DecodeDib(static_cast<const uint8_t*>(bytes), SizeofResource(module, found),
                              picture, indices, colours);
}

int CountPixels(const Picture& frame, int left, int top, int right, int bottom,
                bool (*test)(uint32_t)) {
    int count = 0;
    for (int y = top; y < bottom && y < frame.height; ++y)
        for (int x = left; x < right && x < frame.width; ++x)
            if (test(frame.At(x, y))) ++count;
    return count;
}

int ReadDigitCell(const Picture& frame, const GamePictures& pictures, int x, int y, int columns) {
    if (RegionEquals(frame, x, y, pictures.blankDigit, columns)) return -2;
    for (int digit = 0; digit < 10; ++digit)
        if (RegionEquals(frame, x, y, pictures.digits[digit], columns)) return digit;
    return -1;
}

// Tens then ones; the ones cell covers the tens cell's last column.
int ReadMoney(const Picture& frame, const GamePictures& pictures, int top) {
    const int tens =
        ReadDigitCell(frame, pictures, MoneyTensLeft, top, MoneyOnesLeft - MoneyTensLeft);
    const int ones = ReadDigitCell(frame, pictures, MoneyOnesLeft, top, DigitWidth);
    if (ones < 0 || tens == -1) return -1;
    return tens == -2 ? ones : tens * 10 + ones;
}

SlotView ReadSlot(const Picture& frame, const GamePictures& pictures, int slot) {
    const int x = SlotLeft(slot), y = SlotTop(slot);
    SlotView view;
    if (RegionEquals(frame, x, y, pictures.back, CardWidth)) {
        view.shows = ShowsBack;
    } else if (RegionEquals(frame, x, y, pictures.emptySlot, CardWidth)) {
        view.shows = ShowsEmpty;
    } else {
        for (int card = 0; card < 52 && view.shows == ShowsUnknown; ++card) {
            if (RegionEquals(frame, x, y, pictures.faces[card], CardWidth)) {
                view.shows = ShowsFace;
                view.card = card;
            } else if (RegionEquals(frame, x, y, pictures.markedFaces[card], CardWidth)) {
                view.shows = ShowsMarkedFace;
                view.card = card;
            }
        }
    }
    return view;
}

}  // namespace

namespace {

// One line of the run's log, after a five-character mark.
void PrintLogLine(const char* mark, const char* format, va_list args) {
    printf("%s", mark);
    vprintf(format, args);
    printf("\n");
    fflush(stdout);
}

}  // namespace

void Report(bool ok, const char* format, ...) {
    if (!ok) ++gFailures;
    va_list args;
    va_start(args, format);
    PrintLogLine(ok ? "ok   " : "FAIL ", format, args);
    va_end(args);
}

void Note(const char* format, ...) {
    va_list args;
    va_start(args, format);
    PrintLogLine("     ", format, args);
    va_end(args);
}

int FailureCount() { return gFailures; }

bool LoadGamePictures(const std::wstring& exePath, GamePictures& pictures, std::string& problem,
                      int firstFace) {
    HMODULE module = LoadLibraryExW(exePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        problem = "cannot open the program's resources";
        return false;
    }
    bool ok = true;
    auto load = [&](int id, Picture& picture) {
        if (!LoadResourcePicture(module, id, picture, nullptr, nullptr)) {
            problem += " picture " + std::to_string(id);
            ok = false;
        }
    };
    for (int card = 0; card < 52; ++card) {
        std::vector<uint8_t> indices;
        std::vector<uint32_t> colours;
        if (!LoadResourcePicture(module, firstFace + card, pictures.faces[card], &indices,
                                 &colours)) {
            problem += " face " + std::to_string(firstFace + card);
            ok = false;
            continue;
        }
        // The mark turns palette index 1 into index 7 and draws through the same table.
        pictures.markColour[card] = colours[7];
        pictures.markedFaces[card] = pictures.faces[card];
        for (size_t i = 0; i < indices.size(); ++i)
            if (indices[i] == 1) pictures.markedFaces[card].pixels[i] = colours[7];
    }
    load(IDB_CARD_BACK, pictures.back);
    load(IDB_EMPTY_SLOT, pictures.emptySlot);
    load(IDB_BLANK_DIGIT, pictures.blankDigit);
    for (int digit = 0; digit < 10; ++digit) load(IDB_DIGIT_FIRST + digit, pictures.digits[digit]);
    load(IDB_MOUTH_CLOSED, pictures.mouths[0]);
    load(IDB_MOUTH_GRIN, pictures.mouths[1]);
    load(IDB_MOUTH_OPEN, pictures.mouths[2]);
    FreeLibrary(module);
    return ok;
}

bool RegionEquals(const Picture& frame, int x, int y, const Picture& picture, int columns) {
    if (picture.width == 0 || x + columns > frame.width || y + picture.height > frame.height)
        return false;
    for (int row = 0; row < picture.height; ++row) {
        const uint32_t* seen = &frame.pixels[static_cast<size_t>(y + row) * frame.width + x];
        const uint32_t* wanted = &picture.pixels[static_cast<size_t>(row) * picture.width];
        for (int column = 0; column < columns; ++column)
            if (seen[column] != wanted[column]) return false;
    }
    return true;
}

Picture CropRegion(const Picture& frame, int x, int y, int width, int height) {
    Picture part;
    part.width = width;
    part.height = height;
    part.pixels.assign(static_cast<size_t>(width) * height, 0);
    for (int row = 0; row < height && y + row < frame.height; ++row)
        for (int column = 0; column < width && x + column < frame.width; ++column)
            part.pixels[static_cast<size_t>(row) * width + column] = frame.At(x + column, y + row);
    return part;
}

TableView ReadTable(const Picture& frame, const GamePictures& pictures) {
    TableView table;
    for (int slot = 0; slot < SlotCount; ++slot)
        table.slots[slot] = ReadSlot(frame, pictures, slot);
    table.computerMoney = ReadMoney(frame, pictures, ComputerMoneyTop);
    table.playerMoney = ReadMoney(frame, pictures, PlayerMoneyTop);
    const int mouthTops[3] = {MouthClosedTop, MouthGrinTop, MouthOpenTop};
    for (int m = 0; m < 3; ++m)
        if (RegionEquals(frame, MouthLeft, mouthTops[m], pictures.mouths[m], MouthWidth))
            table.mouth = IDB_MOUTH_CLOSED + m;

    auto notGrey = [](uint32_t pixel) { return pixel != static_cast<uint32_t>(StripGrey); };
    auto dark = [](uint32_t pixel) {
        return ((pixel >> 16) & 0xFF) < 96 && ((pixel >> 8) & 0xFF) < 96 && (pixel & 0xFF) < 96;
    };
    const int computerOther = CountPixels(frame, StripLeft, ComputerStripTop, StripRight,
                                          ComputerStripTop + StripHeight, notGrey);
    const int playerOther = CountPixels(frame, StripLeft, PlayerStripTop, StripRight,
                                        PlayerStripTop + StripHeight, notGrey);
    const bool stripsInFrame =
        frame.width >= StripRight && frame.height >= PlayerStripTop + StripHeight;
    table.computerStripBlank = stripsInFrame && computerOther == 0;
    table.playerStripBlank = stripsInFrame && playerOther == 0;
    // A name is blue text; a few dozen non-grey pixels is more than any stray edge.
    table.computerStripNamed = computerOther > 40;
    table.playerStripNamed = playerOther > 40;
    table.speechHasText =
        CountPixels(frame, SpeechLeft, SpeechTop, SpeechRight, SpeechBottom, dark) > 20;
    return table;
}

bool ShowsOpeningTable(const TableView& table) {
    for (const SlotView& slot : table.slots)
        if (slot.shows != ShowsBack) return false;
    return table.computerMoney == 20 && table.playerMoney == 20 && table.mouth == IDB_MOUTH_GRIN;
}

std::string DescribeSlots(const TableView& table) {
    std::string text;
    for (int slot = 0; slot < SlotCount; ++slot) {
        const SlotView& view = table.slots[slot];
        if (slot == 5) text += " |";
        text += ' ';
        switch (view.shows) {
        case ShowsFace: text += std::to_string(view.card); break;
        case ShowsMarkedFace: text += std::to_string(view.card) + "*"; break;
        case ShowsBack: text += "back"; break;
        case ShowsEmpty: text += "empty"; break;
        default: text += "?"; break;
        }
    }
    return text + " | money " + std::to_string(table.computerMoney) + "/" +
           std::to_string(table.playerMoney) + " mouth " + std::to_string(table.mouth);
}

namespace {

bool CopyFromDc(HDC source, int x, int y, int width, int height, Picture& picture) {
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return false;
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool ok = BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY) != 0;
    GdiFlush();
    if (ok) {
        picture.width = width;
        picture.height = height;
        const uint32_t* pixels = static_cast<const uint32_t*>(bits);
        picture.pixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
        for (uint32_t& pixel : picture.pixels) pixel &= 0xFFFFFF;
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return ok;
}

}  // namespace

int gClientScale = 1;
int gUnevenSlotBlocks = 0;

bool CaptureClient(HWND window, Picture& frame) {
    RECT client;
    if (!GetClientRect(window, &client)) return false;
    HDC dc = GetDC(window);
    if (!dc) return false;
    Picture device;
    const bool ok =
        CopyFromDc(dc, 0, 0, client.right, client.bottom, gClientScale == 1 ? frame : device);
    ReleaseDC(window, dc);
    if (!ok || gClientScale == 1) return ok;
    // One pixel of each block stands for the table pixel; the card slots are
    // also checked to be whole blocks of one colour.
    const int scale = gClientScale;
    frame.width = device.width / scale;
    frame.height = device.height / scale;
    frame.pixels.assign(static_cast<size_t>(frame.width) * frame.height, 0);
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x)
            frame.pixels[y * frame.width + x] = device.At(x * scale, y * scale);
    }
    gUnevenSlotBlocks = 0;
    for (int slot = 0; slot < 10; ++slot) {
        for (int y = SlotTop(slot); y < SlotTop(slot) + CardHeight && y < frame.height; ++y) {
            for (int x = SlotLeft(slot); x < SlotLeft(slot) + CardWidth && x < frame.width; ++x) {
                for (int k = 0; k < scale * scale; ++k) {
                    if (device.At(x * scale + k % scale, y * scale + k / scale) != frame.At(x, y)) {
                        ++gUnevenSlotBlocks;
                        break;
                    }
                }
            }
        }
    }
    return true;
}

bool CaptureScreen(const RECT& rect, Picture& picture) {
    HDC dc = GetDC(nullptr);
    if (!dc) return false;
    const bool ok = CopyFromDc(dc, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, picture);
    ReleaseDC(nullptr, dc);
    return ok;
}

bool SaveBitmap(const Picture& picture, const std::wstring& path) {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = picture.width;
    header.biHeight = -picture.height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(picture.pixels.size() * 4);
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out) return false;
    bool ok = fwrite(&file, sizeof file, 1, out) == 1 &&
              fwrite(&header, sizeof header, 1, out) == 1 &&
              fwrite(picture.pixels.data(), 4, picture.pixels.size(), out) == picture.pixels.size();
    return fclose(out) == 0 && ok;
}
