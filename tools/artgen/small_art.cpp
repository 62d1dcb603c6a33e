// The small pictures with colour tables of their own: money digits (4-bit),
// the three mouths of the computer (8-bit) and the program icon (4-bit).
#include "artgen.h"

#include <png.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

const Rgb LipPink{236, 120, 140};
const Rgb LipLight{255, 196, 206};
const Rgb LipDeep{182, 52, 82};
const Rgb MouthRed{204, 16, 32};
const Rgb MouthInside{110, 0, 20};
const Rgb Tongue{232, 92, 108};

void AddStop(cairo_pattern_t* pattern, double offset, Rgb colour) {
    cairo_pattern_add_color_stop_rgb(pattern, offset, colour.r / 255.0, colour.g / 255.0,
                                     colour.b / 255.0);
}

// Fills the current path with a vertical lip gradient and outlines it.
void FillLip(cairo_t* cr, double top, double bottom, bool upper) {
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, top, 0, bottom);
    if (upper) {
        AddStop(shade, 0.0, LipPink);
        AddStop(shade, 0.55, LipPink);
        AddStop(shade, 1.0, LipDeep);
    } else {
        AddStop(shade, 0.0, LipDeep);
        AddStop(shade, 0.35, LipPink);
        AddStop(shade, 0.6, LipLight);
        AddStop(shade, 1.0, LipPink);
    }
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    SetSourceRgb(cr, LipDeep);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

// The upper lip's top edge: corners at (x0, y0) and (x1, y0), a bow of two
// peaks at height peakY with a dip at dipY in the middle.
void UpperLipTop(cairo_t* cr, double x0, double x1, double y0, double peakY, double dipY) {
    const double mid = (x0 + x1) / 2, half = (x1 - x0) / 2;
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, x0 + half * 0.35, y0 - (y0 - peakY) * 0.6, mid - half * 0.45, peakY,
                   mid - half * 0.2, peakY);
    cairo_curve_to(cr, mid - half * 0.1, peakY, mid - 3, dipY, mid, dipY);
    cairo_curve_to(cr, mid + 3, dipY, mid + half * 0.1, peakY, mid + half * 0.2, peakY);
    cairo_curve_to(cr, mid + half * 0.45, peakY, x1 - half * 0.35, y0 - (y0 - peakY) * 0.6, x1, y0);
}

constexpr double MouthMid = 169 / 2.0;

// All three mouths are drawn in table coordinates inside rows 11..79, the rows
// every one of them covers, so each replaces the others whole.
void DrawClosedMouth(cairo_t* cr) {
    const double x0 = 22, x1 = 147, y = 46;
    // Lower lip.
    cairo_move_to(cr, x0, y);
    cairo_curve_to(cr, x0 + 25, y + 1, x1 - 25, y + 1, x1, y);
    cairo_curve_to(cr, x1 - 20, y + 17, MouthMid + 30, y + 20, MouthMid, y + 20);
    cairo_curve_to(cr, MouthMid - 30, y + 20, x0 + 20, y + 17, x0, y);
    cairo_close_path(cr);
    FillLip(cr, y, y + 20, false);
    // Upper lip.
    UpperLipTop(cr, x0, x1, y, 31, 35);
    cairo_curve_to(cr, x1 - 25, y + 1, x0 + 25, y + 1, x0, y);
    cairo_close_path(cr);
    FillLip(cr, 31, y, true);
    // The line where the lips meet.
    cairo_move_to(cr, x0 + 1, y);
    cairo_curve_to(cr, x0 + 25, y + 1.5, x1 - 25, y + 1.5, x1 - 1, y);
    SetSourceRgb(cr, MouthRed);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
}

void DrawGrinMouth(cairo_t* cr) {
    const double x0 = 12, x1 = 157, y = 34;
    // The opening, showing red: dark at the back, lighter toward the lower lip.
    cairo_move_to(cr, x0, y);
    cairo_curve_to(cr, x0 + 30, y + 9, x1 - 30, y + 9, x1, y);
    cairo_curve_to(cr, x1 - 24, y + 42, x0 + 24, y + 42, x0, y);
    cairo_close_path(cr);
    cairo_pattern_t* depth = cairo_pattern_create_linear(0, y + 6, 0, y + 31);
    AddStop(depth, 0.0, MouthInside);
    AddStop(depth, 0.55, MouthRed);
    AddStop(depth, 1.0, Tongue);
    cairo_set_source(cr, depth);
    cairo_fill(cr);
    cairo_pattern_destroy(depth);
    // Lower lip under the opening.
    cairo_move_to(cr, x0, y);
    cairo_curve_to(cr, x0 + 24, y + 42, x1 - 24, y + 42, x1, y);
    cairo_curve_to(cr, x1 - 18, y + 55, x0 + 18, y + 55, x0, y);
    cairo_close_path(cr);
    FillLip(cr, y + 30, y + 41, false);
    // Upper lip, stretched thin by the smile.
    UpperLipTop(cr, x0, x1, y, 23, 26);
    cairo_curve_to(cr, x1 - 30, y + 9, x0 + 30, y + 9, x0, y);
    cairo_close_path(cr);
    FillLip(cr, 23, y + 7, true);
}

