// Checks every committed picture in res/ against what the game relies on:
// sizes, depths and headers, the shared palette and its two fixed entries,
// the selection mark's colours, the table layout, mouths and digits, the
// icon in its .ico and PNG forms, and both decks' faces: the ink each draws,
// its contrast with the card and the mark, and what the two decks share.
#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "dib_reader.h"
#include "game/layout.h"

namespace {

const std::string ResDir = BLUFFWICK_RES_DIR;

const StoredColour White{255, 255, 255};
const StoredColour Cyan{0, 255, 255};
const StoredColour Green{0, 128, 0};
const StoredColour Grey{194, 194, 194};
const StoredColour Rose{233, 115, 118};
const StoredColour Navy{0, 0, 128};
const StoredColour Yellow{255, 255, 0};

struct PictureKind {
    int firstId, lastId;
    int width, height, bits;
    bool tablePalette;  // carries the shared 256-entry table of the table picture
};

const PictureKind Kinds[] = {
    {101, 101, 640, 480, 8, true},  // table
    {102, 153, 76, 108, 8, true},   // faces
    {154, 154, 76, 108, 8, true},   // back
    {166, 176, 33, 44, 4, false},   // blank digit, digits 0-9
    {178, 178, 76, 108, 8, true},   // empty slot
    {182, 184, 169, 76, 8, false},  // mouths
    {202, 253, 76, 108, 8, false},  // four-colour faces, with a table of their own
};

std::vector<std::string> FilesForId(int id) {
    std::vector<std::string> found;
    const std::string prefix = std::to_string(id) + "_";
    for (const auto& entry : std::filesystem::directory_iterator(ResDir)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0 && entry.path().extension() == ".bmp") {
            found.push_back(entry.path().string());
        }
    }
    return found;
}

// Every picture read once for all tests.
const std::map<int, StoredDib>& Pictures() {
    static const std::map<int, StoredDib> pictures = [] {
        std::map<int, StoredDib> read;
        for (const PictureKind& kind : Kinds) {
            for (int id = kind.firstId; id <= kind.lastId; ++id) {
                const std::vector<std::string> files = FilesForId(id);
                if (files.size() == 1) read[id] = ReadBmpFile(files[0]);
            }
        }
        return read;
    }();
    return pictures;
}

const StoredDib& Picture(int id) {
    static const StoredDib missing;
    auto found = Pictures().find(id);
    return found == Pictures().end() ? missing : found->second;
}

// A PNG file's header as stored and its pixels as 8-bit RGBA, top row first.
struct StoredPng {
    int width = 0, height = 0, bitDepth = 0, colourType = 0;
    std::vector<uint8_t> rgba;
    std::string problem;  // empty when the file could be read

    StoredColour ColourAt(int x, int y) const {
        const uint8_t* at = &rgba[(static_cast<size_t>(y) * width + x) * 4];
        return {at[0], at[1], at[2]};
    }
    int AlphaAt(int x, int y) const { return rgba[(static_cast<size_t>(y) * width + x) * 4 + 3]; }
};

StoredPng ReadPngFile(const std::string& path) {
    StoredPng png;
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    if (bytes.size() < 33 || std::string(bytes.begin(), bytes.begin() + 8) != "\x89PNG\r\n\x1a\n" ||
        std::string(bytes.begin() + 12, bytes.begin() + 16) != "IHDR") {
        png.problem = "not a PNG file: " + path;
        return png;
    }
    png.bitDepth = bytes[24];
    png.colourType = bytes[25];
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        png.problem = image.message;
        return png;
    }
    image.format = PNG_FORMAT_RGBA;
    png.width = static_cast<int>(image.width);
    png.height = static_cast<int>(image.height);
    png.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, png.rgba.data(), 0, nullptr))
        png.problem = image.message;
    return png;
}

bool Reddish(StoredColour c) { return c.r > 150 && c.g < 90 && c.b < 90; }
bool Dark(StoredColour c) { return c.r < 70 && c.g < 70 && c.b < 70; }
bool Greenish(StoredColour c) { return c.g > c.r + 50 && c.g > c.b + 10; }
bool Bluish(StoredColour c) { return c.b > c.r + 80 && c.b > c.g + 60; }

