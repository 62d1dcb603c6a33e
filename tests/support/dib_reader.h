// Reads the committed pictures and icon back for the tests: headers as stored
// and pixels as palette indices, top row first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct StoredColour {
    int r, g, b;
    bool operator==(const StoredColour& other) const {
        return r == other.r && g == other.g && b == other.b;
    }
};

struct StoredDib {
    std::vector<uint8_t> bytes;  // the whole file
    uint32_t infoHeaderSize = 0;
    int32_t width = 0;
    int32_t height = 0;  // as stored: positive means bottom-up rows
    int planes = 0;
    int bitsPerPixel = 0;
    uint32_t compression = 0;
    uint32_t pixelOffset = 0;
    std::vector<uint8_t> tableBytes;    // the colour table exactly as stored
    std::vector<StoredColour> colours;  // the same, decoded
    std::vector<uint8_t> pixels;        // |height| rows of width indices, top row first
    std::string problem;                // empty when the file could be read

    int At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    StoredColour ColourAt(int x, int y) const { return colours[At(x, y)]; }
};

std::vector<uint8_t> ReadFileBytes(const std::string& path);
uint32_t ReadLe32(const std::vector<uint8_t>& bytes, size_t offset);
uint16_t ReadLe16(const std::vector<uint8_t>& bytes, size_t offset);

// Reads a .bmp file (file header, info header, table, rows).
StoredDib ReadBmpFile(const std::string& path);
// Decodes a DIB that starts at offset (info header first); used for icon images.
StoredDib DecodeDib(const std::vector<uint8_t>& bytes, size_t offset, int rows);
