// The colour tables: the shared table palette with its anti-aliasing ramps,
// and the small own tables of the mouths, the digits and the icon.
#include "artgen.h"

#include <cstdio>
#include <cstdlib>

namespace {

bool SameRgb(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

void AddColour(Palette& palette, Rgb colour) {
    palette.colours.push_back(colour);
    palette.usable.push_back(true);
}

// Pads to the table size with copies of entry 0; a copy is never chosen,
// since the quantiser keeps the first of equally near entries.
void PadTo(Palette& palette, size_t size) {
    if (palette.colours.size() > size) {
        std::fprintf(stderr, "artgen: palette needs %zu entries, has room for %zu\n",
                     palette.colours.size(), size);
        std::exit(1);
    }
    while (palette.colours.size() < size) {
        palette.colours.push_back(palette.colours[0]);
        palette.usable.push_back(false);
    }
}

void AddIfNew(Palette& palette, Rgb colour) {
    for (const Rgb& have : palette.colours) {
        if (SameRgb(have, colour)) return;
    }
    AddColour(palette, colour);
}

}  // namespace

// Adds the colours strictly between from and to, evenly spaced.
void AddRamp(Palette& palette, Rgb from, Rgb to, int steps) {
    for (int i = 1; i <= steps; ++i) {
        AddIfNew(palette, MixRgb(from, to, static_cast<double>(i) / (steps + 1)));
    }
}

namespace {

// Every colour of the table palette, before its padding.
Palette TableColours() {
    Palette palette;
    // Fixed places: the selection mark turns index 1 (white) into index 7 (cyan).
    const Rgb fixed[] = {ColourBlack, ColourWhite,     ColourTableGreen, ColourBandGrey,
                         ColourRose,  ColourCardRed,   ColourYellow,     ColourCyan,
                         ColourNavy,  ColourBorderGrey};
    for (Rgb colour : fixed) AddColour(palette, colour);
    const Rgb court[] = {ColourGold,      ColourDarkGold,  ColourSkin,      ColourSkinShade,
                         ColourHairBrown, ColourHairBlond, ColourHairDark,  ColourRoyalBlue,
                         ColourDarkBlue,  ColourRobeGreen, ColourDarkGreen, ColourPurple,
                         ColourOrange,    ColourDarkRed,   ColourSilver};
    for (Rgb colour : court) AddIfNew(palette, colour);

    // Edges of black and red ink on the white card.
    AddRamp(palette, ColourWhite, ColourBlack, 15);
    AddRamp(palette, ColourWhite, ColourCardRed, 10);
    AddRamp(palette, ColourBlack, ColourCardRed, 4);
    // Edges of the court figures against the card and their black outlines.
    for (Rgb colour : court) {
        AddRamp(palette, ColourWhite, colour, 3);
        AddRamp(palette, ColourBlack, colour, 2);
    }
    // Where court colours meet each other.
    const Rgb meeting[][2] = {
        {ColourGold, ColourCardRed},      {ColourGold, ColourRoyalBlue},
        {ColourGold, ColourRobeGreen},    {ColourGold, ColourPurple},
        {ColourSkin, ColourHairBrown},    {ColourSkin, ColourHairBlond},
        {ColourSkin, ColourHairDark},     {ColourSkin, ColourCardRed},
        {ColourCardRed, ColourRoyalBlue}, {ColourCardRed, ColourPurple},
        {ColourGold, ColourSkin},         {ColourOrange, ColourPurple},
        {ColourSilver, ColourDarkBlue},   {ColourGold, ColourDarkRed},
    };
    for (const auto& pair : meeting) AddRamp(palette, pair[0], pair[1], 2);
    // The table: bubble and card corners on the cloth, lettering on the bands.
    AddRamp(palette, ColourTableGreen, ColourWhite, 6);
    AddRamp(palette, ColourTableGreen, ColourBlack, 3);
    AddRamp(palette, ColourTableGreen, ColourBorderGrey, 3);
    AddRamp(palette, ColourTableGreen, ColourDarkGreen, 2);
    AddRamp(palette, ColourBandGrey, ColourDarkBlue, 5);
    AddRamp(palette, ColourBandGrey, ColourWhite, 2);
    AddRamp(palette, ColourRose, ColourDarkRed, 2);
    // The back: yellow and red quarters, black cross, grey border.
    AddRamp(palette, ColourYellow, ColourCardRed, 3);
    AddRamp(palette, ColourYellow, ColourBlack, 3);
    AddRamp(palette, ColourBorderGrey, ColourYellow, 2);
    AddRamp(palette, ColourBorderGrey, ColourCardRed, 2);
    // A coarse cube for anything else.
    const int levels[] = {0, 128, 255};
    for (int r : levels)
        for (int g : levels)
            for (int b : levels) AddIfNew(palette, Rgb{r, g, b});
    return palette;
}

}  // namespace

Palette BuildTablePalette() {
    Palette palette = TableColours();
    PadTo(palette, 256);
    // Nothing may be drawn in cyan: only the selection mark puts it on a card.
    palette.usable[CyanIndex] = false;
    return palette;
}

// The table palette with the four-colour deck's inks and their edges where the
// padding was, so every colour a face shares with the default deck keeps its
// index, and the mark's colour at index 7.
Palette BuildFourColourPalette() {
    Palette palette = TableColours();
    for (Rgb ink : {ColourClubsGreen, ColourDiamondsBlue}) {
        AddColour(palette, ink);
        AddRamp(palette, ColourWhite, ink, 10);
        AddRamp(palette, ColourBlack, ink, 4);
    }
    PadTo(palette, 256);
    palette.colours[MarkIndex] = ColourFourColourMark;
    palette.usable[MarkIndex] = false;
    return palette;
}

Palette BuildMouthPalette() {
    Palette palette;
    const Rgb green = ColourTableGreen;
    const Rgb pink{236, 120, 140};
    const Rgb light{255, 196, 206};
    const Rgb deep{182, 52, 82};
    const Rgb red{204, 16, 32};
    const Rgb inside{110, 0, 20};
    const Rgb tongue{232, 92, 108};
    const Rgb keys[] = {green, pink, light, deep, red, inside, tongue, ColourWhite, ColourBlack};
    for (Rgb colour : keys) AddColour(palette, colour);
    AddRamp(palette, green, pink, 8);
    AddRamp(palette, green, light, 4);
    AddRamp(palette, green, deep, 8);
    AddRamp(palette, pink, light, 10);
    AddRamp(palette, pink, deep, 14);
    AddRamp(palette, deep, red, 6);
    AddRamp(palette, deep, inside, 8);
    AddRamp(palette, red, inside, 10);
    AddRamp(palette, red, pink, 8);
    AddRamp(palette, inside, tongue, 10);
    AddRamp(palette, tongue, deep, 4);
    AddRamp(palette, light, ColourWhite, 4);
    AddRamp(palette, deep, ColourBlack, 4);
    AddRamp(palette, inside, ColourBlack, 4);
    PadTo(palette, 256);
    return palette;
}

// Yellow on navy with fourteen steps between them for smooth digit edges.
Palette BuildDigitPalette() {
    Palette palette;
    AddColour(palette, ColourNavy);
    AddColour(palette, ColourYellow);
    for (int i = 1; i <= 14; ++i) AddColour(palette, MixRgb(ColourNavy, ColourYellow, i / 15.0));
    return palette;
}

Palette BuildIconPalette() {
    Palette palette;
    const Rgb colours[] = {
        ColourBlack,     ColourWhite,     ColourTableGreen, ColourCardRed,
        {236, 120, 140}, {255, 196, 206}, {110, 0, 20},     ColourBorderGrey,
        ColourBandGrey,  {64, 160, 64},   {128, 192, 128},  {232, 232, 232},
        {96, 96, 96},    {230, 100, 100}, {0, 64, 0},       {160, 40, 60},
    };
    for (Rgb colour : colours) AddColour(palette, colour);
    return palette;
}