// The two decks: where their faces start and the family of each suit's ink,
// spades, hearts, clubs, diamonds.
struct Deck {
    const char* name;
    int firstId;
    bool (*ink[4])(StoredColour);
};
const Deck Decks[] = {
    {"two-colour", 102, {Dark, Reddish, Dark, Reddish}},
    {"four-colour", 202, {Dark, Reddish, Greenish, Bluish}},
};
const Deck& TwoColour = Decks[0];
const Deck& FourColour = Decks[1];

// WCAG 2 relative luminance and contrast ratio.
double Luminance(StoredColour c) {
    const auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}
double Contrast(StoredColour a, StoredColour b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Counts the pixels in [x0, x1) x [y0, y1) that satisfy a test.
template <typename Test>
int CountPixels(const StoredDib& dib, int x0, int y0, int x1, int y1, Test test) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (test(dib.ColourAt(x, y), dib.At(x, y))) ++count;
    return count;
}

int CountColour(const StoredDib& dib, int x0, int y0, int x1, int y1, StoredColour colour) {
    return CountPixels(dib, x0, y0, x1, y1, [&](StoredColour c, int) { return c == colour; });
}

TEST(Pictures, EveryIdHasOneBottomUpBitmapOfItsSizeAndDepth) {
    for (const PictureKind& kind : Kinds) {
        for (int id = kind.firstId; id <= kind.lastId; ++id) {
            SCOPED_TRACE("picture " + std::to_string(id));
            ASSERT_EQ(FilesForId(id).size(), 1u);
            const StoredDib& dib = Picture(id);
            ASSERT_EQ(dib.problem, "");
            EXPECT_EQ(dib.infoHeaderSize, 40u);
            EXPECT_EQ(dib.width, kind.width);
            EXPECT_EQ(dib.height, kind.height);  // positive: rows stored bottom-up
            EXPECT_EQ(dib.planes, 1);
            EXPECT_EQ(dib.bitsPerPixel, kind.bits);
            EXPECT_EQ(dib.compression, 0u);
            EXPECT_EQ(dib.colours.size(), kind.bits == 8 ? 256u : 16u);
            // The game finds the pixels at info header + 1024 for 8-bit pictures.
            if (kind.bits == 8) {
                EXPECT_EQ(dib.pixelOffset, 14u + 40u + 1024u);
            }
        }
    }
}

TEST(Pictures, NoBitmapOutsideTheNumberedSet) {
    std::set<int> known;
    for (const PictureKind& kind : Kinds)
        for (int id = kind.firstId; id <= kind.lastId; ++id) known.insert(id);
    for (const auto& entry : std::filesystem::directory_iterator(ResDir)) {
        if (entry.path().extension() != ".bmp") continue;
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(known.count(std::atoi(name.c_str())), 1u) << name;
    }
}

TEST(Pictures, TablePaletteIsSharedAndHoldsWhiteAt1AndCyanAt7) {
    const StoredDib& table = Picture(101);
    ASSERT_EQ(table.tableBytes.size(), 1024u);
    // Entries are stored blue, green, red, reserved.
    const std::vector<uint8_t> white(table.tableBytes.begin() + 4, table.tableBytes.begin() + 8);
    const std::vector<uint8_t> cyan(table.tableBytes.begin() + 28, table.tableBytes.begin() + 32);
    EXPECT_EQ(white, (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x00}));
    EXPECT_EQ(cyan, (std::vector<uint8_t>{0xFF, 0xFF, 0x00, 0x00}));
    for (const PictureKind& kind : Kinds) {
        if (!kind.tablePalette) continue;
        for (int id = kind.firstId; id <= kind.lastId; ++id) {
            EXPECT_EQ(Picture(id).tableBytes, table.tableBytes) << "picture " << id;
        }
    }
    // The mouths and digits keep tables of their own.
    EXPECT_NE(Picture(182).tableBytes, table.tableBytes);
}

