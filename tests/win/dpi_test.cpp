// The main window at the DPI its Wine prefix is set to (192 or 144): the client
// area, the pictures as exact enlargements, native-resolution text, clicks
// mapped back to the table, and a change of DPI that draws the same table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cards/random.h"
#include "game/layout.h"
#include "res/resource.h"
#include "view/table_surface.h"
#include "main_window_fixture.h"

namespace {

// Pixels of a rectangle as 0x00RRGGBB, row by row from the top.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned> bits;
    unsigned At(int x, int y) const { return bits[static_cast<size_t>(y) * width + x]; }
};

Pixels Copy(HDC source, int left, int top, int width, int height) {
    Pixels pixels{width, height, {}};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC copy = CreateCompatibleDC(source);
    HGDIOBJ previous = SelectObject(copy, section);
    BitBlt(copy, 0, 0, width, height, source, left, top, SRCCOPY);
    GdiFlush();
    const auto* words = static_cast<const unsigned*>(bits);
    pixels.bits.assign(words, words + static_cast<size_t>(width) * height);
    for (unsigned& word : pixels.bits) word &= 0xFFFFFF;
    SelectObject(copy, previous);
    DeleteDC(copy);
    DeleteObject(section);
    return pixels;
}

// A picture as the program draws it at 96 DPI (a face with its mark as it stands).
Pixels Picture(int id) {
    const unsigned char* bytes = nullptr;
    const int face = id - IDB_CARD_FIRST;
    if (face >= 0 && face < CardFaceCount) {
        bytes = gTable.cardFaces[face];
    } else {
        HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));
        bytes = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found)));
    }
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes);
    const BITMAPINFOHEADER& header = info->bmiHeader;
    int colours = static_cast<int>(header.biClrUsed);
    if (colours == 0 && header.biBitCount <= 8) colours = 1 << header.biBitCount;
    const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    HDC screen = GetDC(nullptr);
    HDC canvas = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, header.biWidth, height);
    HGDIOBJ previous = SelectObject(canvas, bitmap);
    SetDIBitsToDevice(canvas, 0, 0, header.biWidth, height, 0, 0, 0, height,
                      bytes + header.biSize + 4 * colours, info, DIB_RGB_COLORS);
    Pixels pixels = Copy(canvas, 0, 0, header.biWidth, height);
    SelectObject(canvas, previous);
    DeleteObject(bitmap);
    DeleteDC(canvas);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// How many device pixels of the picture at table (x, y), drawn `scale` times
// as large on the surface, differ from the bitmap pixel below them.
int EnlargementMisses(int id, int x, int y, int scale, int skipRightColumns = 0) {
    const Pixels picture = Picture(id);
    const int width = (picture.width - skipRightColumns) * scale;
    const int height = picture.height * scale;
    const Pixels shown = Copy(gTable.surface, x * scale, y * scale, width, height);
    int misses = 0;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            misses += shown.At(column, row) != picture.At(column / scale, row / scale);
        }
    }
    return misses;
}

class DpiTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        dpi = gTable.dpi;
    }
    SIZE Client() const {
        RECT client;
        GetClientRect(window, &client);
        return {client.right, client.bottom};
    }
    void Press(int id) { SendMessageW(window, WM_COMMAND, static_cast<WPARAM>(id), 0); }
    void Click(int x, int y) { SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    // Every picture the table shows after Start, at a whole scale.
    void ExpectWholeEnlargements(int scale) {
        for (int slot = 0; slot < SlotCount; ++slot) {
            const int id =
                slot < 5 ? IDB_CARD_BACK : IDB_CARD_FIRST + gMatch.deal.playerHand[slot - 5];
            EXPECT_EQ(EnlargementMisses(id, SlotLeft(slot), SlotTop(slot), scale), 0)
                << "slot " << slot << " at " << scale << "x";
        }
        for (int top : {ComputerMoneyTop, PlayerMoneyTop}) {
            EXPECT_EQ(EnlargementMisses(IDB_DIGIT_FIRST + 2, MoneyTensLeft, top, scale, 1), 0);
            EXPECT_EQ(EnlargementMisses(IDB_DIGIT_FIRST + 0, MoneyOnesLeft, top, scale), 0);
        }
        EXPECT_EQ(EnlargementMisses(IDB_MOUTH_OPEN, MouthLeft, MouthOpenTop, scale), 0);
    }
    int dpi = 0;
};

