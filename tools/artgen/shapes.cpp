// Vector shapes shared by the pictures: the four suit symbols, rounded
// rectangles and centred lettering.
#include "artgen.h"

#include <cmath>

namespace {

void PathSpade(cairo_t* cr) {
    cairo_move_to(cr, 0, -0.5);
    cairo_curve_to(cr, 0.12, -0.32, 0.48, -0.12, 0.48, 0.10);
    cairo_curve_to(cr, 0.48, 0.28, 0.34, 0.37, 0.22, 0.37);
    cairo_curve_to(cr, 0.12, 0.37, 0.05, 0.31, 0.03, 0.25);
    cairo_curve_to(cr, 0.04, 0.37, 0.10, 0.46, 0.19, 0.5);
    cairo_line_to(cr, -0.19, 0.5);
    cairo_curve_to(cr, -0.10, 0.46, -0.04, 0.37, -0.03, 0.25);
    cairo_curve_to(cr, -0.05, 0.31, -0.12, 0.37, -0.22, 0.37);
    cairo_curve_to(cr, -0.34, 0.37, -0.48, 0.28, -0.48, 0.10);
    cairo_curve_to(cr, -0.48, -0.12, -0.12, -0.32, 0, -0.5);
    cairo_close_path(cr);
}

void PathHeart(cairo_t* cr) {
    cairo_move_to(cr, 0, 0.47);
    cairo_curve_to(cr, -0.12, 0.30, -0.5, 0.06, -0.5, -0.2);
    cairo_curve_to(cr, -0.5, -0.40, -0.37, -0.49, -0.25, -0.49);
    cairo_curve_to(cr, -0.11, -0.49, -0.02, -0.39, 0, -0.27);
    cairo_curve_to(cr, 0.02, -0.39, 0.11, -0.49, 0.25, -0.49);
    cairo_curve_to(cr, 0.37, -0.49, 0.5, -0.40, 0.5, -0.2);
    cairo_curve_to(cr, 0.5, 0.06, 0.12, 0.30, 0, 0.47);
    cairo_close_path(cr);
}

// Three leaves and a stem, all wound the same way so the fill is their union.
void PathClub(cairo_t* cr) {
    const double r = 0.215;
    const double centres[][2] = {{0, -0.27}, {-0.25, 0.05}, {0.25, 0.05}, {0, -0.02}};
    for (int i = 0; i < 4; ++i) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, centres[i][0], centres[i][1], i == 3 ? 0.14 : r, 0, 2 * M_PI);
        cairo_close_path(cr);
    }
    cairo_new_sub_path(cr);
    cairo_move_to(cr, -0.035, 0.0);
    cairo_line_to(cr, 0.035, 0.0);
    cairo_curve_to(cr, 0.04, 0.30, 0.09, 0.44, 0.18, 0.5);
    cairo_line_to(cr, -0.18, 0.5);
    cairo_curve_to(cr, -0.09, 0.44, -0.04, 0.30, -0.035, 0.0);
    cairo_close_path(cr);
}

void PathDiamond(cairo_t* cr) {
    cairo_move_to(cr, 0, -0.5);
    cairo_curve_to(cr, 0.11, -0.31, 0.25, -0.15, 0.38, 0);
    cairo_curve_to(cr, 0.25, 0.15, 0.11, 0.31, 0, 0.5);
    cairo_curve_to(cr, -0.11, 0.31, -0.25, 0.15, -0.38, 0);
    cairo_curve_to(cr, -0.25, -0.15, -0.11, -0.31, 0, -0.5);
    cairo_close_path(cr);
}

}  // namespace

void PathSuit(cairo_t* cr, int suit) {
    switch (suit) {
    case 0: PathSpade(cr); break;
    case 1: PathHeart(cr); break;
    case 2: PathClub(cr); break;
    default: PathDiamond(cr); break;
    }
}

void PathRoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

namespace {

void DrawText(cairo_t* cr, cairo_font_face_t* face, double size, const char* text, double x,
              double cy, double maxWidth, bool centred) {
    cairo_save(cr);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    cairo_set_font_face(cr, face);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    double squeeze = 1.0;
    if (maxWidth > 0 && extents.width > maxWidth) squeeze = maxWidth / extents.width;
    cairo_translate(cr, x, cy);
    cairo_scale(cr, squeeze, 1.0);
    const double inkLeft = centred ? -extents.width / 2 : 0;
    cairo_move_to(cr, inkLeft - extents.x_bearing, -extents.y_bearing - extents.height / 2);
    cairo_show_text(cr, text);
    cairo_restore(cr);
}

}  // namespace

void PathEllipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void DrawCentredText(cairo_t* cr, cairo_font_face_t* face, double size, const char* text, double cx,
                     double cy, double maxWidth) {
    DrawText(cr, face, size, text, cx, cy, maxWidth, true);
}

void DrawLeftText(cairo_t* cr, cairo_font_face_t* face, double size, const char* text, double left,
                  double cy, double maxWidth) {
    DrawText(cr, face, size, text, left, cy, maxWidth, false);
}