// The selection mark turns index 1 into 7 and back: that is lossless only if
// a face's white is index 1 and index 7 never occurs in it.
TEST(Pictures, FacesAreWhiteAtIndex1AndNeverUseIndex7) {
    std::vector<int> faces;
    for (const Deck& deck : Decks)
        for (int code = 0; code < 52; ++code) faces.push_back(deck.firstId + code);
    for (int id : faces) {
        SCOPED_TRACE("face " + std::to_string(id));
        const StoredDib& face = Picture(id);
        ASSERT_EQ(face.problem, "");
        const auto index1 = [](StoredColour, int index) { return index == 1; };
        const auto index7 = [](StoredColour, int index) { return index == 7; };
        const auto otherWhite = [](StoredColour c, int index) { return c == White && index != 1; };
        const auto cyan = [](StoredColour c, int) { return c == Cyan; };
        // Most of a card is its white paper.
        EXPECT_GT(CountPixels(face, 0, 0, 76, 108, index1), 76 * 108 / 3);
        EXPECT_EQ(CountPixels(face, 0, 0, 76, 108, index7), 0);
        EXPECT_EQ(CountPixels(face, 0, 0, 76, 108, otherWhite), 0);
        EXPECT_EQ(CountPixels(face, 0, 0, 76, 108, cyan), 0);
    }
}

TEST(Pictures, FacesShowRankAndSuitInTwoOppositeCornersInTheSuitColour) {
    for (const Deck& deck : Decks) {
        for (int code = 0; code < 52; ++code) {
            SCOPED_TRACE(std::string(deck.name) + " card code " + std::to_string(code));
            const StoredDib& face = Picture(deck.firstId + code);
            ASSERT_EQ(face.problem, "");
            const int suit = code / 13, rank = code % 13 + 1;
            const auto family = deck.ink[suit];
            const auto ink = [family](StoredColour c, int) { return family(c); };
            const auto paper = [](StoredColour c, int) { return !(c == White); };
            // Top left and bottom right carry the index; the other two corners are paper.
            EXPECT_GT(CountPixels(face, 2, 2, 15, 30, ink), 40);
            EXPECT_GT(CountPixels(face, 61, 78, 74, 106, ink), 40);
            EXPECT_EQ(CountPixels(face, 62, 3, 73, 28, paper), 0);
            EXPECT_EQ(CountPixels(face, 3, 80, 14, 105, paper), 0);
            // Pip cards are printed in one ink: none of another suit's family. Black
            // is left out in the four-colour deck, where every ink's edge darkens to
            // it, and so is the cloth round the corners.
            if (rank <= 10) {
                const auto wrongInk = [&](StoredColour c, int) {
                    for (int other = 0; other < 4; ++other) {
                        const auto test = deck.ink[other];
                        if (test == family || (test == Dark && &deck == &FourColour)) continue;
                        if (test(c)) return true;
                    }
                    return false;
                };
                EXPECT_EQ(CountPixels(face, 2, 2, 74, 106, wrongInk), 0);
            }
            // The corners outside the rounded card are table cloth.
            EXPECT_EQ(face.ColourAt(0, 0), Green);
            EXPECT_EQ(face.ColourAt(75, 107), Green);
        }
    }
}

TEST(Pictures, FacesAreAllDifferent) {
    for (const Deck& deck : Decks) {
        std::set<std::vector<uint8_t>> seen;
        for (int code = 0; code < 52; ++code) seen.insert(Picture(deck.firstId + code).pixels);
        EXPECT_EQ(seen.size(), 52u) << deck.name;
    }
}

// The ink drawn in [x0, x1) x [y0, y1): the most frequent colour of the
// suit's family there, leaving out the card's white and anti-aliased steps.
struct MeasuredInk {
    StoredColour colour{0, 0, 0};
    int pixels = 0;
};
MeasuredInk MostFrequentInk(const StoredDib& face, bool (*family)(StoredColour),
                            const std::vector<std::array<int, 4>>& boxes) {
    std::map<int, int> counts;  // by palette index
    for (const auto& [x0, y0, x1, y1] : boxes)
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (face.At(x, y) != 1 && family(face.ColourAt(x, y))) ++counts[face.At(x, y)];
    MeasuredInk ink;
    for (const auto& [index, count] : counts) {
        if (count > ink.pixels) ink = {face.colours[index], count};
    }
    return ink;
}

