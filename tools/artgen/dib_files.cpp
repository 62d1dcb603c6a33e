// Writes indexed pictures as bottom-up Windows bitmaps (.bmp) and icons (.ico).
#include "artgen.h"

#include <cstdio>

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
std::vector<uint8_t> EncodeIco(const IndexedPicture& picture) {
    std::vector<uint8_t> image;
    PutDib(image, picture, picture.height * 2);
    const int maskRow = RowBytes(picture.width, 1);
    image.insert(image.end(), static_cast<size_t>(maskRow) * picture.height, 0);
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, 1);  // one image
    out.push_back(static_cast<uint8_t>(picture.width));
    out.push_back(static_cast<uint8_t>(picture.height));
    out.push_back(static_cast<uint8_t>(1u << picture.bitsPerPixel));
    out.push_back(0);
    Put16(out, 1);
    Put16(out, picture.bitsPerPixel);
    Put32(out, image.size());
    Put32(out, 6 + 16);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
