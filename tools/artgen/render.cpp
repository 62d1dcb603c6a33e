// Renders a picture with Cairo and quantises it to a palette: every pixel takes
// the nearest usable entry, so ramps in the palette keep anti-aliased edges smooth.
#include "artgen.h"

#include <cmath>
#include <unordered_map>

namespace {

// Weighted squared distance; green weighs most, as the eye sees it.
int ColourDistance(Rgb a, Rgb b) {
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

uint8_t NearestEntry(const Palette& palette, Rgb colour) {
    int best = -1;
    int bestDistance = 0;
    for (size_t i = 0; i < palette.colours.size(); ++i) {
        if (!palette.usable[i]) continue;
        const int distance = ColourDistance(colour, palette.colours[i]);
        if (best < 0 || distance < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = distance;
        }
    }
    return static_cast<uint8_t>(best);
}

}  // namespace

Rgb MixRgb(Rgb a, Rgb b, double t) {
    return Rgb{static_cast<int>(std::lround(a.r + (b.r - a.r) * t)),
               static_cast<int>(std::lround(a.g + (b.g - a.g) * t)),
               static_cast<int>(std::lround(a.b + (b.b - a.b) * t))};
}

void SetSourceRgb(cairo_t* cr, Rgb colour) {
    cairo_set_source_rgb(cr, colour.r / 255.0, colour.g / 255.0, colour.b / 255.0);
}

namespace {

// Draws onto an opaque black surface; the caller destroys it.
cairo_surface_t* DrawSurface(int width, int height, const DrawProc& draw) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    draw(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    return surface;
}

uint32_t PixelAt(cairo_surface_t* surface, int x, int y) {
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride)[x] & 0xFFFFFFu;
}

// Maps every pixel of the surface for which keep() gives no index to the
// nearest usable entry of the palette.
template <typename Keep>
IndexedPicture Quantise(cairo_surface_t* surface, int id, const std::string& fileName,
                        int bitsPerPixel, const Palette& palette, Keep keep) {
    IndexedPicture picture;
    picture.id = id;
    picture.fileName = fileName;
    picture.width = cairo_image_surface_get_width(surface);
    picture.height = cairo_image_surface_get_height(surface);
    picture.bitsPerPixel = bitsPerPixel;
    picture.colours = palette.colours;
    picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
    std::unordered_map<uint32_t, uint8_t> cache;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            uint8_t& index = picture.pixels[static_cast<size_t>(y) * picture.width + x];
            if (keep(x, y, index)) continue;
            const uint32_t pixel = PixelAt(surface, x, y);
            auto found = cache.find(pixel);
            if (found == cache.end()) {
                const Rgb colour{static_cast<int>(pixel >> 16),
                                 static_cast<int>((pixel >> 8) & 0xFF),
                                 static_cast<int>(pixel & 0xFF)};
                found = cache.emplace(pixel, NearestEntry(palette, colour)).first;
            }
            index = found->second;
        }
    }
    return picture;
}

}  // namespace

IndexedPicture RenderIndexed(int id, const std::string& fileName, int width, int height,
                             int bitsPerPixel, const Palette& palette, const DrawProc& draw) {
    cairo_surface_t* surface = DrawSurface(width, height, draw);
    IndexedPicture picture = Quantise(surface, id, fileName, bitsPerPixel, palette,
                                      [](int, int, uint8_t&) { return false; });
    cairo_surface_destroy(surface);
    return picture;
}

IndexedPicture RenderVariant(const IndexedPicture& base, const DrawProc& baseDraw, int id,
                             const std::string& fileName, const Palette& palette,
                             const DrawProc& draw) {
    cairo_surface_t* before = DrawSurface(base.width, base.height, baseDraw);
    cairo_surface_t* after = DrawSurface(base.width, base.height, draw);
    IndexedPicture picture = Quantise(
        after, id, fileName, base.bitsPerPixel, palette, [&](int x, int y, uint8_t& index) {
            if (PixelAt(before, x, y) != PixelAt(after, x, y)) return false;
            index = base.pixels[static_cast<size_t>(y) * base.width + x];
            return true;
        });
    cairo_surface_destroy(before);
    cairo_surface_destroy(after);
    return picture;
}