TEST_F(DpiTest, TheClientAreaIsTheNinetySixDpiOneScaled) {
    ASSERT_GT(dpi, BaseDpi) << "run this suite in a prefix set to 144 or 192 DPI";
    const SIZE client = Client();
    EXPECT_EQ(client.cx, MulDiv(634, dpi, 96));
    EXPECT_EQ(client.cy, MulDiv(436, dpi, 96));
    RECT box;
    GetWindowRect(GetDlgItem(window, OkButton), &box);
    EXPECT_EQ(box.right - box.left, MulDiv(80, dpi, 96));
    EXPECT_EQ(box.bottom - box.top, MulDiv(30, dpi, 96));
}

TEST_F(DpiTest, ClicksLandExactlyOnTheDevicePixelsEachCardCovers) {
    Press(StartButton);
    ASSERT_EQ(gMatch.roundState, RoundSelecting);
    const int top = ScaleToDevice(PlayerRowTop, dpi) + 5;
    struct Case {
        int position;
        int deviceX;
        bool lands;
    };
    std::vector<Case> cases;
    for (int position = 0; position < 5; ++position) {
        const int left = SlotLeft(5 + position);
        cases.push_back({position, ScaleToDevice(left, dpi), true});
        cases.push_back({position, ScaleToDevice(left, dpi) - 1, false});
        cases.push_back({position, ScaleToDevice(left + CardWidth, dpi) - 1, true});
        cases.push_back({position, ScaleToDevice(left + CardWidth, dpi), false});
    }
    for (const Case& c : cases) {
        const int before = gMatch.deal.playerDiscards[c.position];
        Click(c.deviceX, top);
        EXPECT_EQ(gMatch.deal.playerDiscards[c.position] != before, c.lands)
            << "device column " << c.deviceX << " and card " << c.position;
    }
}

TEST_F(DpiTest, PicturesAreExactEnlargementsAndTheSpeechIsDrawnAtDeviceResolution) {
    if (dpi % BaseDpi != 0) GTEST_SKIP() << "pictures are filtered at a fractional scale";
    const int scale = dpi / BaseDpi;
    Press(StartButton);
    Click(ScaleToDevice(SlotLeft(7) + 10, dpi), ScaleToDevice(PlayerRowTop + 10, dpi));
    ASSERT_EQ(gMatch.deal.playerDiscards[2], 1);
    ExpectWholeEnlargements(scale);

    // Blown-up text would be made of scale x scale blocks; text drawn at device
    // resolution has edges inside them.
    const Pixels speech =
        Copy(gTable.surface, SpeechLeft * scale, SpeechTop * scale,
             (SpeechRight - SpeechLeft) * scale, (SpeechBottom - SpeechTop) * scale);
    int splitBlocks = 0;
    int inked = 0;
    for (int y = 0; y + scale <= speech.height; y += scale) {
        for (int x = 0; x + scale <= speech.width; x += scale) {
            bool split = false;
            for (int k = 0; k < scale * scale; ++k) {
                split |= speech.At(x + k % scale, y + k / scale) != speech.At(x, y);
            }
            splitBlocks += split;
            inked += speech.At(x, y) == 0;
        }
    }
    EXPECT_GT(inked, 200) << "the speech is there";
    EXPECT_GT(splitBlocks, 200) << "the speech is drawn at device resolution";
}

TEST_F(DpiTest, AChangeOfDpiShowsTheSameTableAtTheNewScaleAndPlaysNothing) {
    if (dpi % BaseDpi != 0) GTEST_SKIP() << "checked where the pictures are exact";
    Press(StartButton);
    Click(ScaleToDevice(SlotLeft(5) + 10, dpi), ScaleToDevice(PlayerRowTop + 10, dpi));
    const MatchState before = gMatch;
    const long long draws = CountRandomDraws();
    for (int newDpi : {BaseDpi, dpi}) {
        SCOPED_TRACE(newDpi);
        RECT suggested;
        GetWindowRect(window, &suggested);
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi),
                     reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(gTable.dpi, newDpi);
        const SIZE client = Client();
        EXPECT_EQ(client.cx, MulDiv(634, newDpi, 96));
        EXPECT_EQ(client.cy, MulDiv(436, newDpi, 96));
        ExpectWholeEnlargements(newDpi / BaseDpi);
        EXPECT_EQ(CountRandomDraws(), draws) << "no draw is taken";
        EXPECT_EQ(gMatch.roundState, before.roundState);
        EXPECT_EQ(gMatch.deal.playerDiscards, before.deal.playerDiscards);
        EXPECT_EQ(gMatch.deal.playerHand, before.deal.playerHand);
    }
}

}  // namespace
