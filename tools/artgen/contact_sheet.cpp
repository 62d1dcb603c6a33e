// The review sheet: a dealt table built from the finished pictures (exactly
// the pixels the game shows), then every picture on its own, as one PNG.
#include "artgen.h"

#include <algorithm>
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

// The picture twice as large, each pixel a sharp 2 x 2 block.
void PlaceDoubled(cairo_t* cr, const IndexedPicture& picture, double x, double y) {
    cairo_surface_t* surface = DecodePicture(picture);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 2, 2);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(surface);
}

void Caption(cairo_t* cr, const ArtFonts& fonts, const char* text, double x, double y) {
    cairo_set_font_face(cr, fonts.sansBold);
    cairo_set_font_size(cr, 12);
    cairo_set_source_rgb(cr, 0.15, 0.15, 0.15);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text);
}

using PictureById = std::map<int, const IndexedPicture*>;

// A deal in progress on the table at (tx, ty): the computer's backs and an
// empty slot, the player's faces from faceFirst, those in `marked` marked,
// the counters at 20 and 15 and the grin.
void PlaceDeal(cairo_t* cr, const PictureById& byId, double tx, double ty, int faceFirst,
               const int (&playerCards)[5], const std::vector<int>& marked) {
    auto get = [&](int id) -> const IndexedPicture& { return *byId.at(id); };
    Place(cr, get(101), tx, ty);
    for (int slot = 0; slot < 5; ++slot) {
        const double x = tx + 200 + 85 * slot;
        Place(cr, slot == 3 ? get(178) : get(154), x, ty + 20);
        const IndexedPicture& face = get(faceFirst + playerCards[slot]);
        const bool mark = std::find(marked.begin(), marked.end(), slot) != marked.end();
        Place(cr, mark ? Marked(face) : face, x, ty + 310);
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
}

// The 52 faces from `first`, one suit a row, marked or not.
void PlaceFaces(cairo_t* cr, const PictureById& byId, double x, double y, int first, bool marked) {
    for (int code = 0; code < 52; ++code) {
        const IndexedPicture& face = *byId.at(first + code);
        Place(cr, marked ? Marked(face) : face, x + (code % 13) * 82, y + (code / 13) * 110);
    }
}

// A sheet of the given size on a light background, drawn by `draw` with the
// pictures found by id, written as a PNG.
template <typename Draw>
bool WriteSheet(const std::string& path, const std::vector<IndexedPicture>& pictures, int width,
                int height, Draw draw) {
    PictureById byId;
    for (const IndexedPicture& picture : pictures) byId[picture.id] = &picture;
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.93, 0.93, 0.9);
    cairo_paint(cr);
    draw(cr, byId);
    cairo_destroy(cr);
    const bool written = cairo_surface_write_to_png(sheet, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(sheet);
    return written;
}

}  // namespace

bool WriteContactSheet(const std::string& path, const std::vector<IndexedPicture>& pictures,
                       const ArtFonts& fonts) {
    return WriteSheet(path, pictures, 1120, 1000, [&](cairo_t* cr, const PictureById& byId) {
        auto get = [&](int id) -> const IndexedPicture& { return *byId.at(id); };
        const double tx = 20, ty = 30;
        Caption(cr, fonts,
                "Table 101 with cards in their slots, counters, mouth 183, one card marked", tx,
                ty - 10);
        // A spades, K hearts, Q clubs (marked), empty, 10 spades.
        PlaceDeal(cr, byId, tx, ty, 102, {0, 25, 37, 49, 9}, {2});

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

        const double fy = 560;
        Caption(cr, fonts, "Faces 102-153: spades, hearts, clubs, diamonds; ace to king", tx,
                fy - 10);
        PlaceFaces(cr, byId, tx, fy, 102, false);
    });
}

bool WriteFourColourSheet(const std::string& path, const std::vector<IndexedPicture>& pictures,
                          const ArtFonts& fonts) {
    return WriteSheet(path, pictures, 1120, 1490, [&](cairo_t* cr, const PictureById& byId) {
        const double tx = 20, ty = 30;
        Caption(cr, fonts, "Four-colour deck on the table, the clubs and diamonds marked", tx,
                ty - 10);
        // A spades, K hearts, Q clubs (marked), empty, 10 diamonds (marked).
        PlaceDeal(cr, byId, tx, ty, 202, {0, 25, 37, 49, 48}, {2, 4});

        // Twice the size, as a magnifier would show them: plain and marked.
        const double rx = 690;
        Caption(cr, fonts, "At 200 %: 7 of clubs and 9 of diamonds, plain and marked", rx, ty - 10);
        const int enlarged[] = {26 + 6, 39 + 8};
        for (int row = 0; row < 2; ++row) {
            const IndexedPicture& face = *byId.at(202 + enlarged[row]);
            PlaceDoubled(cr, face, rx, ty + row * 226);
            PlaceDoubled(cr, Marked(face), rx + 162, ty + row * 226);
        }

        const double fy = 560;
        Caption(cr, fonts, "Faces 202-253: spades, hearts, clubs, diamonds; ace to king", tx,
                fy - 10);
        PlaceFaces(cr, byId, tx, fy, 202, false);
        Caption(cr, fonts, "The same faces marked", tx, fy + 470);
        PlaceFaces(cr, byId, tx, fy + 480, 202, true);
    });
}
