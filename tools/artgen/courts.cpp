// The twelve court figures. Each is a half-length portrait in a 46 x 44 box:
// kings crowned and bearded, queens with a tiara and long hair, jacks in a
// feathered cap; the suit sets the colours and each holds its own attribute.
#include "artgen.h"

#include <cmath>

namespace {

struct CourtColours {
    Rgb robe;
    Rgb trim;
    Rgb hair;
    Rgb jewel;
};

const CourtColours SuitColours[] = {
    {ColourRoyalBlue, ColourGold, ColourHairDark, ColourCardRed},      // spades
    {ColourCardRed, ColourGold, ColourHairBlond, ColourRoyalBlue},     // hearts
    {ColourRobeGreen, ColourCardRed, ColourHairBrown, ColourCardRed},  // clubs
    {ColourPurple, ColourOrange, ColourOrange, ColourRobeGreen},       // diamonds
};

const Rgb Outline = ColourBlack;

void FillOutlined(cairo_t* cr, Rgb fill, double line = 0.7) {
    SetSourceRgb(cr, fill);
    cairo_fill_preserve(cr);
    SetSourceRgb(cr, Outline);
    cairo_set_line_width(cr, line);
    cairo_stroke(cr);
}

void Line(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb colour, double width) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    SetSourceRgb(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

constexpr double HeadX = 23, HeadY = 19;

// Shoulders and robe down to the centre line; the rank decides the cut.
void DrawRobe(cairo_t* cr, const CourtColours& c, int rank) {
    cairo_move_to(cr, 6, 45);
    cairo_line_to(cr, 6, 36);
    cairo_curve_to(cr, 6, 32, 9, 29.5, 15, 29);
    cairo_line_to(cr, 31, 29);
    cairo_curve_to(cr, 37, 29.5, 40, 32, 40, 36);
    cairo_line_to(cr, 40, 45);
    cairo_close_path(cr);
    FillOutlined(cr, c.robe);
    if (rank == 13) {
        // Ermine collar and a gold chain.
        cairo_move_to(cr, 11, 30.5);
        cairo_curve_to(cr, 15, 37, 31, 37, 35, 30.5);
        cairo_line_to(cr, 31, 29);
        cairo_line_to(cr, 15, 29);
        cairo_close_path(cr);
        FillOutlined(cr, ColourWhite, 0.6);
        SetSourceRgb(cr, ColourBlack);
        for (double x : {14.5, 19.0, 23.0, 27.0, 31.5}) {
            cairo_rectangle(cr, x - 0.5, 31.2 + (x == 23.0 ? 1.5 : 0.5), 1.0, 1.4);
        }
        cairo_fill(cr);
        cairo_move_to(cr, 14, 37);
        cairo_curve_to(cr, 18, 42, 28, 42, 32, 37);
        SetSourceRgb(cr, ColourGold);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
        PathEllipse(cr, 23, 41, 2, 2);
        FillOutlined(cr, c.jewel, 0.5);
    } else if (rank == 12) {
        // Low neckline, a necklace with a pendant and an embroidered bodice.
        cairo_move_to(cr, 15, 29);
        cairo_curve_to(cr, 17, 34, 20, 36, 23, 36.5);
        cairo_curve_to(cr, 26, 36, 29, 34, 31, 29);
        cairo_close_path(cr);
        FillOutlined(cr, ColourSkin, 0.6);
        cairo_move_to(cr, 18, 30);
        cairo_curve_to(cr, 20, 33.5, 26, 33.5, 28, 30);
        SetSourceRgb(cr, ColourGold);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        PathEllipse(cr, 23, 33.4, 1.1, 1.3);
        SetSourceRgb(cr, c.jewel);
        cairo_fill(cr);
        cairo_move_to(cr, 18, 45);
        cairo_line_to(cr, 20.5, 37.5);
        cairo_curve_to(cr, 22, 38.5, 24, 38.5, 25.5, 37.5);
        cairo_line_to(cr, 28, 45);
        cairo_close_path(cr);
        FillOutlined(cr, c.trim, 0.5);
        SetSourceRgb(cr, c.robe);
        for (double y : {40.0, 43.0}) PathEllipse(cr, 23, y, 0.9, 0.9);
        cairo_fill(cr);
    } else {
        // Tunic with a plain collar and trim bands.
        cairo_move_to(cr, 16, 29);
        cairo_line_to(cr, 23, 35);
        cairo_line_to(cr, 30, 29);
        cairo_close_path(cr);
        FillOutlined(cr, ColourWhite, 0.6);
        // A belt and buttons.
        cairo_rectangle(cr, 6, 41, 34, 2.4);
        FillOutlined(cr, c.trim, 0.5);
        SetSourceRgb(cr, c.trim);
        for (double y : {37.0, 39.2}) PathEllipse(cr, 25, y, 0.8, 0.8);
        cairo_fill(cr);
        Line(cr, 23, 35, 23, 41, Outline, 0.7);
    }
}

void DrawHairBehind(cairo_t* cr, const CourtColours& c, int rank) {
    if (rank == 12) {
        cairo_move_to(cr, 16, 14);
        cairo_curve_to(cr, 14, 22, 13, 28, 11, 33);
        cairo_line_to(cr, 35, 33);
        cairo_curve_to(cr, 33, 28, 32, 22, 30, 14);
        cairo_close_path(cr);
        FillOutlined(cr, c.hair, 0.6);
    } else if (rank == 13) {
        PathEllipse(cr, HeadX, HeadY + 1, 8, 7);
        FillOutlined(cr, c.hair, 0.6);
    }
}

void DrawFace(cairo_t* cr, const CourtColours& c, int rank) {
    PathEllipse(cr, HeadX, HeadY, 5.6, 6.6);
    FillOutlined(cr, ColourSkin, 0.7);
    if (rank == 11) {
        // Short fringe under the cap.
        cairo_move_to(cr, 17.6, 16);
        cairo_curve_to(cr, 19, 13, 27, 13, 28.4, 16);
        cairo_line_to(cr, 28.6, 13);
        cairo_line_to(cr, 17.4, 13);
        cairo_close_path(cr);
        SetSourceRgb(cr, c.hair);
        cairo_fill(cr);
    }
    SetSourceRgb(cr, ColourBlack);
    PathEllipse(cr, 21, 18.4, 0.8, 0.8);
    PathEllipse(cr, 25, 18.4, 0.8, 0.8);
    cairo_fill(cr);
    Line(cr, 23, 19.2, 22.4, 21.4, ColourSkinShade, 0.8);
    if (rank == 13) {
        // Beard and moustache.
        const Rgb beard = c.hair.r == ColourHairDark.r ? ColourSilver : c.hair;
        cairo_move_to(cr, 17.6, 20);
        cairo_curve_to(cr, 18, 26, 20, 29, 23, 31);
        cairo_curve_to(cr, 26, 29, 28, 26, 28.4, 20);
        cairo_curve_to(cr, 27, 23, 25, 24, 23, 24);
        cairo_curve_to(cr, 21, 24, 19, 23, 17.6, 20);
        cairo_close_path(cr);
        FillOutlined(cr, beard, 0.6);
        Line(cr, 20.5, 23, 25.5, 23, beard, 1.2);
        Line(cr, 21.6, 25.4, 24.4, 25.4, ColourCardRed, 0.8);
    } else {
        Line(cr, 21.8, 23.2, 24.2, 23.2, ColourCardRed, 1.0);
    }
}

void DrawHeadwear(cairo_t* cr, const CourtColours& c, int rank) {
    if (rank == 13) {
        // Crown with three points on a cap of the robe colour.
        PathEllipse(cr, HeadX, 10, 5.5, 3.5);
        FillOutlined(cr, c.robe, 0.5);
        cairo_move_to(cr, 16.5, 14);
        cairo_line_to(cr, 16.5, 4.5);
        cairo_line_to(cr, 19.8, 9);
        cairo_line_to(cr, 23, 2.5);
        cairo_line_to(cr, 26.2, 9);
        cairo_line_to(cr, 29.5, 4.5);
        cairo_line_to(cr, 29.5, 14);
        cairo_close_path(cr);
        FillOutlined(cr, ColourGold, 0.6);
        SetSourceRgb(cr, c.jewel);
        PathEllipse(cr, 23, 11.6, 1.2, 1.2);
        cairo_fill(cr);
        SetSourceRgb(cr, ColourWhite);
        for (double x : {16.5, 23.0, 29.5}) PathEllipse(cr, x, x == 23.0 ? 2.6 : 4.6, 0.9, 0.9);
        cairo_fill(cr);
    } else if (rank == 12) {
        // Tiara: a low band of arches with a central jewel.
        cairo_move_to(cr, 17, 13.5);
        cairo_curve_to(cr, 17, 9, 20, 10, 20, 8.5);
        cairo_curve_to(cr, 21, 6, 22, 5, 23, 4.5);
        cairo_curve_to(cr, 24, 5, 25, 6, 26, 8.5);
        cairo_curve_to(cr, 26, 10, 29, 9, 29, 13.5);
        cairo_close_path(cr);
        FillOutlined(cr, ColourGold, 0.6);
        PathEllipse(cr, 23, 9.5, 1.4, 1.7);
        FillOutlined(cr, c.jewel, 0.4);
    } else {
        // Flat cap with a feather.
        cairo_move_to(cr, 26, 9);
        cairo_curve_to(cr, 31, 4, 36, 3, 40, 1);
        cairo_curve_to(cr, 37, 5, 33, 8, 28, 11);
        cairo_close_path(cr);
        FillOutlined(cr, c.trim, 0.5);
        PathEllipse(cr, 22, 11.5, 8.5, 3.6);
        FillOutlined(cr, c.robe, 0.6);
        cairo_rectangle(cr, 16.5, 12, 13, 2);
        FillOutlined(cr, c.trim, 0.5);
    }
}

void DrawHand(cairo_t* cr, double x, double y) {
    PathEllipse(cr, x, y, 2.2, 2.0);
    FillOutlined(cr, ColourSkin, 0.5);
}

// What each figure holds; drawn before the face when it passes behind it.
void DrawAttribute(cairo_t* cr, const CourtColours& c, int suit, int rank) {
    const int which = suit * 3 + (rank - 11);
    switch (which) {
    case 0:  // jack of spades: a spear
        Line(cr, 38, 42, 38, 6, ColourHairBrown, 1.4);
        cairo_move_to(cr, 38, 0.5);
        cairo_line_to(cr, 40.2, 7);
        cairo_line_to(cr, 35.8, 7);
        cairo_close_path(cr);
        FillOutlined(cr, ColourSilver, 0.5);
        DrawHand(cr, 38, 34);
        break;
    case 1:  // queen of spades: a sceptre
        Line(cr, 38, 40, 38, 8, ColourGold, 1.6);
        PathEllipse(cr, 38, 6, 2.6, 2.6);
        FillOutlined(cr, ColourGold, 0.5);
        Line(cr, 38, 1.2, 38, 3.4, ColourGold, 1.0);
        DrawHand(cr, 38, 33);
        break;
    case 2:  // king of spades: an upright sword
        cairo_move_to(cr, 37, 30);
        cairo_line_to(cr, 37, 4);
        cairo_line_to(cr, 38.5, 1);
        cairo_line_to(cr, 40, 4);
        cairo_line_to(cr, 40, 30);
        cairo_close_path(cr);
        FillOutlined(cr, ColourSilver, 0.5);
        Line(cr, 34, 30.5, 43, 30.5, ColourGold, 1.8);
        Line(cr, 38.5, 31, 38.5, 38, ColourDarkGold, 1.6);
        DrawHand(cr, 38.5, 35);
        break;
    case 3:  // jack of hearts: a torch
        Line(cr, 39, 42, 37, 12, ColourHairBrown, 1.8);
        cairo_move_to(cr, 37, 11);
        cairo_curve_to(cr, 33, 8, 36, 4, 37, 1);
        cairo_curve_to(cr, 38, 4, 42, 6, 38.5, 11);
        cairo_close_path(cr);
        FillOutlined(cr, ColourOrange, 0.5);
        PathEllipse(cr, 37.5, 8, 1, 1.8);
        SetSourceRgb(cr, ColourGold);
        cairo_fill(cr);
        DrawHand(cr, 38, 33);
        break;
    case 4:  // queen of hearts: a rose
        Line(cr, 37, 38, 36, 13, ColourDarkGreen, 1.0);
        cairo_move_to(cr, 36.5, 22);
        cairo_curve_to(cr, 39, 19, 41, 20, 42, 18);
        cairo_curve_to(cr, 41, 22, 39, 23, 36.5, 22);
        SetSourceRgb(cr, ColourRobeGreen);
        cairo_fill(cr);
        PathEllipse(cr, 36, 10, 3.6, 3.4);
        FillOutlined(cr, ColourCardRed, 0.5);
        cairo_arc(cr, 36, 10, 1.6, 0, 1.6 * M_PI);
        SetSourceRgb(cr, ColourDarkRed);
        cairo_set_line_width(cr, 0.7);
        cairo_stroke(cr);
        DrawHand(cr, 37, 33);
        break;
    case 5:  // king of hearts: a sword raised behind his head
        cairo_move_to(cr, 9, 34);
        cairo_line_to(cr, 31.5, 2.5);
        cairo_line_to(cr, 33.5, 1);
        cairo_line_to(cr, 33, 3.5);
        cairo_line_to(cr, 11, 35.5);
        cairo_close_path(cr);
        FillOutlined(cr, ColourSilver, 0.5);
        Line(cr, 6.5, 31, 12.5, 38, ColourGold, 1.8);
        Line(cr, 9.5, 35, 6.5, 40, ColourDarkGold, 1.6);
        DrawHand(cr, 8.5, 37);
        break;
    case 6:  // jack of clubs: an arrow
        Line(cr, 43, 40, 30, 4, ColourHairBrown, 1.1);
        cairo_move_to(cr, 29, 1);
        cairo_line_to(cr, 32.6, 6);
        cairo_line_to(cr, 28.4, 7);
        cairo_close_path(cr);
        FillOutlined(cr, ColourSilver, 0.5);
        Line(cr, 41, 36, 39.5, 40, c.trim, 1.2);
        Line(cr, 42.5, 35.5, 44.5, 39, c.trim, 1.2);
        DrawHand(cr, 38.5, 31);
        break;
    case 7:  // queen of clubs: a tulip
        Line(cr, 37, 38, 37, 12, ColourDarkGreen, 1.0);
        cairo_move_to(cr, 37, 24);
        cairo_curve_to(cr, 34, 22, 33, 19, 33, 16);
        cairo_curve_to(cr, 35, 18, 36, 20, 37, 24);
        SetSourceRgb(cr, ColourRobeGreen);
        cairo_fill(cr);
        cairo_move_to(cr, 33.5, 6);
        cairo_line_to(cr, 35.2, 8.5);
        cairo_line_to(cr, 37, 5);
        cairo_line_to(cr, 38.8, 8.5);
        cairo_line_to(cr, 40.5, 6);
        cairo_curve_to(cr, 41, 11, 39, 13, 37, 13);
        cairo_curve_to(cr, 35, 13, 33, 11, 33.5, 6);
        cairo_close_path(cr);
        FillOutlined(cr, ColourGold, 0.5);
        DrawHand(cr, 37, 33);
        break;
    case 8:  // king of clubs: an orb
        PathEllipse(cr, 38, 29, 4.2, 4.2);
        FillOutlined(cr, ColourGold, 0.6);
        Line(cr, 33.8, 29, 42.2, 29, ColourDarkGold, 0.8);
        Line(cr, 38, 25, 38, 29, ColourDarkGold, 0.8);
        Line(cr, 38, 20, 38, 24.6, ColourGold, 1.4);
        Line(cr, 36, 22, 40, 22, ColourGold, 1.4);
        DrawHand(cr, 38, 34.5);
        break;
    case 9:  // jack of diamonds: a halberd
        Line(cr, 39, 42, 39, 3, ColourHairBrown, 1.4);
        cairo_move_to(cr, 39, 6);
        cairo_curve_to(cr, 42, 5, 44.5, 7, 45, 10);
        cairo_curve_to(cr, 44.5, 13, 42, 15, 39, 14);
        cairo_close_path(cr);
        FillOutlined(cr, ColourSilver, 0.5);
        cairo_move_to(cr, 39, 0);
        cairo_line_to(cr, 40.4, 4);
        cairo_line_to(cr, 37.6, 4);
        cairo_close_path(cr);
        FillOutlined(cr, ColourSilver, 0.4);
        DrawHand(cr, 39, 34);
        break;
    case 10:  // queen of diamonds: a folding fan
        cairo_move_to(cr, 37, 28);
        cairo_arc(cr, 37, 28, 10, -M_PI * 0.78, -M_PI * 0.22);
        cairo_close_path(cr);
        FillOutlined(cr, ColourGold, 0.6);
        for (int i = 1; i < 6; ++i) {
            const double a = -M_PI * (0.78 - 0.56 * i / 6.0);
            Line(cr, 37, 28, 37 + 9.5 * std::cos(a), 28 + 9.5 * std::sin(a), c.robe, 0.6);
        }
        DrawHand(cr, 37, 30);
        break;
    default:  // king of diamonds: an axe, held on his left so it reads apart from the halberd
        cairo_save(cr);
        cairo_translate(cr, 46, 0);
        cairo_scale(cr, -1, 1);
        Line(cr, 39, 42, 39, 4, ColourHairBrown, 1.5);
        cairo_move_to(cr, 39.5, 5);
        cairo_curve_to(cr, 43, 4, 45.5, 2, 45.5, 2);
        cairo_curve_to(cr, 44, 7, 44, 11, 45.5, 16);
        cairo_curve_to(cr, 45.5, 16, 43, 14, 39.5, 13);
        cairo_close_path(cr);
        FillOutlined(cr, ColourSilver, 0.5);
        DrawHand(cr, 39, 34);
        cairo_restore(cr);
        break;
    }
}

void DrawCornerPip(cairo_t* cr, int suit, Rgb ink, bool right) {
    cairo_save(cr);
    cairo_translate(cr, right ? 39.5 : 6.5, 7.5);
    cairo_scale(cr, 9, 9);
    PathSuit(cr, suit);
    cairo_restore(cr);
    SetSourceRgb(cr, ink);
    cairo_fill(cr);
}

}  // namespace

void DrawCourtHalf(cairo_t* cr, int suit, int rank, Rgb suitInk) {
    const CourtColours& c = SuitColours[suit];
    const bool attributeBehind = suit == 1 && rank == 13;
    if (attributeBehind) DrawAttribute(cr, c, suit, rank);
    DrawHairBehind(cr, c, rank);
    DrawRobe(cr, c, rank);
    DrawFace(cr, c, rank);
    DrawHeadwear(cr, c, rank);
    if (!attributeBehind) DrawAttribute(cr, c, suit, rank);
    DrawCornerPip(cr, suit, suitInk, suit == 3 && rank == 13);
}