void DrawOpenMouth(cairo_t* cr) {
    const double cy = 45;
    // Outer lips: a round ring with a bow on top.
    PathEllipse(cr, MouthMid, cy, 48, 32);
    cairo_pattern_t* shade = cairo_pattern_create_radial(MouthMid, cy + 8, 10, MouthMid, cy, 48);
    AddStop(shade, 0.0, LipLight);
    AddStop(shade, 0.6, LipPink);
    AddStop(shade, 1.0, LipDeep);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    SetSourceRgb(cr, LipDeep);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // The bow of the upper lip.
    cairo_move_to(cr, MouthMid - 8, cy - 31.2);
    cairo_curve_to(cr, MouthMid - 3, cy - 29.5, MouthMid - 1, cy - 27, MouthMid, cy - 27);
    cairo_curve_to(cr, MouthMid + 1, cy - 27, MouthMid + 3, cy - 29.5, MouthMid + 8, cy - 31.2);
    SetSourceRgb(cr, LipDeep);
    cairo_stroke(cr);
    // The dark opening with the tongue at its floor.
    PathEllipse(cr, MouthMid, cy + 1, 33, 20);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    SetSourceRgb(cr, MouthInside);
    cairo_fill(cr);
    PathEllipse(cr, MouthMid, cy + 21, 24, 12);
    cairo_pattern_t* tongue = cairo_pattern_create_linear(0, cy + 9, 0, cy + 21);
    AddStop(tongue, 0.0, MouthRed);
    AddStop(tongue, 1.0, Tongue);
    cairo_set_source(cr, tongue);
    cairo_fill(cr);
    cairo_pattern_destroy(tongue);
    cairo_restore(cr);
    PathEllipse(cr, MouthMid, cy + 1, 33, 20);
    SetSourceRgb(cr, MouthRed);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
}

IndexedPicture DrawMouth(const Palette& palette, int id, const char* fileName, int top,
                         void (*drawShape)(cairo_t*)) {
    return RenderIndexed(id, fileName, 169, 76, 8, palette, [&](cairo_t* cr) {
        SetSourceRgb(cr, ColourTableGreen);
        cairo_paint(cr);
        cairo_translate(cr, 0, -top);
        cairo_rectangle(cr, 0, 11, 169, 69);
        cairo_clip(cr);
        drawShape(cr);
    });
}

// Red lips at the upper left above a white card with a heart and a spade, in
// the icon's 32 x 32 units.
void DrawIconDesign(cairo_t* cr) {
    SetSourceRgb(cr, ColourTableGreen);
    cairo_paint(cr);
    cairo_save(cr);
    cairo_translate(cr, 21, 19.5);
    cairo_rotate(cr, 0.12);
    PathRoundedRect(cr, -9, -12, 18, 24, 2);
    SetSourceRgb(cr, ColourWhite);
    cairo_fill_preserve(cr);
    SetSourceRgb(cr, ColourBorderGrey);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, -2.5, -5);
    cairo_scale(cr, 9, 9);
    PathSuit(cr, 1);
    cairo_restore(cr);
    SetSourceRgb(cr, ColourCardRed);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, 2.5, 5);
    cairo_scale(cr, 9, 9);
    PathSuit(cr, 0);
    cairo_restore(cr);
    SetSourceRgb(cr, ColourBlack);
    cairo_fill(cr);
    cairo_restore(cr);
    // Lips: a bowed upper lip, a fuller lower lip with a light, and the line between.
    cairo_move_to(cr, 1, 7.5);
    cairo_curve_to(cr, 4, 3, 6, 2.5, 8.5, 4);
    cairo_curve_to(cr, 11, 2.5, 13, 3, 16, 7.5);
    cairo_curve_to(cr, 12, 14, 5, 14, 1, 7.5);
    cairo_close_path(cr);
    SetSourceRgb(cr, ColourCardRed);
    cairo_fill(cr);
    PathEllipse(cr, 8.5, 10.2, 3.2, 1.1);
    SetSourceRgb(cr, Rgb{230, 100, 100});
    cairo_fill(cr);
    cairo_move_to(cr, 1.5, 7.5);
    cairo_curve_to(cr, 5, 8.6, 12, 8.6, 15.5, 7.5);
    SetSourceRgb(cr, Rgb{110, 0, 20});
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

}  // namespace

