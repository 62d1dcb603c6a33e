// bluffwick-lab faces: writes the 52 faces of either deck as the game draws
// them, plain or with the selection mark on every one.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "game/layout.h"
#include "lab_faces.h"
#include "lab_input.h"
#include "lab_modes.h"

namespace {

const char* const SuitName[] = {"spades", "hearts", "clubs", "diamonds"};
const char* const RankName[] = {"ace", "2", "3",  "4",    "5",     "6",   "7",
                                "8",   "9", "10", "jack", "queen", "king"};

std::uint32_t Le32(const std::vector<unsigned char>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// What the game's mark does to a face: every pixel of the white index takes
// the mark's index, the colour table untouched.
void Mark(std::vector<unsigned char>& file) {
    const std::uint32_t offset = Le32(file, 10), width = Le32(file, 18), height = Le32(file, 22);
    const std::uint32_t bits = file[28] | file[29] << 8;
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    const auto first = file.begin() + offset;
    std::replace(first, first + stride * height, FaceWhiteIndex, MarkCyanIndex);
}

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int RunFacesMode(int argc, char** argv) {
    const char* deckName = nullptr;
    const char* folder = nullptr;
    bool marked = false;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--deck") == 0) {
            if (deckName) return ReportBadUsage("--deck given twice");
            if (i + 1 == argc) return ReportBadUsage("--deck takes two or four");
            deckName = argv[++i];
        } else if (std::strcmp(argv[i], "--marked") == 0) {
            if (marked) return ReportBadUsage("--marked given twice");
            marked = true;
        } else if (argv[i][0] == '-') {
            return ReportBadUsage(std::string("faces has no option '") + argv[i] + "'");
        } else if (folder) {
            return ReportBadUsage("faces takes one DIR");
        } else {
            folder = argv[i];
        }
    }
    if (!deckName) return ReportBadUsage("faces needs --deck two or --deck four");
    int deck;
    if (std::strcmp(deckName, "two") == 0) {
        deck = 0;
    } else if (std::strcmp(deckName, "four") == 0) {
        deck = 1;
    } else {
        return ReportBadUsage(std::string("--deck must be two or four, not '") + deckName + "'");
    }
    if (!folder || !*folder) return ReportBadUsage("faces takes DIR, the folder to write into");

    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "bluffwick-lab: cannot make %s: %s\n", folder,
                     error.message().c_str());
        return 1;
    }
    for (int code = 0; code < 52; ++code) {
        const LabFaceFile& face = LabFaceFiles[deck][code];
        std::vector<unsigned char> bytes(face.bytes, face.bytes + face.size);
        if (marked) Mark(bytes);
        const std::string name =
            std::string(SuitName[code / 13]) + "_" + RankName[code % 13] + ".bmp";
        const std::string path = (std::filesystem::path(folder) / name).string();
        if (!WriteFile(path, bytes)) {
            FlushLabOutput();
            std::fprintf(stderr, "bluffwick-lab: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    FlushLabOutput();
    return 0;
}
