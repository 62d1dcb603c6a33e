// The settings file beside the executable, the first-run dialog and the shortcuts.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cwchar>
#include <string>
#include <vector>

#include "res/resource.h"
#include "shell/settings.h"
#include "shell/wide_text.h"
#include "win_test_support.h"

namespace {

const std::wstring SettingsCaption = L"\u8a2d\u5b9a";  // 設定
const std::wstring LinkName = L"\\Bluffwick.lnk";

std::vector<std::wstring> gSavedLinks;
void RecordSavedLink(const wchar_t* path) { gSavedLinks.push_back(path); }

// The three places, in the order the links must be made.
std::vector<std::wstring> LinkPaths() {
    return {SpecialFolder(CSIDL_STARTUP) + LinkName, SpecialFolder(CSIDL_DESKTOP) + LinkName,
            SpecialFolder(CSIDL_PROGRAMS) + LinkName};
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        gShortcutSettings = ShortcutSettings{};
        gSavedLinks.clear();
        gShellLinkSaved = RecordSavedLink;
        for (const std::wstring& path : LinkPaths()) RemovePath(path);
        RemovePath(IniPath());
    }
    void TearDown() override {
        gShellLinkSaved = nullptr;
        for (const std::wstring& path : LinkPaths()) RemovePath(path);
        RemovePath(IniPath());
    }
    static const char* IniName() { return "settings_test.ini"; }
    static std::wstring IniPath() { return ExecutableFolderPath() + L"\\settings_test.ini"; }
};

enum DialogAnswer { AnswerCancel, AnswerOkNone, AnswerOkAll, AnswerOkDesktop };