std::vector<IndexedPicture> DrawDigits(const Palette& palette, const ArtFonts& fonts) {
    std::vector<IndexedPicture> digits;
    digits.push_back(RenderIndexed(166, "166_digit_blank.bmp", 33, 44, 4, palette, [](cairo_t* cr) {
        SetSourceRgb(cr, ColourNavy);
        cairo_paint(cr);
    }));
    for (int digit = 0; digit <= 9; ++digit) {
        const std::string text(1, static_cast<char>('0' + digit));
        const std::string fileName = std::to_string(167 + digit) + "_digit_" + text + ".bmp";
        digits.push_back(RenderIndexed(167 + digit, fileName, 33, 44, 4, palette, [&](cairo_t* cr) {
            SetSourceRgb(cr, ColourNavy);
            cairo_paint(cr);
            SetSourceRgb(cr, ColourYellow);
            DrawCentredText(cr, fonts.sansBold, 40, text.c_str(), 16, 22, 26);
        }));
    }
    return digits;
}

std::vector<IndexedPicture> DrawMouths(const Palette& palette) {
    return {DrawMouth(palette, 182, "182_mouth_closed.bmp", 7, DrawClosedMouth),
            DrawMouth(palette, 183, "183_mouth_grin.bmp", 10, DrawGrinMouth),
            DrawMouth(palette, 184, "184_mouth_open.bmp", 5, DrawOpenMouth)};
}

IndexedPicture DrawProgramIcon(const Palette& palette) {
    return RenderIndexed(179, "179_program.ico", 32, 32, 4, palette, DrawIconDesign);
}

namespace {

// The maskable icon shows the design on a field that a launcher may crop to a
// circle of 40% of the width. Unclipped, the card and lips reach about 19
// units from (16, 18), so that point goes to the middle and the 32 units span
// 62% of the width: everything drawn stays within 37% of the width.
constexpr double MaskableCentreX = 16, MaskableCentreY = 18;
constexpr double MaskableDesignShare = 0.62;

// The design at `size` x `size` pixels, premultiplied ARGB32.
cairo_surface_t* RenderIconSurface(int size, IconPurpose purpose) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    if (purpose == IconPurpose::Maskable) {
        const double scale = size * MaskableDesignShare / 32.0;
        cairo_translate(cr, size / 2.0, size / 2.0);
        cairo_scale(cr, scale, scale);
        cairo_translate(cr, -MaskableCentreX, -MaskableCentreY);
    } else {
        cairo_scale(cr, size / 32.0, size / 32.0);
    }
    // The design paints its green over the whole surface, so the maskable
    // field is filled edge to edge and the card, no longer cut by the icon's
    // border, shows whole.
    DrawIconDesign(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    return surface;
}

}  // namespace

std::vector<uint8_t> DrawIconPixels(int size) {
    cairo_surface_t* surface = RenderIconSurface(size, IconPurpose::Any);
    std::vector<uint8_t> pixels(static_cast<size_t>(size) * size * 4);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            // ARGB32 is one native-endian word: blue, green, red, alpha in memory.
            const unsigned char* at = data + y * stride + x * 4;
            for (int k = 0; k < 4; ++k) pixels[(static_cast<size_t>(y) * size + x) * 4 + k] = at[k];
        }
    }
    cairo_surface_destroy(surface);
    return pixels;
}

std::vector<uint8_t> DrawIconPng(int size, IconPurpose purpose) {
    cairo_surface_t* surface = RenderIconSurface(size, purpose);
    // Written with libpng rather than Cairo, which stores an opaque picture
    // without its alpha channel: the icons stay 32-bit RGBA like the icon
    // file's directory says.
    std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            uint32_t argb;
            std::memcpy(&argb, data + y * stride + x * 4, 4);
            const uint32_t alpha = argb >> 24;
            uint8_t* out = &rgba[(static_cast<size_t>(y) * size + x) * 4];
            for (int k = 0; k < 3; ++k) {
                // Cairo premultiplies; PNG does not.
                const uint32_t c = (argb >> (16 - 8 * k)) & 0xff;
                out[k] = alpha == 0 ? 0 : static_cast<uint8_t>((c * 255 + alpha / 2) / alpha);
            }
            out[3] = static_cast<uint8_t>(alpha);
        }
    }
    cairo_surface_destroy(surface);

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(size);
    image.height = static_cast<png_uint_32>(size);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t bytes = 0;
    std::vector<uint8_t> png;
    if (png_image_write_to_memory(&image, nullptr, &bytes, 0, rgba.data(), 0, nullptr)) {
        png.resize(bytes);
        if (!png_image_write_to_memory(&image, png.data(), &bytes, 0, rgba.data(), 0, nullptr))
            bytes = 0;
        png.resize(bytes);
    }
    png_image_free(&image);
    return png;
}
