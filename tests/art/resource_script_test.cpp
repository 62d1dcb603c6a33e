// Compiles res/bluffwick.rc with MinGW's windres and reads the compiled
// resources back: every picture by number, the icon group, the menu and both
// dialog templates with their texts, styles, positions and fonts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "dib_reader.h"

namespace {

const std::string ResDir = BLUFFWICK_RES_DIR;

// The few window style bits the templates use (the test does not include windows.h).
constexpr uint32_t WsPopup = 0x80000000, WsChild = 0x40000000, WsVisible = 0x10000000;
constexpr uint32_t WsCaption = 0x00C00000, WsGroup = 0x00020000, WsTabStop = 0x00010000;
constexpr uint32_t DsModalFrame = 0x80, DsSetFont = 0x40;
constexpr uint32_t BsDefPushButton = 1, BsAutoCheckBox = 3, BsGroupBox = 7, BsCenter = 0x300;
constexpr uint32_t SsIcon = 3;

struct Resource {
    std::vector<uint8_t> data;
};
using ResourceKey = std::pair<int, int>;  // type, number

std::string Utf8(const std::vector<uint16_t>& units) {
    std::string out;
    for (uint16_t u : units) {
        if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (u < 0x800) {
            out += static_cast<char>(0xC0 | (u >> 6));
            out += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (u >> 12));
            out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return out;
}

// Reads a name-or-ordinal field; ordinals come back as "#n".
std::string ReadSzOrOrd(const std::vector<uint8_t>& d, size_t& at,
                        std::vector<uint16_t>* units = nullptr) {
    if (ReadLe16(d, at) == 0xFFFF) {
        const int ordinal = ReadLe16(d, at + 2);
        at += 4;
        return "#" + std::to_string(ordinal);
    }
    std::vector<uint16_t> text;
    for (uint16_t u; (u = ReadLe16(d, at)) != 0; at += 2) text.push_back(u);
    at += 2;
    if (units) *units = text;
    return Utf8(text);
}

std::map<ResourceKey, Resource> CompileScript(std::string& problem) {
    // A folder of this process's own: the suite's tests run in parallel.
    std::string folder = testing::TempDir() + "bluffwick-art-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr) {
        problem = "no folder of its own in " + testing::TempDir();
        return {};
    }
    const std::string output = folder + "/bluffwick.res";
    const std::string command = std::string(BLUFFWICK_WINDRES) + " -I \"" + ResDir + "\" \"" +
                                ResDir + "/bluffwick.rc\" -O res -o \"" + output + "\"";
    const int status = std::system(command.c_str());
    const std::vector<uint8_t> d = status == 0 ? ReadFileBytes(output) : std::vector<uint8_t>{};
    std::remove(output.c_str());
    rmdir(folder.c_str());
    if (status != 0) {
        problem = "windres failed: " + command;
        return {};
    }
    std::map<ResourceKey, Resource> resources;
    size_t at = 0;
    while (at + 8 <= d.size()) {
        const uint32_t dataSize = ReadLe32(d, at), headerSize = ReadLe32(d, at + 4);
        size_t field = at + 8;
        const std::string type = ReadSzOrOrd(d, field);
        const std::string name = ReadSzOrOrd(d, field);
        if (type[0] == '#' && name[0] == '#' && dataSize > 0) {
            const ResourceKey key{std::atoi(type.c_str() + 1), std::atoi(name.c_str() + 1)};
            resources[key].data.assign(d.begin() + at + headerSize,
                                       d.begin() + at + headerSize + dataSize);
        }
        at += (headerSize + dataSize + 3) & ~size_t{3};
    }
    return resources;
}

const std::map<ResourceKey, Resource>& Compiled(std::string* problem = nullptr) {
    static std::string failure;
    static const std::map<ResourceKey, Resource> resources = CompileScript(failure);
    if (problem) *problem = failure;
    return resources;
}

const std::vector<uint8_t>* Find(int type, int number) {
    auto found = Compiled().find({type, number});
    return found == Compiled().end() ? nullptr : &found->second.data;
}

std::vector<std::string> MenuLines(const std::vector<uint8_t>& d) {
    std::vector<std::string> lines;
    size_t at = 4;  // version and header size
    int depth = 0;
    while (at < d.size()) {
        const uint16_t flags = ReadLe16(d, at);
        at += 2;
        const std::string indent(depth * 2, ' ');
        if (flags & 0x10) {  // popup
            lines.push_back(indent + "POPUP " + ReadSzOrOrd(d, at));
            ++depth;
            continue;
        }
        const int id = ReadLe16(d, at);
        at += 2;
        const std::string text = ReadSzOrOrd(d, at);
        lines.push_back(indent + (id == 0 && text.empty() ? std::string("SEPARATOR")
                                                          : std::to_string(id) + " " + text));
        // The last item of a popup closes it (the menus here are one level deep).
        if (flags & 0x80) {
            --depth;
            lines.push_back("----");
        }
    }
    return lines;
}

struct DialogTemplate {
    uint32_t style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string caption, fontName;
    std::vector<uint16_t> fontUnits;
    int pointSize = 0, charset = 0;
    std::vector<std::string> controls;  // "class id style x,y cx x cy text"
};

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

std::string ControlLine(const char* cls, int id, uint32_t style, int x, int y, int cx, int cy,
                        const std::string& text) {
    return std::string(cls) + " " + std::to_string(id) + " " + Hex(style) + " " +
           std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(cx) + "x" +
           std::to_string(cy) + " " + text;
}

DialogTemplate ReadDialog(const std::vector<uint8_t>& d) {
    DialogTemplate t;
    const bool extended = ReadLe16(d, 0) == 1 && ReadLe16(d, 2) == 0xFFFF;
    size_t at = 0;
    int count = 0;
    if (extended) {
        t.style = ReadLe32(d, 12);
        count = ReadLe16(d, 16);
        at = 18;
    } else {
        t.style = ReadLe32(d, 0);
        count = ReadLe16(d, 8);
        at = 10;
    }
    t.x = static_cast<int16_t>(ReadLe16(d, at));
    t.y = static_cast<int16_t>(ReadLe16(d, at + 2));
    t.cx = ReadLe16(d, at + 4);
    t.cy = ReadLe16(d, at + 6);
    at += 8;
    ReadSzOrOrd(d, at);  // menu
    ReadSzOrOrd(d, at);  // class
    t.caption = ReadSzOrOrd(d, at);
    if (t.style & DsSetFont) {
        t.pointSize = ReadLe16(d, at);
        at += 2;
        if (extended) {
            t.charset = d[at + 3];
            at += 4;  // weight, italic, charset
        }
        t.fontName = ReadSzOrOrd(d, at, &t.fontUnits);
    }
    for (int i = 0; i < count; ++i) {
        at = (at + 3) & ~size_t{3};
        uint32_t style;
        int id;
        if (extended) {
            style = ReadLe32(d, at + 8);
            at += 12;
        } else {
            style = ReadLe32(d, at);
            at += 8;
        }
        const int x = static_cast<int16_t>(ReadLe16(d, at)),
                  y = static_cast<int16_t>(ReadLe16(d, at + 2));
        const int cx = ReadLe16(d, at + 4), cy = ReadLe16(d, at + 6);
        at += 8;
        if (extended) {
            id = static_cast<int32_t>(ReadLe32(d, at));
            at += 4;
        } else {
            id = static_cast<int16_t>(ReadLe16(d, at));
            at += 2;
        }
        std::string cls = ReadSzOrOrd(d, at);
        if (cls == "#128") cls = "BUTTON";
        if (cls == "#130") cls = "STATIC";
        for (char& c : cls) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const std::string text = ReadSzOrOrd(d, at);
        at += 2 + ReadLe16(d, at);  // creation data
        t.controls.push_back(ControlLine(cls.c_str(), id, style, x, y, cx, cy, text));
    }
    return t;
}

TEST(ResourceScript, CompilesWithWindres) {
    std::string problem;
    Compiled(&problem);
    EXPECT_EQ(problem, "");
    EXPECT_FALSE(Compiled().empty());
}

TEST(ResourceScript, HoldsEveryPictureByNumberAsCommitted) {
    std::vector<int> ids = {101, 154, 178, 182, 183, 184};
    for (int id = 102; id <= 153; ++id) ids.push_back(id);
    for (int id = 202; id <= 253; ++id) ids.push_back(id);  // the four-colour faces
    for (int id = 166; id <= 176; ++id) ids.push_back(id);
    int bitmaps = 0;
    for (const auto& [key, resource] : Compiled()) bitmaps += key.first == 2;
    EXPECT_EQ(bitmaps, static_cast<int>(ids.size()));
    for (int id : ids) {
        SCOPED_TRACE("bitmap " + std::to_string(id));
        const std::vector<uint8_t>* data = Find(2, id);
        ASSERT_NE(data, nullptr);
        // A bitmap resource is the committed file without its 14-byte file header.
        const std::string prefix = std::to_string(id) + "_";
        std::vector<uint8_t> file;
        for (const auto& entry : std::filesystem::directory_iterator(ResDir)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind(prefix, 0) == 0 && entry.path().extension() == ".bmp") {
                file = ReadFileBytes(entry.path().string());
            }
        }
        ASSERT_GT(file.size(), 14u);
        EXPECT_TRUE(std::vector<uint8_t>(file.begin() + 14, file.end()) == *data);
    }
}

