// Drawing into the off-screen table, read back pixel by pixel.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "cards/hand_eval.h"
#include "game/layout.h"
#include "res/resource.h"
#include "shell/wide_text.h"
#include "view/table_surface.h"
#include "table_surface_fixture.h"
#include "win_test_support.h"

namespace {

// A picture resource decoded on its own, as the colour of each pixel.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // top row first
    std::vector<unsigned char> indexes;
    COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

Picture DecodePicture(int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));
    const auto* bytes =
        static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
    const auto* colours = reinterpret_cast<const RGBQUAD*>(bytes + header->biSize);
    int colourCount =
        header->biClrUsed != 0 ? static_cast<int>(header->biClrUsed) : 1 << header->biBitCount;
    const unsigned char* rows = bytes + header->biSize + 4 * colourCount;
    Picture picture;
    picture.width = header->biWidth;
    picture.height = header->biHeight;
    int stride = ((picture.width * header->biBitCount + 31) / 32) * 4;
    for (int y = 0; y < picture.height; ++y) {
        const unsigned char* row = rows + (picture.height - 1 - y) * stride;
        for (int x = 0; x < picture.width; ++x) {
            int index =
                header->biBitCount == 8 ? row[x] : (x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 15);
            const RGBQUAD& c = colours[index];
            picture.indexes.push_back(static_cast<unsigned char>(index));
            picture.pixels.push_back(RGB(c.rgbRed, c.rgbGreen, c.rgbBlue));
        }
    }
    return picture;
}

class TableSurfaceTest : public TableSurfaceFixture {
protected:
    COLORREF Pixel(int x, int y) const { return GetPixel(gTable.surface, x, y); }
    // How many pixels of the surface at (left, top) differ from the picture.
    int Differences(const Picture& picture, int left, int top, int fromColumn = 0,
                    int toColumn = -1) const {
        if (toColumn < 0) toColumn = picture.width;
        int count = 0;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = fromColumn; x < toColumn; ++x)
                count += Pixel(left + x, top + y) != picture.at(x, y);
        }
        return count;
    }
    std::vector<COLORREF> Region(int left, int top, int right, int bottom) const {
        std::vector<COLORREF> pixels;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) pixels.push_back(Pixel(x, y));
        }
        return pixels;
    }
};

TEST_F(TableSurfaceTest, CreationDrawsTheTableTenBacksTwentyAndTwentyAndTheGrin) {
    Picture back = DecodePicture(IDB_CARD_BACK);
    for (int slot = 0; slot < SlotCount; ++slot)
        EXPECT_EQ(Differences(back, SlotLeft(slot), SlotTop(slot)), 0) << slot;
    EXPECT_EQ(Differences(DecodePicture(IDB_MOUTH_GRIN), MouthLeft, MouthGrinTop), 0);
    Picture two = DecodePicture(IDB_DIGIT_FIRST + 2);
    Picture zero = DecodePicture(IDB_DIGIT_FIRST);
    for (int top : {ComputerMoneyTop, PlayerMoneyTop}) {
        EXPECT_EQ(Differences(two, MoneyTensLeft, top, 0, MoneyOnesLeft - MoneyTensLeft), 0);
        EXPECT_EQ(Differences(zero, MoneyOnesLeft, top), 0);
    }
    // Outside the drawn pictures the table itself shows: the bubble's white.
    EXPECT_EQ(Pixel(SpeechLeft + 5, SpeechTop + 5), RGB(255, 255, 255));
}

