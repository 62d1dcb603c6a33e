// The 76 x 108 pictures: the 52 faces, the back and the empty slot, all in the
// shared table palette.
#include "artgen.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int CardW = 76;
constexpr int CardH = 108;
constexpr double CardRadius = 5.0;
const Rgb CardEdge{96, 96, 96};

const char* const RankText[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
const char* const SuitName[] = {"spades", "hearts", "clubs", "diamonds"};
const char* const RankName[] = {"ace", "2", "3",  "4",    "5",     "6",   "7",
                                "8",   "9", "10", "jack", "queen", "king"};

Rgb TwoColourInk(int suit) { return (suit == 1 || suit == 3) ? ColourCardRed : ColourBlack; }

Rgb FourColourInk(int suit) {
    const Rgb inks[] = {ColourBlack, ColourCardRed, ColourClubsGreen, ColourDiamondsBlue};
    return inks[suit];
}

void FillSuit(cairo_t* cr, int suit, double cx, double cy, double size, bool upsideDown) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    if (upsideDown) cairo_rotate(cr, M_PI);
    cairo_scale(cr, size, size);
    PathSuit(cr, suit);
    cairo_restore(cr);
    cairo_fill(cr);
}

// The white card with a thin grey edge; the corners outside it are cloth.
// Turns the drawing half a circle about the card's centre, for the lower,
// upside-down half of a double-ended design.
void TurnCardRound(cairo_t* cr) {
    cairo_translate(cr, CardW / 2.0, CardH / 2.0);
    cairo_rotate(cr, M_PI);
    cairo_translate(cr, -CardW / 2.0, -CardH / 2.0);
}