TEST(ResourceScript, IconGroup179HoldsTheFiveSizesOfTheIconFile) {
    const std::vector<uint8_t>* group = Find(14, 179);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->size(), 6u + 5 * 14u);
    EXPECT_EQ(ReadLe16(*group, 2), 1);
    ASSERT_EQ(ReadLe16(*group, 4), 5);
    const int sizes[] = {16, 24, 32, 48, 256};
    for (int k = 0; k < 5; ++k) {
        const size_t at = 6 + 14 * static_cast<size_t>(k);
        EXPECT_EQ((*group)[at], sizes[k] % 256) << sizes[k];
        EXPECT_EQ(ReadLe16(*group, at + 6), sizes[k] == 32 ? 4 : 32) << sizes[k];
        const std::vector<uint8_t>* image = Find(3, ReadLe16(*group, at + 12));
        ASSERT_NE(image, nullptr) << sizes[k];
        EXPECT_EQ(image->size(), ReadLe32(*group, at + 8)) << sizes[k];
    }
}

TEST(ResourceScript, Menu177HasFileAndHelpWithTheirCommands) {
    const std::vector<uint8_t>* menu = Find(4, 177);
    ASSERT_NE(menu, nullptr);
    const std::vector<std::string> expected = {
        u8"POPUP ファイル",
        u8"  40004 4色のカード",
        u8"  40005 マッチの記録\tR",
        "  SEPARATOR",
        u8"  8 終了",
        "----",
        u8"POPUP ヘルプ",
        u8"  9 ヘルプ",
        u8"  40002 バージョン情報",
        "  SEPARATOR",
        u8"  40003 作者のホームページ",
        "----",
    };
    EXPECT_EQ(MenuLines(*menu), expected);
    // Pinned as UTF-16: "終了" is U+7D42 U+4E86, right after its command's id 8.
    const std::vector<uint8_t> exitItem = {0x08, 0x00, 0x42, 0x7D, 0x86, 0x4E, 0x00, 0x00};
    EXPECT_NE(std::search(menu->begin(), menu->end(), exitItem.begin(), exitItem.end()),
              menu->end());
}

