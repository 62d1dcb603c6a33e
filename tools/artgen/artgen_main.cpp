// bluffwick-artgen: draws every picture and the icon of the game into a folder
// (the committed copies live in res/), and optionally the review sheet.
#include "artgen.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char Usage[] =
    "usage: bluffwick-artgen OUTPUT_DIR [--sheet FILE.png] [--four-colour-sheet FILE.png]\n"
    "                        [--fonts FONT_DIR]\n"
    "Writes the bitmaps (.bmp), the icon (.ico) and the launcher and web app icons (.png)\n"
    "of the game into OUTPUT_DIR.\n";

cairo_font_face_t* LoadFont(FT_Library library, const std::string& path) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "bluffwick-artgen: cannot load font %s\n", path.c_str());
        return nullptr;
    }
    return cairo_ft_font_face_create_for_ft_face(face, 0);
}

}  // namespace

int main(int argc, char** argv) {
    std::string outputDir, sheetPath, fourSheetPath, fontDir = BLUFFWICK_FONT_DIR;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--sheet") == 0 && i + 1 < argc) {
            sheetPath = argv[++i];
        } else if (std::strcmp(argv[i], "--four-colour-sheet") == 0 && i + 1 < argc) {
            fourSheetPath = argv[++i];
        } else if (std::strcmp(argv[i], "--fonts") == 0 && i + 1 < argc) {
            fontDir = argv[++i];
        } else if (argv[i][0] != '-' && outputDir.empty()) {
            outputDir = argv[i];
        } else {
            std::fputs(Usage, stderr);
            return 2;
        }
    }
    if (outputDir.empty()) {
        std::fputs(Usage, stderr);
        return 2;
    }

    FT_Library library;
    if (FT_Init_FreeType(&library) != 0) return 1;
    ArtFonts fonts;
    fonts.sansBold = LoadFont(library, fontDir + "/DejaVuSans-Bold.ttf");
    fonts.serifBold = LoadFont(library, fontDir + "/DejaVuSerif-Bold.ttf");
    fonts.serifCondensedBold = LoadFont(library, fontDir + "/DejaVuSerifCondensed-Bold.ttf");
    if (!fonts.sansBold || !fonts.serifBold || !fonts.serifCondensedBold) return 1;

    const Palette tablePalette = BuildTablePalette();
    std::vector<IndexedPicture> pictures;
    pictures.push_back(DrawTablePicture(tablePalette, fonts));
    for (int code = 0; code < 52; ++code)
        pictures.push_back(DrawCardFace(tablePalette, fonts, code));
    const Palette fourColourPalette = BuildFourColourPalette();
    std::vector<IndexedPicture> fourColourFaces;
    for (int code = 0; code < 52; ++code) {
        fourColourFaces.push_back(
            DrawFourColourFace(pictures[1 + code], fourColourPalette, fonts, code));
    }
    pictures.insert(pictures.end(), fourColourFaces.begin(), fourColourFaces.end());
    pictures.push_back(DrawCardBack(tablePalette));
    for (IndexedPicture& digit : DrawDigits(BuildDigitPalette(), fonts)) pictures.push_back(digit);
    pictures.push_back(DrawEmptySlot(tablePalette));
    for (IndexedPicture& mouth : DrawMouths(BuildMouthPalette())) pictures.push_back(mouth);
    const IndexedPicture icon = DrawProgramIcon(BuildIconPalette());

    for (const IndexedPicture& picture : pictures) {
        if (!WriteBytes(outputDir + "/" + picture.fileName, EncodeBmp(picture))) {
            std::fprintf(stderr, "bluffwick-artgen: cannot write %s/%s\n", outputDir.c_str(),
                         picture.fileName.c_str());
            return 1;
        }
    }
    // Beside the 32 x 32 sixteen-colour image: sharp sizes for every scale.
    std::vector<IconImage> iconSizes;
    for (int size : {16, 24, 48})
        iconSizes.push_back(TrueColourIconImage(size, DrawIconPixels(size)));
    iconSizes.push_back(PngIconImage(256, DrawIconPng(256)));
    if (iconSizes.back().stored.empty() ||
        !WriteBytes(outputDir + "/" + icon.fileName, EncodeIco(icon, iconSizes))) {
        std::fprintf(stderr, "bluffwick-artgen: cannot write the icon\n");
        return 1;
    }
    // The same design for the Linux launcher's hicolor theme (48, 256) and the
    // installable page's manifest (192, 512, and 512 maskable).
    struct PngIcon {
        const char* name;
        int size;
        IconPurpose purpose;
    };
    const PngIcon pngIcons[] = {{"bluffwick-48.png", 48, IconPurpose::Any},
                                {"bluffwick-192.png", 192, IconPurpose::Any},
                                {"bluffwick-256.png", 256, IconPurpose::Any},
                                {"bluffwick-512.png", 512, IconPurpose::Any},
                                {"bluffwick-maskable-512.png", 512, IconPurpose::Maskable}};
    for (const PngIcon& png : pngIcons) {
        const std::vector<uint8_t> bytes = DrawIconPng(png.size, png.purpose);
        if (bytes.empty() || !WriteBytes(outputDir + "/" + png.name, bytes)) {
            std::fprintf(stderr, "bluffwick-artgen: cannot write %s\n", png.name);
            return 1;
        }
    }
    if (!sheetPath.empty() && !WriteContactSheet(sheetPath, pictures, fonts)) {
        std::fprintf(stderr, "bluffwick-artgen: cannot write %s\n", sheetPath.c_str());
        return 1;
    }
    if (!fourSheetPath.empty() && !WriteFourColourSheet(fourSheetPath, pictures, fonts)) {
        std::fprintf(stderr, "bluffwick-artgen: cannot write %s\n", fourSheetPath.c_str());
        return 1;
    }
    return 0;
}