void DrawBlankCard(cairo_t* cr) {
    SetSourceRgb(cr, ColourTableGreen);
    cairo_paint(cr);
    PathRoundedRect(cr, 0.5, 0.5, CardW - 1, CardH - 1, CardRadius);
    SetSourceRgb(cr, ColourWhite);
    cairo_fill_preserve(cr);
    SetSourceRgb(cr, CardEdge);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

// Rank over suit at the top left; the same turned round at the bottom right.
void DrawIndices(cairo_t* cr, const ArtFonts& fonts, int suit, int rank, Rgb ink) {
    for (int turn = 0; turn < 2; ++turn) {
        cairo_save(cr);
        if (turn == 1) TurnCardRound(cr);
        SetSourceRgb(cr, ink);
        DrawCentredText(cr, fonts.serifCondensedBold, 15, RankText[rank - 1], 8.5, 10.5, 11);
        FillSuit(cr, suit, 8.5, 24, 10, false);
        cairo_restore(cr);
    }
}

// Classic pip positions on a 76 x 108 card.
struct Pip {
    double x, y;
};
constexpr double ColL = 26, ColC = 38, ColR = 50;
constexpr double RowTop = 20, RowBottom = 88, RowMid = 54;
constexpr double RowQ1 = RowTop + (RowBottom - RowTop) / 3;  // four-row layouts
constexpr double RowQ2 = RowTop + 2 * (RowBottom - RowTop) / 3;

std::vector<Pip> PipLayout(int rank) {
    std::vector<Pip> pips;
    auto pair = [&](double y) {
        pips.push_back({ColL, y});
        pips.push_back({ColR, y});
    };
    switch (rank) {
    case 2:
        pips.push_back({ColC, RowTop});
        pips.push_back({ColC, RowBottom});
        break;
    case 3:
        pips.push_back({ColC, RowTop});
        pips.push_back({ColC, RowMid});
        pips.push_back({ColC, RowBottom});
        break;
    case 4:
        pair(RowTop);
        pair(RowBottom);
        break;
    case 5:
        pair(RowTop);
        pair(RowBottom);
        pips.push_back({ColC, RowMid});
        break;
    case 6:
        pair(RowTop);
        pair(RowMid);
        pair(RowBottom);
        break;
    case 7:
        pair(RowTop);
        pair(RowMid);
        pair(RowBottom);
        pips.push_back({ColC, (RowTop + RowMid) / 2});
        break;
    case 8:
        pair(RowTop);
        pair(RowMid);
        pair(RowBottom);
        pips.push_back({ColC, (RowTop + RowMid) / 2});
        pips.push_back({ColC, (RowMid + RowBottom) / 2});
        break;
    case 9:
        pair(RowTop);
        pair(RowQ1);
        pair(RowQ2);
        pair(RowBottom);
        pips.push_back({ColC, RowMid});
        break;
    case 10:
        pair(RowTop);
        pair(RowQ1);
        pair(RowQ2);
        pair(RowBottom);
        pips.push_back({ColC, (RowTop + RowQ1) / 2});
        pips.push_back({ColC, (RowQ2 + RowBottom) / 2});
        break;
    default: break;
    }
    return pips;
}

void DrawPips(cairo_t* cr, int suit, int rank, Rgb ink) {
    SetSourceRgb(cr, ink);
    // Nine and ten pack a middle column between the side pips: smaller pips,
    // columns further apart, so no two touch.
    const bool crowded = rank >= 9;
    const double size = crowded ? 13.5 : 16;
    const double spread = crowded ? 2 : 0;
    for (const Pip& pip : PipLayout(rank)) {
        const double x = pip.x < ColC ? pip.x - spread : pip.x > ColC ? pip.x + spread : pip.x;
        FillSuit(cr, suit, x, pip.y, size, pip.y > RowMid + 0.5);
    }
}

void DrawAce(cairo_t* cr, int suit, Rgb ink) {
    const double size = suit == 0 ? 46 : 40;
    SetSourceRgb(cr, ink);
    FillSuit(cr, suit, CardW / 2.0, CardH / 2.0, size, false);
    if (suit == 0) {
        // The ace of spades gets an engraved inner line.
        cairo_save(cr);
        cairo_translate(cr, CardW / 2.0, CardH / 2.0 - 1.5);
        cairo_scale(cr, 34, 34);
        PathSuit(cr, 0);
        cairo_restore(cr);
        SetSourceRgb(cr, ColourWhite);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
}

// The court picture: a framed double-ended figure, the lower half the upper
// one turned round.
void DrawCourt(cairo_t* cr, int suit, int rank, Rgb ink) {
    const double left = 16, top = 10, width = 44, height = 88;
    for (int turn = 0; turn < 2; ++turn) {
        cairo_save(cr);
        if (turn == 1) TurnCardRound(cr);
        cairo_rectangle(cr, left, top, width, height / 2);
        cairo_clip(cr);
        cairo_translate(cr, left - 1, top);
        DrawCourtHalf(cr, suit, rank, ink);
        cairo_restore(cr);
    }
    SetSourceRgb(cr, ink);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, left - 0.5, top - 0.5, width + 1, height + 1);
    cairo_stroke(cr);
    cairo_move_to(cr, left, top + height / 2);
    cairo_line_to(cr, left + width, top + height / 2);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

DrawProc FaceDrawing(const ArtFonts& fonts, int code, Rgb ink) {
    return [fonts, code, ink](cairo_t* cr) {
        const int suit = code / 13;
        const int rank = code % 13 + 1;
        DrawBlankCard(cr);
        if (rank == 1) {
            DrawAce(cr, suit, ink);
        } else if (rank <= 10) {
            DrawPips(cr, suit, rank, ink);
        } else {
            DrawCourt(cr, suit, rank, ink);
        }
        DrawIndices(cr, fonts, suit, rank, ink);
    };
}

std::string FaceFileName(int id, const char* marker, int code) {
    char fileName[64];
    std::snprintf(fileName, sizeof fileName, "%d_%s%s_%s.bmp", id, marker, SuitName[code / 13],
                  RankName[code % 13]);
    return fileName;
}

}  // namespace

IndexedPicture DrawCardFace(const Palette& palette, const ArtFonts& fonts, int code) {
    return RenderIndexed(102 + code, FaceFileName(102 + code, "", code), CardW, CardH, 8, palette,
                         FaceDrawing(fonts, code, TwoColourInk(code / 13)));
}

IndexedPicture DrawFourColourFace(const IndexedPicture& face, const Palette& fourColourPalette,
                                  const ArtFonts& fonts, int code) {
    return RenderVariant(face, FaceDrawing(fonts, code, TwoColourInk(code / 13)), 202 + code,
                         FaceFileName(202 + code, "four_", code), fourColourPalette,
                         FaceDrawing(fonts, code, FourColourInk(code / 13)));
}

IndexedPicture DrawCardBack(const Palette& palette) {
    return RenderIndexed(154, "154_back.bmp", CardW, CardH, 8, palette, [&](cairo_t* cr) {
        SetSourceRgb(cr, ColourTableGreen);
        cairo_paint(cr);
        cairo_save(cr);
        PathRoundedRect(cr, 0.5, 0.5, CardW - 1, CardH - 1, CardRadius);
        cairo_clip(cr);
        const double cx = CardW / 2.0, cy = CardH / 2.0;
        SetSourceRgb(cr, ColourYellow);
        cairo_rectangle(cr, 0, 0, cx, cy);
        cairo_rectangle(cr, cx, cy, cx, cy);
        cairo_fill(cr);
        SetSourceRgb(cr, ColourCardRed);
        cairo_rectangle(cr, cx, 0, cx, cy);
        cairo_rectangle(cr, 0, cy, cx, cy);
        cairo_fill(cr);
        SetSourceRgb(cr, ColourBlack);
        cairo_rectangle(cr, cx - 3, 0, 6, CardH);
        cairo_rectangle(cr, 0, cy - 3, CardW, 6);
        cairo_fill(cr);
        cairo_restore(cr);
        PathRoundedRect(cr, 0.5, 0.5, CardW - 1, CardH - 1, CardRadius);
        SetSourceRgb(cr, ColourBorderGrey);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    });
}

IndexedPicture DrawEmptySlot(const Palette& palette) {
    return RenderIndexed(178, "178_empty_slot.bmp", CardW, CardH, 8, palette, [](cairo_t* cr) {
        SetSourceRgb(cr, ColourTableGreen);
        cairo_paint(cr);
    });
}