// The index in both corners, and the pips: the middle of a pip card or an
// ace, the suit symbols in the upper corners of a court card's frame.
struct InkPlace {
    const char* what;
    std::vector<std::array<int, 4>> boxes;
};
std::vector<InkPlace> InkPlaces(int rank) {
    std::vector<InkPlace> places = {{"top-left index", {{2, 2, 15, 30}}},
                                    {"bottom-right index", {{61, 78, 74, 106}}}};
    if (rank <= 10) {
        places.push_back({"pips", {{16, 6, 60, 102}}});
    } else {
        places.push_back({"court suit symbol", {{16, 11, 28, 25}, {48, 11, 60, 25}}});
    }
    return places;
}

// Every face's pips and indices stand at 3:1 or more against its own white.
TEST(FaceContrast, PipsAndIndicesStandAtThreeToOneAgainstTheCardsWhite) {
    for (const Deck& deck : Decks) {
        double lowest[4] = {100, 100, 100, 100};
        for (int code = 0; code < 52; ++code) {
            const StoredDib& face = Picture(deck.firstId + code);
            ASSERT_EQ(face.problem, "");
            const int suit = code / 13;
            for (const InkPlace& place : InkPlaces(code % 13 + 1)) {
                SCOPED_TRACE(std::string(deck.name) + " card code " + std::to_string(code) + ", " +
                             place.what);
                const MeasuredInk ink = MostFrequentInk(face, deck.ink[suit], place.boxes);
                EXPECT_GE(ink.pixels, 12) << "too little ink of the suit's colour";
                const double contrast = Contrast(ink.colour, face.colours[1]);
                EXPECT_GE(contrast, 3.0);
                lowest[suit] = std::min(lowest[suit], contrast);
            }
        }
        std::printf(
            "%s deck, lowest ink contrast on white: spades %.2f:1, hearts %.2f:1, "
            "clubs %.2f:1, diamonds %.2f:1\n",
            deck.name, lowest[0], lowest[1], lowest[2], lowest[3]);
    }
}

// The mark recolours index 1 to index 7 in place. The four-colour deck's
// must stand out from an unmarked face by 3:1 and leave black ink at 4.5:1;
// the default deck's cyan is only printed, for the notes.
TEST(FaceContrast, TheFourColourMarkStandsOutAndKeepsBlackInkReadable) {
    for (const Deck& deck : Decks) {
        const StoredDib& ace = Picture(deck.firstId);
        ASSERT_EQ(ace.problem, "");
        const StoredColour white = ace.colours[1], mark = ace.colours[7];
        const double markOnWhite = Contrast(mark, white);
        std::printf("%s deck, mark (%d, %d, %d) against white: %.2f:1; ink on the mark:", deck.name,
                    mark.r, mark.g, mark.b, markOnWhite);
        for (int suit = 0; suit < 4; ++suit) {
            const StoredDib& face = Picture(deck.firstId + suit * 13 + 4);  // a five
            const MeasuredInk ink = MostFrequentInk(face, deck.ink[suit], {{16, 6, 60, 102}});
            const double onMark = Contrast(ink.colour, mark);
            std::printf(" %.2f:1", onMark);
            if (&deck == &FourColour && suit == 0) {
                EXPECT_GE(onMark, 4.5) << "black ink on a marked face";
            }
        }
        std::printf("\n");
        if (&deck == &FourColour) {
            EXPECT_GE(markOnWhite, 3.0);
        }
    }
}

