// Reads the committed pictures and icon back for the tests.
#include "dib_reader.h"

#include <fstream>
#include <iterator>

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

uint32_t ReadLe32(const std::vector<uint8_t>& bytes, size_t offset) {
    return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
           (static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

uint16_t ReadLe16(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

StoredDib DecodeDib(const std::vector<uint8_t>& bytes, size_t offset, int rows) {
    StoredDib dib;
    dib.bytes = bytes;
    if (bytes.size() < offset + 40) {
        dib.problem = "too short for an info header";
        return dib;
    }
    dib.infoHeaderSize = ReadLe32(bytes, offset);
    dib.width = static_cast<int32_t>(ReadLe32(bytes, offset + 4));
    dib.height = static_cast<int32_t>(ReadLe32(bytes, offset + 8));
    dib.planes = ReadLe16(bytes, offset + 12);
    dib.bitsPerPixel = ReadLe16(bytes, offset + 14);
    dib.compression = ReadLe32(bytes, offset + 16);
    const uint32_t coloursUsed = ReadLe32(bytes, offset + 32);
    if (dib.bitsPerPixel != 4 && dib.bitsPerPixel != 8) {
        dib.problem = "not a palette picture";
        return dib;
    }
    const size_t tableEntries = coloursUsed ? coloursUsed : (size_t{1} << dib.bitsPerPixel);
    const size_t tableOffset = offset + dib.infoHeaderSize;
    const size_t rowBytes = ((static_cast<size_t>(dib.width) * dib.bitsPerPixel + 31) / 32) * 4;
    const size_t pixelOffset = tableOffset + 4 * tableEntries;
    if (dib.width <= 0 || rows <= 0 || bytes.size() < pixelOffset + rowBytes * rows) {
        dib.problem = "size does not match the header";
        return dib;
    }
    dib.tableBytes.assign(bytes.begin() + tableOffset, bytes.begin() + pixelOffset);
    for (size_t i = 0; i < tableEntries; ++i) {
        const uint8_t* entry = &bytes[tableOffset + 4 * i];
        dib.colours.push_back({entry[2], entry[1], entry[0]});
    }
    dib.pixels.resize(static_cast<size_t>(dib.width) * rows);
    for (int row = 0; row < rows; ++row) {
        // Stored bottom-up when the height is positive.
        const int y = dib.height > 0 ? rows - 1 - row : row;
        const uint8_t* data = &bytes[pixelOffset + rowBytes * row];
        for (int x = 0; x < dib.width; ++x) {
            const int index = dib.bitsPerPixel == 8
                                  ? data[x]
                                  : (x % 2 == 0 ? data[x / 2] >> 4 : data[x / 2] & 15);
            if (static_cast<size_t>(index) >= tableEntries)
                dib.problem = "index past the colour table";
            dib.pixels[static_cast<size_t>(y) * dib.width + x] = static_cast<uint8_t>(index);
        }
    }
    dib.pixelOffset = static_cast<uint32_t>(pixelOffset);
    return dib;
}

StoredDib ReadBmpFile(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    if (bytes.size() < 14 + 40 || bytes[0] != 'B' || bytes[1] != 'M') {
        StoredDib dib;
        dib.problem = "not a bitmap file";
        return dib;
    }
    const int32_t height = static_cast<int32_t>(ReadLe32(bytes, 14 + 8));
    StoredDib dib = DecodeDib(bytes, 14, height < 0 ? -height : height);
    if (dib.problem.empty() && ReadLe32(bytes, 10) != dib.pixelOffset) {
        dib.problem = "file header's pixel offset is wrong";
    }
    if (dib.problem.empty() && ReadLe32(bytes, 2) != bytes.size()) {
        dib.problem = "file header's size is wrong";
    }
    return dib;
}