const std::vector<uint16_t> DialogFont = {0xFF2D, 0xFF33, 0x0020, 0xFF30,
                                          0x30B4, 0x30B7, 0x30C3, 0x30AF};

// Both dialog templates as the window code and the settings step expect them:
// header first, then one line per control.
TEST(ResourceScript, DialogTemplates180And181) {
    const uint32_t child = WsChild | WsVisible;
    struct ExpectedDialog {
        int id;
        uint32_t style;
        int cx, cy;
        std::string caption;
        std::vector<std::string> controls;
    };
    const ExpectedDialog dialogs[] = {
        {180,
         WsPopup | WsVisible | WsCaption | DsModalFrame | DsSetFont,
         111,
         89,
         u8"バージョン情報",
         {
             ControlLine("BUTTON", 1, child | BsDefPushButton | WsTabStop, 29, 68, 50, 14, "OK"),
             ControlLine("STATIC", -1, child | WsGroup, 42, 14, 35, 8, "Bluffwick"),
             ControlLine("STATIC", -1, child | WsGroup, 45, 30, 60, 8, u8"バージョン 0.11a"),
             ControlLine("BUTTON", -1, child | BsGroupBox, 4, 0, 103, 62, ""),
             ControlLine("STATIC", -1, child | SsIcon, 15, 15, 20, 20, "#179"),
         }},
        {181,
         WsPopup | WsCaption | DsModalFrame | DsSetFont,
         187,
         93,
         u8"設定",
         {
             ControlLine("BUTTON", 1, child | BsDefPushButton | WsTabStop, 130, 7, 50, 14, "OK"),
             ControlLine("BUTTON", 2, child | WsTabStop, 130, 24, 50, 14, u8"ｷｬﾝｾﾙ"),
             ControlLine("BUTTON", -1, child | BsGroupBox | BsCenter, 12, 10, 100, 73,
                         u8"ショートカットの作成"),
             ControlLine("BUTTON", 1000, child | BsAutoCheckBox | WsTabStop, 33, 29, 51, 10,
                         u8"デスクトップ"),
             ControlLine("BUTTON", 1001, child | BsAutoCheckBox | WsTabStop, 33, 44, 63, 10,
                         u8"スタートメニュー"),
             ControlLine("BUTTON", 1002, child | BsAutoCheckBox | WsTabStop, 33, 59, 57, 10,
                         u8"スタートアップ"),
         }},
    };
    for (const ExpectedDialog& expected : dialogs) {
        SCOPED_TRACE("dialog " + std::to_string(expected.id));
        const std::vector<uint8_t>* data = Find(5, expected.id);
        ASSERT_NE(data, nullptr);
        const DialogTemplate dialog = ReadDialog(*data);
        EXPECT_EQ(Hex(dialog.style), Hex(expected.style));
        EXPECT_EQ(dialog.cx, expected.cx);
        EXPECT_EQ(dialog.cy, expected.cy);
        EXPECT_EQ(dialog.caption, expected.caption);
        EXPECT_EQ(dialog.pointSize, 9);
        EXPECT_EQ(dialog.fontUnits, DialogFont);  // "ＭＳ Ｐゴシック"
        EXPECT_EQ(dialog.charset, 128);           // Shift-JIS
        EXPECT_EQ(dialog.controls, expected.controls);
    }
}

}  // namespace