// One table for all 52 four-colour faces: the table palette's entries where
// the default deck has them, its own mark at index 7, and its inks where the
// table palette only pads (copies of entry 0 up to the end).
TEST(FourColourDeck, FacesShareOneTableThatKeepsEveryUsedEntryOfTheTablePalette) {
    const StoredDib& table = Picture(101);
    const StoredDib& first = Picture(FourColour.firstId);
    ASSERT_EQ(table.problem, "");
    ASSERT_EQ(first.problem, "");
    for (int code = 1; code < 52; ++code) {
        EXPECT_EQ(Picture(FourColour.firstId + code).tableBytes, first.tableBytes)
            << "card code " << code;
    }
    size_t padding = table.colours.size();
    while (padding > 1 && table.colours[padding - 1] == table.colours[0]) --padding;
    EXPECT_GE(table.colours.size() - padding, 30u) << "room for two inks and their edges";
    int changed = 0;
    for (size_t i = 0; i < table.colours.size(); ++i) {
        if (i == 7 || i >= padding) {
            changed += !(first.colours[i] == table.colours[i]);
            continue;
        }
        EXPECT_EQ(first.colours[i], table.colours[i]) << "entry " << i;
    }
    EXPECT_GT(changed, 1);
    EXPECT_EQ(first.colours[1], White);
    EXPECT_FALSE(first.colours[7] == Cyan);
}

// Spades and hearts keep their inks, so only the table differs; clubs and
// diamonds change only where ink lies: each changed pixel moves from the
// default ink toward the new one (what a recoloured robe or a shifted pip
// would not do), within the rounding of the two tables.
TEST(FourColourDeck, ItsFacesAreTheDefaultFacesWithOnlyTheInkChanged) {
    for (int code = 0; code < 52; ++code) {
        SCOPED_TRACE("card code " + std::to_string(code));
        const StoredDib& two = Picture(TwoColour.firstId + code);
        const StoredDib& four = Picture(FourColour.firstId + code);
        ASSERT_EQ(two.problem, "");
        ASSERT_EQ(four.problem, "");
        const int suit = code / 13;
        if (suit < 2) {
            EXPECT_TRUE(two.pixels == four.pixels);
            continue;
        }
        const StoredColour from =
            MostFrequentInk(two, TwoColour.ink[suit], {{2, 2, 15, 30}}).colour;
        const StoredColour to =
            MostFrequentInk(four, FourColour.ink[suit], {{2, 2, 15, 30}}).colour;
        const double along[3] = {double(from.r - to.r), double(from.g - to.g),
                                 double(from.b - to.b)};
        const double length =
            std::sqrt(along[0] * along[0] + along[1] * along[1] + along[2] * along[2]);
        ASSERT_GT(length, 50) << "the ink must change";
        int differing = 0, astray = 0;
        for (int y = 0; y < 108; ++y) {
            for (int x = 0; x < 76; ++x) {
                if (two.At(x, y) == four.At(x, y)) continue;
                ++differing;
                const StoredColour a = two.ColourAt(x, y), b = four.ColourAt(x, y);
                const double step[3] = {double(a.r - b.r), double(a.g - b.g), double(a.b - b.b)};
                double projection = 0, square = 0;
                for (int k = 0; k < 3; ++k) {
                    projection += step[k] * along[k] / length;
                    square += step[k] * step[k];
                }
                const double aside = std::sqrt(std::max(0.0, square - projection * projection));
                if (projection <= 0 || aside > 48) {
                    if (++astray <= 3)
                        ADD_FAILURE() << "pixel " << x << "," << y << " changed off the ink's way";
                }
            }
        }
        EXPECT_GT(differing, 50);
        EXPECT_EQ(astray, 0);
    }
}