TEST_F(SettingsTest, FirstRunAsksOnceMakesTheChosenLinksAndWritesTheAnswers) {
    struct Case {
        const char* what;
        DialogAnswer answer;
        std::vector<std::string> fileLines;
        std::vector<int> linksMade;  // indexes into LinkPaths(), in order of making
    };
    const Case cases[] = {
        {"Cancel", AnswerCancel, {"STARTUP=0", "DESKTOP=0", "STARTMENU=0"}, {}},
        {"OK, no box", AnswerOkNone, {"STARTUP=0", "DESKTOP=0", "STARTMENU=0"}, {}},
        {"OK, all boxes", AnswerOkAll, {"STARTUP=1", "DESKTOP=1", "STARTMENU=1"}, {0, 1, 2}},
        {"OK, desktop only", AnswerOkDesktop, {"STARTUP=0", "DESKTOP=1", "STARTMENU=0"}, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        bool answered = false;
        {
            DialogDriver driver(SettingsCaption, [&](HWND dialog) {
                // The dialog opens with every box clear.
                answered = IsDlgButtonChecked(dialog, IDC_STARTUP_CHECK) == BST_UNCHECKED &&
                           IsDlgButtonChecked(dialog, IDC_DESKTOP_CHECK) == BST_UNCHECKED &&
                           IsDlgButtonChecked(dialog, IDC_START_MENU_CHECK) == BST_UNCHECKED;
                if (c.answer == AnswerOkAll) {
                    ClickDialogItem(dialog, IDC_DESKTOP_CHECK);
                    ClickDialogItem(dialog, IDC_START_MENU_CHECK);
                    ClickDialogItem(dialog, IDC_STARTUP_CHECK);
                }
                if (c.answer == AnswerOkDesktop) ClickDialogItem(dialog, IDC_DESKTOP_CHECK);
                ClickDialogItem(dialog, c.answer == AnswerCancel ? IDCANCEL : IDOK);
            });
            RunSettingsStartup(nullptr, IniName());
            EXPECT_TRUE(driver.seen());
        }
        EXPECT_TRUE(answered);
        EXPECT_EQ(IniKeyLines(ReadWholeFile(IniPath())), c.fileLines);

        std::vector<std::wstring> expected;
        for (int index : c.linksMade) expected.push_back(LinkPaths()[index]);
        EXPECT_EQ(gSavedLinks, expected);
        for (int index = 0; index < 3; ++index) {
            bool wanted =
                std::find(c.linksMade.begin(), c.linksMade.end(), index) != c.linksMade.end();
            EXPECT_EQ(FileExists(LinkPaths()[index]), wanted) << index;
            if (wanted) {
                EXPECT_EQ(ShellLinkTarget(LinkPaths()[index]), ThisExecutablePath());
            }
        }

        // The next start reads the file and asks nothing.
        gShortcutSettings = ShortcutSettings{7, 7, 7};
        DialogDriver watcher(
            SettingsCaption, [](HWND dialog) { ClickDialogItem(dialog, IDCANCEL); }, 1500);
        RunSettingsStartup(nullptr, IniName());
        PumpMessages(300);
        EXPECT_FALSE(watcher.seen());
        const ShortcutSettings& s = gShortcutSettings;
        EXPECT_EQ((std::vector<int>{s.startup, s.desktop, s.startMenu}),
                  (std::vector<int>{c.fileLines[0].back() - '0', c.fileLines[1].back() - '0',
                                    c.fileLines[2].back() - '0'}));
    }
}

TEST_F(SettingsTest, AnExistingLinkIsReplaced) {
    std::wstring desktopLink = LinkPaths()[1];
    WriteWholeFile(desktopLink, "not a shell link");
    ASSERT_EQ(ShellLinkTarget(desktopLink), L"");
    DialogDriver driver(SettingsCaption, [](HWND dialog) {
        ClickDialogItem(dialog, IDC_DESKTOP_CHECK);
        ClickDialogItem(dialog, IDOK);
    });
    RunSettingsStartup(nullptr, IniName());
    EXPECT_EQ(ShellLinkTarget(desktopLink), ThisExecutablePath());
}

TEST_F(SettingsTest, KeysReadAsWrittenMissingOnesAs100AndGarbageAsTheProfileFunctionsDo) {
    struct Case {
        const char* file;
        int startup, desktop, startMenu;
    };
    const Case cases[] = {
        {"[ShellLink]\r\nSTARTUP=1\r\nDESKTOP=0\r\nSTARTMENU=1\r\n", 1, 0, 1},
        {"[ShellLink]\r\nDESKTOP=1\r\n", 100, 1, 100},
        {"[Other]\r\nSTARTUP=1\r\n", 100, 100, 100},
        {"", 100, 100, 100},
        {"[ShellLink]\r\nSTARTUP=abc\r\nDESKTOP=12xyz\r\nSTARTMENU= 7 \r\n", 0, 12, 7},
        {"[ShellLink]\r\nSTARTUP=x1\r\nDESKTOP=1.9\r\nSTARTMENU=1\r\n", 0, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        WriteWholeFile(IniPath(), c.file);
        gShortcutSettings = ShortcutSettings{};
        // An existing file, whatever it holds, means no dialog.
        DialogDriver watcher(
            SettingsCaption, [](HWND dialog) { ClickDialogItem(dialog, IDCANCEL); }, 1000);
        RunSettingsStartup(nullptr, IniName());
        EXPECT_FALSE(watcher.seen());
        EXPECT_EQ(gShortcutSettings.startup, c.startup);
        EXPECT_EQ(gShortcutSettings.desktop, c.desktop);
        EXPECT_EQ(gShortcutSettings.startMenu, c.startMenu);
    }
}

TEST_F(SettingsTest, AFolderInPlaceOfTheFileIsNoSettingsAndIsLeftAlone) {
    ASSERT_TRUE(CreateDirectoryW(IniPath().c_str(), nullptr));
    EXPECT_EQ(SettingsFileExists(IniName()), 0);
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        DialogDriver driver(SettingsCaption,
                            [](HWND dialog) { ClickDialogItem(dialog, IDCANCEL); });
        RunSettingsStartup(nullptr, IniName());
        // The answers could not be kept, so every start asks again.
        EXPECT_TRUE(driver.seen());
        EXPECT_TRUE(FolderExists(IniPath()));
    }
    EXPECT_FALSE(SaveShortcutSettings(IniName()));
    EXPECT_TRUE(FolderExists(IniPath()));
}

TEST_F(SettingsTest, PathsThatDoNotFitAreRefusedNotCut) {
    std::string longName(300, 'n');
    wchar_t path[MAX_PATH];
    EXPECT_FALSE(SettingsFilePath(longName.c_str(), path, MAX_PATH));
    EXPECT_STREQ(path, L"");
    EXPECT_FALSE(WriteSettingString("ShellLink", "STARTUP", "1", longName.c_str()));
    EXPECT_EQ(ReadSettingInt("ShellLink", "STARTUP", 100, longName.c_str()), 100);
    EXPECT_EQ(SettingsFileExists(longName.c_str()), 0);

    // A name that fits only when cut: the folder's length decides where that is.
    std::wstring folder = ExecutableFolderPath();
    size_t room = MAX_PATH - 1 - folder.size() - 1;  // characters left for the name
    std::string fits(room, 'f');
    std::string tooLong(room + 1, 'f');
    EXPECT_TRUE(SettingsFilePath(fits.c_str(), path, MAX_PATH));
    EXPECT_EQ(std::wstring(path), folder + L"\\" + std::wstring(room, L'f'));
    EXPECT_FALSE(SettingsFilePath(tooLong.c_str(), path, MAX_PATH));

    // A link name too long for its folder: abandoned, nothing saved.
    std::wstring longLink(300, L'k');
    EXPECT_EQ(CreateShellLink(ThisExecutablePath().c_str(), (longLink + L".lnk").c_str(), nullptr,
                              CSIDL_DESKTOP),
              ShellLinkNotSaved);
    EXPECT_EQ(CreateProgramShortcut(nullptr, std::string(300, 'k').c_str(), CSIDL_DESKTOP),
              ProgramShortcutNotMade);
    EXPECT_TRUE(gSavedLinks.empty());
}

TEST_F(SettingsTest, AFolderWithoutAFileSystemPathAbandonsTheLink) {
    // The Printers folder is virtual: the shell names no path for it.
    EXPECT_EQ(CreateProgramShortcut(nullptr, "Bluffwick", CSIDL_PRINTERS), ProgramShortcutNotMade);
    EXPECT_EQ(CreateProgramShortcut(nullptr, "Bluffwick", CSIDL_DESKTOP), ProgramShortcutMade);
    EXPECT_EQ(gSavedLinks, (std::vector<std::wstring>{LinkPaths()[1]}));
}

TEST(WideText, AFolderKeepsADriveRootsSeparatorAndJoinsWithOneSeparator) {
    // A program in a drive's root (a stick, a CD): "C:" alone would be the drive's
    // current folder, so the Help command's working directory would be wrong.
    struct Row {
        const wchar_t* path;
        const wchar_t* folder;
        const wchar_t* joined;  // folder + bluffwick.ini
    };
    const Row rows[] = {
        {L"C:\\Games\\Bluffwick\\bluffwick.exe", L"C:\\Games\\Bluffwick",
         L"C:\\Games\\Bluffwick\\bluffwick.ini"},
        {L"D:\\bluffwick.exe", L"D:\\", L"D:\\bluffwick.ini"},
        {L"Z:/tmp/bluffwick.exe", L"Z:/tmp", L"Z:/tmp\\bluffwick.ini"},
        {L"\\\\server\\share\\bluffwick.exe", L"\\\\server\\share",
         L"\\\\server\\share\\bluffwick.ini"},
    };
    for (const Row& row : rows) {
        wchar_t folder[MAX_PATH];
        std::wcscpy(folder, row.path);
        EXPECT_TRUE(RemoveFileName(folder)) << row.path;
        EXPECT_STREQ(folder, row.folder);
        wchar_t joined[MAX_PATH];
        EXPECT_TRUE(JoinPath(folder, L"bluffwick.ini", joined, MAX_PATH)) << row.path;
        EXPECT_STREQ(joined, row.joined);
    }
    wchar_t bare[] = L"bluffwick.exe";
    EXPECT_FALSE(RemoveFileName(bare));
    // The root's separator is not counted twice: "D:\x" needs exactly 5 places.
    wchar_t small[5];
    EXPECT_TRUE(JoinPath(L"D:\\", L"x", small, 5));
    EXPECT_FALSE(JoinPath(L"D:\\", L"xy", small, 5));
}

TEST(WideText, ShiftJisBytesWidenAndNarrowBackOnCharacterBoundaries) {
    // スタート in code page 932.
    const char start[] = "\x83\x58\x83\x5e\x81\x5b\x83\x67";
    EXPECT_EQ(WidenCp932(start), L"\u30b9\u30bf\u30fc\u30c8");
    EXPECT_EQ(WidenCp932("\xb7\xac\xdd\xbe\xd9"), L"\uff77\uff6c\uff9d\uff7e\uff99");  // ｷｬﾝｾﾙ
    char text[8];
    NarrowToCp932(L"\u30b9\u30bf\u30fc\u30c8", text, 8);
    EXPECT_STREQ(text, "\x83\x58\x83\x5e\x81\x5b");  // the fourth character would not fit whole
    NarrowToCp932(L"10", text, 8);
    EXPECT_STREQ(text, "10");
}

}  // namespace
