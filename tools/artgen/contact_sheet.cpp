// The review sheet: a dealt table built from the finished pictures (exactly
// the pixels the game shows), then every picture on its own, as one PNG.
#include "artgen.h"

#include <map>

namespace {

cairo_surface_t* DecodePicture(const IndexedPicture& picture) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < picture.height; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < picture.width; ++x) {
            const Rgb c =
                picture.colours[picture.pixels[static_cast<size_t>(y) * picture.width + x]];
            row[x] = (static_cast<uint32_t>(c.r) << 16) | (c.g << 8) | c.b;
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

// The selection mark as the game applies it: white (index 1) becomes cyan.
IndexedPicture Marked(IndexedPicture picture) {
    for (uint8_t& index : picture.pixels) {
        if (index == WhiteIndex) index = CyanIndex;
    }
    return picture;
}

void Place(cairo_t* cr, const IndexedPicture& picture, double x, double y) {
    cairo_surface_t* surface = DecodePicture(picture);
    cairo_set_source_surface(cr, surface, x, y);
    cairo_paint(cr);
    cairo_surface_destroy(surface);
}

void Caption(cairo_t* cr, const ArtFonts& fonts, const char* text, double x, double y) {
    cairo_set_font_face(cr, fonts.sansBold);
    cairo_set_font_size(cr, 12);
    cairo_set_source_rgb(cr, 0.15, 0.15, 0.15);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text);
}

}  // namespace

bool WriteContactSheet(const std::string& path, const std::vector<IndexedPicture>& pictures,
                       const ArtFonts& fonts) {
    std::map<int, const IndexedPicture*> byId;
    for (const IndexedPicture& picture : pictures) byId[picture.id] = &picture;
    auto get = [&](int id) -> const IndexedPicture& { return *byId.at(id); };

    const int width = 1120, height = 1000;
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.93, 0.93, 0.9);
    cairo_paint(cr);

    // A deal in progress: the computer's backs, the player's faces with one
    // card marked, the counters at 20 and 15, an empty slot, the grin.
    const double tx = 20, ty = 30;
    Caption(cr, fonts, "Table 101 with cards in their slots, counters, mouth 183, one card marked",
            tx, ty - 10);
    Place(cr, get(101), tx, ty);
    const int playerCards[] = {0, 25, 37, 49,
                               9};  // A spades, K hearts, Q clubs, J diamonds, 10 spades
    for (int slot = 0; slot < 5; ++slot) {
        const double x = tx + 200 + 85 * slot;
        Place(cr, slot == 3 ? get(178) : get(154), x, ty + 20);
        const IndexedPicture& face = get(102 + playerCards[slot]);
        Place(cr, slot == 2 ? Marked(face) : face, x, ty + 310);
    }
    Place(cr, get(167 + 2), tx + 552, ty + 149);
    Place(cr, get(167 + 0), tx + 584, ty + 149);
    Place(cr, get(167 + 1), tx + 552, ty + 248);
    Place(cr, get(167 + 5), tx + 584, ty + 248);
    Place(cr, get(183), tx + 15, ty + 10);
    cairo_set_source_rgb(cr, 194 / 255.0, 194 / 255.0, 194 / 255.0);
    cairo_rectangle(cr, tx + 300, ty + 155, 240, 35);
    cairo_rectangle(cr, tx + 300, ty + 255, 240, 35);
    cairo_fill(cr);

    // The mouths on cloth, the back, the empty slot and the digits.
    const double rx = 690;
    Caption(cr, fonts, "Mouths 182 closed, 183 grin, 184 open", rx, ty - 10);
    for (int i = 0; i < 3; ++i) Place(cr, get(182 + i), rx, ty + i * 84);
    Caption(cr, fonts, "Back 154, empty slot 178", rx, ty + 268);
    Place(cr, get(154), rx, ty + 278);
    Place(cr, get(178), rx + 86, ty + 278);
    Caption(cr, fonts, "Digits 166 (blank), 167-176", rx, ty + 410);
    for (int i = 0; i < 11; ++i)
        Place(cr, get(166 + i), rx + (i % 6) * 37, ty + 420 + (i / 6) * 48);

    // All 52 faces, one suit a row.
    const double fy = 560;
    Caption(cr, fonts, "Faces 102-153: spades, hearts, clubs, diamonds; ace to king", tx, fy - 10);
    for (int code = 0; code < 52; ++code) {
        Place(cr, get(102 + code), tx + (code % 13) * 82, fy + (code / 13) * 110);
    }

    cairo_destroy(cr);
    const bool written = cairo_surface_write_to_png(sheet, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(sheet);
    return written;
}