TEST(Pictures, TablePictureLeavesEveryDrawnPlaceAsTheGameExpects) {
    const StoredDib& table = Picture(101);
    ASSERT_EQ(table.problem, "");
    struct Region {
        const char* what;
        int x0, y0, x1, y1;
        StoredColour colour;
    };
    const Region regions[] = {
        {"speech text rectangle", SpeechLeft, SpeechTop, SpeechRight, SpeechBottom, White},
        {"cloth under the mouths", 15, 0, 184, 86, Green},
        {"rose band", 186, 194, 640, 245, Rose},
        {"computer hand-name strip", StripLeft, ComputerStripTop, StripRight,
         ComputerStripTop + StripHeight, Grey},
        {"player hand-name strip", StripLeft, PlayerStripTop, StripRight,
         PlayerStripTop + StripHeight, Grey},
        {"cloth left of the bands", 178, 140, 186, 300, Green},
        {"cloth below the bubble", 0, 292, 186, 480, Green},
    };
    for (const Region& r : regions) {
        EXPECT_EQ(CountColour(table, r.x0, r.y0, r.x1, r.y1, r.colour),
                  (r.x1 - r.x0) * (r.y1 - r.y0))
            << r.what;
    }
    for (int slot = 0; slot < SlotCount; ++slot) {
        const int x = SlotLeft(slot), y = SlotTop(slot);
        EXPECT_EQ(CountColour(table, x, y, x + CardWidth, y + CardHeight, Green),
                  CardWidth * CardHeight)
            << "slot " << slot;
    }
    // The bubble's white is the palette's white entry, like the faces'.
    EXPECT_EQ(table.At(SpeechLeft, SpeechTop), 1);
    // The bubble's point rises above its body, toward the mouth.
    EXPECT_GT(CountColour(table, 15, 86, 184, 100, White), 10);
    // Both grey bands start at x 186, are labelled before x 300 and are grey to the right edge.
    for (int top : {146, 245}) {
        EXPECT_EQ(table.ColourAt(185, top + 20), Green);
        EXPECT_EQ(table.ColourAt(190, top + 3), Grey);
        EXPECT_EQ(table.ColourAt(639, top + 20), Grey);
        EXPECT_GT(CountPixels(table, 186, top, 300, top + 48,
                              [](StoredColour c, int) { return Dark(c) || c.b > c.r + 40; }),
                  60)
            << "label of the band at " << top;
    }
}

// Each mouth is drawn at its own height; any one must cover whatever another
// left, so outside the rows all three share every row is cloth.
TEST(Pictures, MouthsAreOnClothWhereverAnotherMouthReaches) {
    const int tops[] = {MouthClosedTop, MouthGrinTop, MouthOpenTop};
    int sharedFirst = 0, sharedLast = 1 << 20;
    for (int top : tops) {
        sharedFirst = std::max(sharedFirst, top);
        sharedLast = std::min(sharedLast, top + MouthHeight - 1);
    }
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("mouth " + std::to_string(182 + i));
        const StoredDib& mouth = Picture(182 + i);
        ASSERT_EQ(mouth.problem, "");
        for (int y = 0; y < MouthHeight; ++y) {
            const int screenRow = tops[i] + y;
            if (screenRow >= sharedFirst && screenRow <= sharedLast) continue;
            EXPECT_EQ(CountColour(mouth, 0, y, MouthWidth, y + 1, Green), MouthWidth)
                << "row " << y;
        }
        EXPECT_EQ(CountColour(mouth, 0, 0, 1, MouthHeight, Green), MouthHeight);
        EXPECT_EQ(CountColour(mouth, MouthWidth - 1, 0, MouthWidth, MouthHeight, Green),
                  MouthHeight);
        // There are lips: pink and red in the middle.
        EXPECT_GT(CountPixels(mouth, 0, 0, MouthWidth, MouthHeight,
                              [](StoredColour c, int) { return Reddish(c); }),
                  100);
        EXPECT_GT(CountPixels(mouth, 0, 0, MouthWidth, MouthHeight,
                              [](StoredColour c, int) {
                                  return c.r > 200 && c.g > 90 && c.g < 200 && c.b > 100;
                              }),
                  300);
    }
}

