// The 640 x 480 table picture: cloth, speech bubble, the two grey bands with
// their labels and the rose band between them.
#include "artgen.h"

#include <cmath>

namespace {

const Rgb LabelInk = ColourDarkBlue;
const Rgb BubbleShadow{0, 96, 0};
const Rgb BandLight{235, 235, 235};

// The bubble spans x 15-170, y 104-286; its point rises toward the mouth and
// stops below y 86, where the mouth pictures end.
void PathBubble(cairo_t* cr, double dx, double dy) {
    const double left = 15 + dx, top = 104 + dy, right = 170 + dx, bottom = 286 + dy, r = 14;
    cairo_new_sub_path(cr);
    cairo_move_to(cr, left + r, top);
    cairo_line_to(cr, 70 + dx, top);
    cairo_curve_to(cr, 84 + dx, 100 + dy, 95 + dx, 96 + dy, 102 + dx, 88 + dy);
    cairo_curve_to(cr, 100 + dx, 95 + dy, 101 + dx, 100 + dy, 110 + dx, top);
    cairo_arc(cr, right - r, top + r, r, -M_PI / 2, 0);
    cairo_arc(cr, right - r, bottom - r, r, 0, M_PI / 2);
    cairo_arc(cr, left + r, bottom - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, left + r, top + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// A grey band with a light top edge and a darker bottom edge.
void DrawBand(cairo_t* cr, const ArtFonts& fonts, int top, int bottom, const char* label) {
    SetSourceRgb(cr, ColourBandGrey);
    cairo_rectangle(cr, 186, top, 640 - 186, bottom - top + 1);
    cairo_fill(cr);
    SetSourceRgb(cr, BandLight);
    cairo_rectangle(cr, 186, top, 640 - 186, 1);
    cairo_rectangle(cr, 186, top, 1, bottom - top + 1);
    cairo_fill(cr);
    SetSourceRgb(cr, ColourBorderGrey);
    cairo_rectangle(cr, 186, bottom, 640 - 186, 1);
    cairo_fill(cr);
    SetSourceRgb(cr, LabelInk);
    DrawLeftText(cr, fonts.sansBold, 17, label, 196, (top + bottom) / 2.0 + 0.5, 98);
}

// A dark frame just outside the two digit cells of a money counter.
void DrawCounterFrame(cairo_t* cr, int digitTop) {
    SetSourceRgb(cr, ColourBlack);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, 551.5, digitTop - 0.5, 66, 45);
    cairo_stroke(cr);
    SetSourceRgb(cr, ColourNavy);
    cairo_rectangle(cr, 552, digitTop, 65, 44);
    cairo_fill(cr);
}

}  // namespace

IndexedPicture DrawTablePicture(const Palette& palette, const ArtFonts& fonts) {
    return RenderIndexed(101, "101_table.bmp", 640, 480, 8, palette, [&](cairo_t* cr) {
        SetSourceRgb(cr, ColourTableGreen);
        cairo_paint(cr);

        PathBubble(cr, 3, 3);
        SetSourceRgb(cr, BubbleShadow);
        cairo_fill(cr);
        PathBubble(cr, 0, 0);
        SetSourceRgb(cr, ColourWhite);
        cairo_fill_preserve(cr);
        SetSourceRgb(cr, ColourBlack);
        cairo_set_line_width(cr, 1.5);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);

        SetSourceRgb(cr, ColourRose);
        cairo_rectangle(cr, 186, 194, 640 - 186, 51);
        cairo_fill(cr);
        DrawBand(cr, fonts, 146, 193, "Computer");
        DrawBand(cr, fonts, 245, 292, "Player");
        DrawCounterFrame(cr, 149);
        DrawCounterFrame(cr, 248);
    });
}
