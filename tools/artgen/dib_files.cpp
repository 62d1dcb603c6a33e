// Writes indexed pictures as bottom-up Windows bitmaps (.bmp) and icons (.ico).
#include "artgen.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

int RowBytes(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

// The 40-byte info header, the colour table (blue, green, red, 0) and the rows,
// bottom row first. heightField is twice the height for an icon image.
void PutDib(std::vector<uint8_t>& out, const IndexedPicture& picture, int heightField) {
    const int rowBytes = RowBytes(picture.width, picture.bitsPerPixel);
    Put32(out, 40);
    Put32(out, picture.width);
    Put32(out, heightField);
    Put16(out, 1);
    Put16(out, picture.bitsPerPixel);
    Put32(out, 0);  // uncompressed
    Put32(out, rowBytes * picture.height);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);  // all 2^depth colours
    Put32(out, 0);
    const size_t tableSize = size_t{1} << picture.bitsPerPixel;
    for (size_t i = 0; i < tableSize; ++i) {
        const Rgb colour = i < picture.colours.size() ? picture.colours[i] : ColourBlack;
        out.push_back(colour.b);
        out.push_back(colour.g);
        out.push_back(colour.r);
        out.push_back(0);
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t index = picture.pixels[static_cast<size_t>(y) * picture.width + x];
            if (picture.bitsPerPixel == 8) {
                row[x] = index;
            } else {
                row[x / 2] |= (x % 2 == 0) ? (index << 4) : index;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const IndexedPicture& picture) {
    std::vector<uint8_t> dib;
    PutDib(dib, picture, picture.height);
    const uint32_t tableBytes = 4u << picture.bitsPerPixel;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 14 + dib.size());
    Put32(out, 0);
    Put32(out, 14 + 40 + tableBytes);
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

// One image, 4-bit, opaque: the AND mask is all zero.
IconImage TrueColourIconImage(int size, const std::vector<uint8_t>& bgra) {
    IconImage image{size, 32, {}};
    std::vector<uint8_t>& out = image.stored;
    Put32(out, 40);
    Put32(out, size);
    Put32(out, size * 2);  // colour rows plus mask rows
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, size * size * 4);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = size - 1; y >= 0; --y) {
        out.insert(out.end(), bgra.begin() + static_cast<size_t>(y) * size * 4,
                   bgra.begin() + static_cast<size_t>(y + 1) * size * 4);
    }
    // The alpha channel decides; the mask is all zero, as the indexed image's.
    out.insert(out.end(), static_cast<size_t>(RowBytes(size, 1)) * size, 0);
    return image;
}

IconImage PngIconImage(int size, std::vector<uint8_t> png) { return {size, 32, std::move(png)}; }

std::vector<uint8_t> EncodeIco(const IndexedPicture& picture, std::vector<IconImage> others) {
    IconImage indexed{picture.width, picture.bitsPerPixel, {}};
    PutDib(indexed.stored, picture, picture.height * 2);
    const int maskRow = RowBytes(picture.width, 1);
    indexed.stored.insert(indexed.stored.end(), static_cast<size_t>(maskRow) * picture.height, 0);
    others.push_back(std::move(indexed));
    std::stable_sort(others.begin(), others.end(),
                     [](const IconImage& a, const IconImage& b) { return a.size < b.size; });

    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, static_cast<uint32_t>(others.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(others.size());
    for (const IconImage& image : others) {
        out.push_back(static_cast<uint8_t>(image.size >= 256 ? 0 : image.size));  // 0 means 256
        out.push_back(static_cast<uint8_t>(image.size >= 256 ? 0 : image.size));
        out.push_back(static_cast<uint8_t>(image.bitsPerPixel < 8 ? 1u << image.bitsPerPixel : 0));
        out.push_back(0);
        Put16(out, 1);
        Put16(out, image.bitsPerPixel);
        Put32(out, static_cast<uint32_t>(image.stored.size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(image.stored.size());
    }
    for (const IconImage& image : others)
        out.insert(out.end(), image.stored.begin(), image.stored.end());
    return out;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