TEST(Pictures, DigitsAreYellowOnNavy) {
    const StoredDib& blank = Picture(166);
    ASSERT_EQ(blank.problem, "");
    EXPECT_EQ(CountColour(blank, 0, 0, DigitWidth, DigitHeight, Navy), DigitWidth * DigitHeight);
    std::set<std::vector<uint8_t>> shapes;
    for (int digit = 0; digit <= 9; ++digit) {
        SCOPED_TRACE("digit " + std::to_string(digit));
        const StoredDib& cell = Picture(167 + digit);
        ASSERT_EQ(cell.problem, "");
        EXPECT_EQ(cell.ColourAt(0, 0), Navy);
        EXPECT_EQ(cell.ColourAt(32, 43), Navy);
        EXPECT_GT(CountColour(cell, 0, 0, DigitWidth, DigitHeight, Yellow), 60);
        // Edge pixels are blends of the two colours, nothing else.
        const auto offRamp = [](StoredColour c, int) {
            const int expectedBlue = 128 - (c.r * 128 + 127) / 255;
            return c.r != c.g || std::abs(c.b - expectedBlue) > 2;
        };
        EXPECT_EQ(CountPixels(cell, 0, 0, DigitWidth, DigitHeight, offRamp), 0);
        // The ones cell covers the tens cell's last column, so that column stays navy.
        EXPECT_EQ(CountColour(cell, DigitWidth - 1, 0, DigitWidth, DigitHeight, Navy), DigitHeight);
        shapes.insert(cell.pixels);
    }
    EXPECT_EQ(shapes.size(), 10u);
}

TEST(Pictures, BackEmptySlotAndCloth) {
    const StoredDib& back = Picture(154);
    ASSERT_EQ(back.problem, "");
    const StoredColour red = back.ColourAt(57, 27);
    EXPECT_TRUE(Reddish(red));
    EXPECT_EQ(back.ColourAt(19, 27), Yellow);
    EXPECT_EQ(back.ColourAt(57, 81), Yellow);
    EXPECT_EQ(back.ColourAt(19, 81), red);
    EXPECT_TRUE(Dark(back.ColourAt(38, 54)));  // the cross
    EXPECT_TRUE(Dark(back.ColourAt(38, 10)));
    EXPECT_TRUE(Dark(back.ColourAt(10, 54)));
    const StoredColour border = back.ColourAt(38, 0);
    EXPECT_TRUE(border.r == border.g && border.g == border.b && border.r > 80 && border.r < 220);
    const StoredDib& empty = Picture(178);
    ASSERT_EQ(empty.problem, "");
    EXPECT_EQ(CountColour(empty, 0, 0, CardWidth, CardHeight, Green), CardWidth * CardHeight);
}

TEST(Pictures, ProgramIconHasFiveSizesAndKeepsItsSixteenColour32) {
    const std::vector<uint8_t> ico = ReadFileBytes(ResDir + "/179_program.ico");
    ASSERT_GE(ico.size(), 6u + 5 * 16);
    EXPECT_EQ(ReadLe16(ico, 0), 0);
    EXPECT_EQ(ReadLe16(ico, 2), 1);  // an icon
    ASSERT_EQ(ReadLe16(ico, 4), 5);
    struct Entry {
        int size;
        int colours;  // the directory's colour count: 16, or 0 for true colour
        int bitsPerPixel;
        bool png;
    };
    const Entry entries[] = {{16, 0, 32, false},
                             {24, 0, 32, false},
                             {32, 16, 4, false},
                             {48, 0, 32, false},
                             {256, 0, 32, true}};
    uint32_t end = 6 + 5 * 16;
    for (int k = 0; k < 5; ++k) {
        const Entry& e = entries[k];
        SCOPED_TRACE(e.size);
        const size_t at = 6 + 16 * static_cast<size_t>(k);
        EXPECT_EQ(ico[at], e.size % 256);  // 0 stands for 256
        EXPECT_EQ(ico[at + 1], e.size % 256);
        EXPECT_EQ(ico[at + 2], e.colours);
        EXPECT_EQ(ReadLe16(ico, at + 4), 1);  // planes
        EXPECT_EQ(ReadLe16(ico, at + 6), e.bitsPerPixel);
        const uint32_t bytes = ReadLe32(ico, at + 8), offset = ReadLe32(ico, at + 12);
        EXPECT_EQ(offset, end) << "images follow each other";
        end = offset + bytes;
        ASSERT_LE(end, ico.size());
        if (e.png) {
            const std::string signature(ico.begin() + offset, ico.begin() + offset + 8);
            EXPECT_EQ(signature, "\x89PNG\r\n\x1a\n");
            EXPECT_EQ(std::string(ico.begin() + offset + 12, ico.begin() + offset + 16), "IHDR");
            EXPECT_EQ(ico[offset + 18] * 256 + ico[offset + 19], 256);  // width, big-endian
            EXPECT_EQ(ico[offset + 22] * 256 + ico[offset + 23], 256);  // height
            continue;
        }
        EXPECT_EQ(ReadLe32(ico, offset), 40u);
        EXPECT_EQ(ReadLe32(ico, offset + 4), static_cast<uint32_t>(e.size));
        EXPECT_EQ(ReadLe32(ico, offset + 8), static_cast<uint32_t>(2 * e.size));  // colour and mask
        const uint32_t maskRow = (e.size + 31) / 32 * 4;
        const uint32_t colourTable = e.bitsPerPixel < 8 ? 4u << e.bitsPerPixel : 0;
        EXPECT_EQ(bytes,
                  40 + colourTable + e.size * e.size * e.bitsPerPixel / 8 + maskRow * e.size);
        if (e.bitsPerPixel == 32) {
            // The bottom-left pixel (first stored) is the table's green, opaque.
            const size_t pixel = offset + 40;
            EXPECT_EQ(ico[pixel + 1], 128);
            EXPECT_EQ(ico[pixel + 3], 255);
        }
    }
    EXPECT_EQ(end, ico.size());

    // The 32 x 32 image as it always was: table green around a white card, red in it.
    const StoredDib image = DecodeDib(ico, ReadLe32(ico, 6 + 2 * 16 + 12), 32);
    ASSERT_EQ(image.problem, "");
    EXPECT_EQ(image.bitsPerPixel, 4);
    EXPECT_EQ(image.ColourAt(31, 0), Green);
    EXPECT_EQ(image.ColourAt(0, 31), Green);
    EXPECT_GT(CountColour(image, 0, 0, 32, 32, White), 60);
    EXPECT_GT(CountPixels(image, 0, 0, 16, 12, [](StoredColour c, int) { return Reddish(c); }), 10);
}