TEST_F(TableSurfaceTest, MoneyShowsABlankTensCellBelowTenAndTwoDigitsFromTen) {
    struct Case {
        int value;
        int tens;  // picture id
        int ones;
    };
    const Case cases[] = {
        {0, IDB_BLANK_DIGIT, IDB_DIGIT_FIRST + 0},
        {9, IDB_BLANK_DIGIT, IDB_DIGIT_FIRST + 9},
        {10, IDB_DIGIT_FIRST + 1, IDB_DIGIT_FIRST + 0},
        {40, IDB_DIGIT_FIRST + 4, IDB_DIGIT_FIRST + 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        // The player's counter holds the rest of the 40 dollars.
        Win32TableOps().drawMoney(&gTable, c.value, 40 - c.value);
        Picture tens = DecodePicture(c.tens);
        Picture ones = DecodePicture(c.ones);
        // The ones cell is drawn over the tens cell's last column.
        EXPECT_EQ(
            Differences(tens, MoneyTensLeft, ComputerMoneyTop, 0, MoneyOnesLeft - MoneyTensLeft),
            0);
        EXPECT_EQ(Differences(ones, MoneyOnesLeft, ComputerMoneyTop), 0);
        int rest = 40 - c.value;
        Picture restTens = DecodePicture(rest < 10 ? IDB_BLANK_DIGIT : IDB_DIGIT_FIRST + rest / 10);
        Picture restOnes = DecodePicture(IDB_DIGIT_FIRST + rest % 10);
        EXPECT_EQ(
            Differences(restTens, MoneyTensLeft, PlayerMoneyTop, 0, MoneyOnesLeft - MoneyTensLeft),
            0);
        EXPECT_EQ(Differences(restOnes, MoneyOnesLeft, PlayerMoneyTop), 0);
    }
}

TEST_F(TableSurfaceTest, AMarkTurnsTheFaceWhiteCyanAndUnmarkingRestoresItByteForByte) {
    const TableOps& ops = Win32TableOps();
    for (Card card : {0, 25, 51}) {
        SCOPED_TRACE(card);
        const int slot = 5 + card % 5;
        Picture face = DecodePicture(IDB_CARD_FIRST + card);
        const size_t pictureBytes = 40 + 1024 + 76 * 108;
        std::vector<unsigned char> before(gTable.cardFaces[card],
                                          gTable.cardFaces[card] + pictureBytes);

        ops.drawCardFace(&gTable, slot, card);
        EXPECT_EQ(Differences(face, SlotLeft(slot), SlotTop(slot)), 0);

        ops.markCard(&gTable, slot, card, true);
        int cyan = 0;
        for (int y = 0; y < CardHeight; ++y) {
            for (int x = 0; x < CardWidth; ++x) {
                bool white = face.indexes[static_cast<size_t>(y * CardWidth + x)] == 1;
                COLORREF shown = Pixel(SlotLeft(slot) + x, SlotTop(slot) + y);
                ASSERT_EQ(shown, white ? RGB(0, 255, 255) : face.at(x, y)) << x << "," << y;
                cyan += white;
            }
        }
        EXPECT_GT(cyan, CardWidth * CardHeight / 2);
        // The mark stays with the picture: a later draw of the card shows it too.
        ops.drawCardFace(&gTable, 0, card);
        EXPECT_EQ(Pixel(SlotLeft(0) + 40, SlotTop(0) + 100) == RGB(0, 255, 255),
                  face.indexes[100 * CardWidth + 40] == 1);

        ops.markCard(&gTable, slot, card, false);
        EXPECT_EQ(std::memcmp(before.data(), gTable.cardFaces[card], pictureBytes), 0);
        EXPECT_EQ(Differences(face, SlotLeft(slot), SlotTop(slot)), 0);
        // The resource itself was never written.
        EXPECT_EQ(DecodePicture(IDB_CARD_FIRST + card).indexes, face.indexes);

        // ClearCardMark restores the picture without drawing it.
        ops.markCard(&gTable, slot, card, true);
        std::vector<COLORREF> markedOnTable = Region(
            SlotLeft(slot), SlotTop(slot), SlotLeft(slot) + CardWidth, SlotTop(slot) + CardHeight);
        ops.clearCardMark(&gTable, card);
        EXPECT_EQ(std::memcmp(before.data(), gTable.cardFaces[card], pictureBytes), 0);
        EXPECT_EQ(Region(SlotLeft(slot), SlotTop(slot), SlotLeft(slot) + CardWidth,
                         SlotTop(slot) + CardHeight),
                  markedOnTable);
    }
}

// The strip as drawn by TextOutW with a font of the given width, on the same surface.
std::vector<COLORREF> ReferenceName(HDC surface, const std::wstring& name, int width, int top) {
    HFONT font = CreateFontW(28, width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0,
                             0, PROOF_QUALITY, DEFAULT_PITCH, WidenCp932("MS Pゴシック").c_str());
    HBRUSH grey = CreateSolidBrush(RGB(194, 194, 194));
    HGDIOBJ oldBrush = SelectObject(surface, grey);
    PatBlt(surface, StripLeft, top, StripRight - StripLeft, StripHeight, PATCOPY);
    SelectObject(surface, oldBrush);
    DeleteObject(grey);
    HGDIOBJ oldFont = SelectObject(surface, font);
    SetTextColor(surface, RGB(0, 0, 255));
    SetBkColor(surface, RGB(194, 194, 194));
    TextOutW(surface, StripLeft, top, name.c_str(), static_cast<int>(name.size()));
    SelectObject(surface, oldFont);
    DeleteObject(font);
    std::vector<COLORREF> pixels;
    for (int y = top; y < top + StripHeight; ++y) {
        for (int x = StripLeft; x < StripRight; ++x) pixels.push_back(GetPixel(surface, x, y));
    }
    return pixels;
}

TEST_F(TableSurfaceTest, HandNamesUseTheNarrowFontForCategoryTenOnly) {
    const TableOps& ops = Win32TableOps();
    for (int category = 0; category <= 10; ++category) {
        SCOPED_TRACE(category);
        const char* name = HandCategoryName(category);
        std::wstring wide = WidenCp932(name);
        ASSERT_FALSE(wide.empty());
        std::vector<COLORREF> narrow = ReferenceName(gTable.surface, wide, 8, PlayerStripTop);
        std::vector<COLORREF> normal = ReferenceName(gTable.surface, wide, 10, PlayerStripTop);
        ASSERT_NE(narrow, normal);
        ops.clearHandNames(&gTable);
        ops.showHandName(&gTable, PlayerSide, static_cast<HandCategory>(category), name);
        EXPECT_EQ(Region(StripLeft, PlayerStripTop, StripRight, PlayerStripTop + StripHeight),
                  category == 10 ? narrow : normal);
        // The name is blue on the strip's grey, and the computer's strip is untouched.
        std::vector<COLORREF> strip =
            Region(StripLeft, PlayerStripTop, StripRight, PlayerStripTop + StripHeight);
        EXPECT_NE(std::find(strip.begin(), strip.end(), RGB(0, 0, 255)), strip.end());
        std::vector<COLORREF> computer =
            Region(StripLeft, ComputerStripTop, StripRight, ComputerStripTop + StripHeight);
        EXPECT_EQ(std::count(computer.begin(), computer.end(), RGB(194, 194, 194)),
                  static_cast<long>(computer.size()));
    }
    ops.showHandName(&gTable, ComputerSide, ThreeOfAKind, HandCategoryName(ThreeOfAKind));
    EXPECT_EQ(Region(StripLeft, ComputerStripTop, StripRight, ComputerStripTop + StripHeight),
              ReferenceName(gTable.surface, WidenCp932(HandCategoryName(3)), 10, ComputerStripTop));
}

TEST_F(TableSurfaceTest, SpeechIsClippedToItsRectangleAndNeverDrawsOnTheBubble) {
    const TableOps& ops = Win32TableOps();
    // Everything around the rectangle, as the table picture left it.
    std::vector<COLORREF> below =
        Region(SpeechLeft - 8, SpeechBottom, SpeechRight + 5, SpeechBottom + 6);
    std::vector<COLORREF> right = Region(SpeechRight, SpeechTop, SpeechRight + 5, SpeechBottom);
    std::vector<COLORREF> above = Region(SpeechLeft, SpeechTop - 5, SpeechRight, SpeechTop);

    std::string tall;
    for (int line = 0; line < 20; ++line) tall += "あいうえおかきくけこさしすせそ\n";
    tall += "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW";
    ops.showSpeech(&gTable, tall.c_str());

    EXPECT_EQ(Region(SpeechLeft - 8, SpeechBottom, SpeechRight + 5, SpeechBottom + 6), below);
    EXPECT_EQ(Region(SpeechRight, SpeechTop, SpeechRight + 5, SpeechBottom), right);
    EXPECT_EQ(Region(SpeechLeft, SpeechTop - 5, SpeechRight, SpeechTop), above);
    // The text reaches the rectangle's last rows: it was cut, not stopped short.
    std::vector<COLORREF> lastRows =
        Region(SpeechLeft, SpeechBottom - 12, SpeechRight, SpeechBottom);
    EXPECT_NE(std::find(lastRows.begin(), lastRows.end(), RGB(0, 0, 0)), lastRows.end());

    // A new line starts from a white rectangle.
    ops.showSpeech(&gTable, "");
    std::vector<COLORREF> inside = Region(SpeechLeft, SpeechTop, SpeechRight, SpeechBottom);
    EXPECT_EQ(std::count(inside.begin(), inside.end(), RGB(255, 255, 255)),
              static_cast<long>(inside.size()));
}

TEST_F(TableSurfaceTest, EveryTableFontHasTheGlyphsOfTheJapaneseTexts) {
    const std::wstring texts =
        WidenCp932("スタートチェンジＯ  Ｋおりる▲▼次は私の番だ役なしロイヤルストレート");
    for (HFONT font : {gTable.betBoxFont, gTable.buttonFont, gTable.speechFont, gTable.handNameFont,
                       gTable.handNameNarrowFont}) {
        HGDIOBJ old = SelectObject(gTable.surface, font);
        std::vector<WORD> glyphs(texts.size());
        GetGlyphIndicesW(gTable.surface, texts.c_str(), static_cast<int>(texts.size()),
                         glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
        SelectObject(gTable.surface, old);
        for (size_t i = 0; i < texts.size(); ++i) EXPECT_NE(glyphs[i], 0xFFFF) << i;
    }
}

}  // namespace
