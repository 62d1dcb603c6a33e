// Shared declarations of the artwork generator: indexed pictures, palettes,
// Cairo rendering with quantisation, and the drawing procedures per picture.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Rgb {
    int r, g, b;
};

// A colour table and which of its entries a picture may be quantised to.
struct Palette {
    std::vector<Rgb> colours;
    std::vector<bool> usable;  // parallel to colours
};

// One picture as the game stores it: rows top to bottom, one index per pixel.
struct IndexedPicture {
    int id = 0;
    std::string fileName;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 8;  // 8 or 4
    std::vector<Rgb> colours;
    std::vector<uint8_t> pixels;  // width * height, top row first
};

// Fonts are loaded from fixed files so every run draws the same letters.
struct ArtFonts {
    cairo_font_face_t* sansBold;
    cairo_font_face_t* serifBold;
    cairo_font_face_t* serifCondensedBold;
};

// The well-known colours of the game.
constexpr Rgb ColourBlack{0, 0, 0};
constexpr Rgb ColourWhite{255, 255, 255};
constexpr Rgb ColourTableGreen{0, 128, 0};
constexpr Rgb ColourBandGrey{194, 194, 194};
constexpr Rgb ColourRose{233, 115, 118};
constexpr Rgb ColourCardRed{208, 0, 16};
constexpr Rgb ColourYellow{255, 255, 0};
constexpr Rgb ColourCyan{0, 255, 255};
constexpr Rgb ColourNavy{0, 0, 128};
constexpr Rgb ColourBorderGrey{128, 128, 128};
// Colours of the court figures; the table palette carries ramps for them.
constexpr Rgb ColourGold{236, 184, 32};
constexpr Rgb ColourDarkGold{150, 100, 16};
constexpr Rgb ColourSkin{252, 216, 184};
constexpr Rgb ColourSkinShade{222, 160, 122};
constexpr Rgb ColourHairBrown{112, 60, 24};
constexpr Rgb ColourHairBlond{236, 200, 88};
constexpr Rgb ColourHairDark{48, 36, 36};
constexpr Rgb ColourRoyalBlue{32, 80, 200};
constexpr Rgb ColourDarkBlue{20, 32, 110};
constexpr Rgb ColourRobeGreen{24, 140, 64};
constexpr Rgb ColourDarkGreen{8, 84, 36};
constexpr Rgb ColourPurple{118, 48, 150};
constexpr Rgb ColourOrange{240, 136, 32};
constexpr Rgb ColourDarkRed{140, 0, 16};
constexpr Rgb ColourSilver{176, 176, 188};
// The four-colour deck's inks for clubs and diamonds (spades and hearts keep
// black and red), and its selection mark: a marked face must stand at 3:1
// from an unmarked one, where the default deck's cyan barely differs from white.
constexpr Rgb ColourClubsGreen{0, 100, 80};
constexpr Rgb ColourDiamondsBlue{0, 72, 210};
constexpr Rgb ColourFourColourMark{246, 79, 199};
constexpr int WhiteIndex = 1;
// The selection mark turns WhiteIndex into MarkIndex: cyan in the table palette.
constexpr int MarkIndex = 7;
constexpr int CyanIndex = MarkIndex;

// Palettes (palette.cpp).
Palette BuildTablePalette();
Palette BuildFourColourPalette();
Palette BuildMouthPalette();
Palette BuildDigitPalette();
Palette BuildIconPalette();
void AddRamp(Palette& palette, Rgb from, Rgb to, int steps);

// Rendering (render.cpp): draw with Cairo onto an opaque surface of the given
// size, then map every pixel to the nearest usable palette entry.
using DrawProc = std::function<void(cairo_t*)>;
IndexedPicture RenderIndexed(int id, const std::string& fileName, int width, int height,
                             int bitsPerPixel, const Palette& palette, const DrawProc& draw);
// Draws a variant of `base`, which baseDraw drew: every pixel the variant's
// drawing leaves as baseDraw left it keeps base's index, the others take the
// nearest usable entry of `palette`, whose colours become the picture's table.
IndexedPicture RenderVariant(const IndexedPicture& base, const DrawProc& baseDraw, int id,
                             const std::string& fileName, const Palette& palette,
                             const DrawProc& draw);
void SetSourceRgb(cairo_t* cr, Rgb colour);
Rgb MixRgb(Rgb a, Rgb b, double t);

// Files (dib_files.cpp).
std::vector<uint8_t> EncodeBmp(const IndexedPicture& picture);
// One more image of the icon, stored as it goes into the file: a DIB with its
// mask, or a PNG (for 256 pixels).
struct IconImage {
    int size = 0;
    int bitsPerPixel = 32;
    std::vector<uint8_t> stored;
};
IconImage TrueColourIconImage(int size, const std::vector<uint8_t>& bgra);
IconImage PngIconImage(int size, std::vector<uint8_t> png);
// The indexed image and the others, smallest first in the directory.
std::vector<uint8_t> EncodeIco(const IndexedPicture& picture, std::vector<IconImage> others);
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Shapes (shapes.cpp): suit symbols centred on (0, 0), about 1 unit high.
void PathSuit(cairo_t* cr, int suit);
void PathRoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void PathEllipse(cairo_t* cr, double cx, double cy, double rx, double ry);
// Draws text with its ink box centred on (cx, cy), squeezed to maxWidth if wider.
void DrawCentredText(cairo_t* cr, cairo_font_face_t* face, double size, const char* text, double cx,
                     double cy, double maxWidth);
// The same with the ink box starting at x = left.
void DrawLeftText(cairo_t* cr, cairo_font_face_t* face, double size, const char* text, double left,
                  double cy, double maxWidth);

// Pictures.
IndexedPicture DrawTablePicture(const Palette& palette, const ArtFonts& fonts);
IndexedPicture DrawCardFace(const Palette& palette, const ArtFonts& fonts, int code);
// The same card in the four-colour deck, from its default face: identical
// pixels but where the suit's ink lies, and the four-colour table.
IndexedPicture DrawFourColourFace(const IndexedPicture& face, const Palette& fourColourPalette,
                                  const ArtFonts& fonts, int code);
IndexedPicture DrawCardBack(const Palette& palette);
IndexedPicture DrawEmptySlot(const Palette& palette);
std::vector<IndexedPicture> DrawDigits(const Palette& palette, const ArtFonts& fonts);
std::vector<IndexedPicture> DrawMouths(const Palette& palette);
IndexedPicture DrawProgramIcon(const Palette& palette);
// The same design drawn at `size` x `size` in true colour: blue, green, red,
// alpha per pixel, top row first.
std::vector<uint8_t> DrawIconPixels(int size);
// The design at `size` x `size` as a PNG file's bytes. A maskable icon fills
// the whole square and keeps the design inside the circle a launcher may cut.
enum class IconPurpose { Any, Maskable };
std::vector<uint8_t> DrawIconPng(int size, IconPurpose purpose = IconPurpose::Any);

// Court figures (courts.cpp): one half of the double-ended picture, drawn in a
// 46 x 44 box with its origin at the top-left corner.
void DrawCourtHalf(cairo_t* cr, int suit, int rank, Rgb suitInk);

// The review sheet (contact_sheet.cpp).
bool WriteContactSheet(const std::string& path, const std::vector<IndexedPicture>& pictures,
                       const ArtFonts& fonts);
// The four-colour deck's sheet: a deal on the table, every face, every face marked.
bool WriteFourColourSheet(const std::string& path, const std::vector<IndexedPicture>& pictures,
                          const ArtFonts& fonts);