TEST(Pictures, IconPngsAreRgbaAndTheMaskableOneKeepsTheDesignInItsSafeCircle) {
    const std::pair<const char*, int> files[] = {{"bluffwick-48.png", 48},
                                                 {"bluffwick-192.png", 192},
                                                 {"bluffwick-256.png", 256},
                                                 {"bluffwick-512.png", 512},
                                                 {"bluffwick-maskable-512.png", 512}};
    std::map<std::string, StoredPng> read;
    for (const auto& [name, size] : files) {
        SCOPED_TRACE(name);
        StoredPng& png = read[name] = ReadPngFile(ResDir + "/" + name);
        ASSERT_EQ(png.problem, "");
        EXPECT_EQ(png.width, size);
        EXPECT_EQ(png.height, size);
        EXPECT_EQ(png.bitDepth, 8);
        EXPECT_EQ(png.colourType, 6);  // RGBA
    }

    // A launcher may crop the maskable icon to the circle of 40% of the width
    // about its centre, so only the opaque table green may lie outside it;
    // the plain icon's design reaches its edges.
    const auto count = [](const StoredPng& png, auto test) {
        int n = 0;
        const double c = png.width / 2.0;
        for (int y = 0; y < png.height; ++y) {
            for (int x = 0; x < png.width; ++x) {
                const bool outside = std::hypot(x + 0.5 - c, y + 0.5 - c) > 0.4 * png.width;
                n += test(png.ColourAt(x, y), png.AlphaAt(x, y), outside);
            }
        }
        return n;
    };
    const auto strayOutside = [](StoredColour c, int, bool outside) {
        return outside && !(c == Green);
    };
    const StoredPng& maskable = read["bluffwick-maskable-512.png"];
    EXPECT_EQ(count(maskable, [](StoredColour, int alpha, bool) { return alpha != 255; }), 0);
    EXPECT_EQ(count(maskable, strayOutside), 0);
    EXPECT_GT(count(read["bluffwick-512.png"], strayOutside), 1000);
    // The design is there, not only the field: the white card and the red lips.
    EXPECT_GT(count(maskable, [](StoredColour c, int, bool) { return c == White; }), 20000);
    EXPECT_GT(count(maskable, [](StoredColour c, int, bool) { return Reddish(c); }), 5000);
}

}  // namespace
