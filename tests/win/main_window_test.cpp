// The main window: its class, size, controls, menu, About box and the routing
// of the game's events.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "game/layout.h"
#include "game/table.h"
#include "res/resource.h"
#include "shell/settings.h"
#include "shell/wide_text.h"
#include "view/main_window.h"
#include "view/table_surface.h"
#include "main_window_fixture.h"
#include "win_test_support.h"

namespace {

std::wstring WindowText(HWND window) {
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
}

std::string WindowTextCp932(HWND window) {
    char text[256];
    NarrowToCp932(WindowText(window).c_str(), text, sizeof text);
    return text;
}

using MainWindowTest = MainWindowFixture;

TEST_F(MainWindowTest, TheWindowIsAFixed640By480ParentWindowTitledBluffwick) {
    wchar_t className[64];
    GetClassNameW(window, className, 64);
    EXPECT_STREQ(className, L"Parent Window");
    EXPECT_EQ(WindowText(window), L"Bluffwick");
    LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN),
              WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, 640);
    EXPECT_EQ(outer.bottom - outer.top, 480);
    EXPECT_TRUE(IsWindowUnicode(window));
    EXPECT_NE(GetMenu(window), nullptr);
}

TEST_F(MainWindowTest, TheClassRedrawsOnResizeOnGreenWithTheArrowTheIconAndTheMenu) {
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"Parent Window", &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(info.lpfnWndProc, MainWndProc);
    EXPECT_EQ(info.cbClsExtra, 0);
    EXPECT_EQ(info.cbWndExtra, 0);
    EXPECT_NE(info.hIcon, nullptr);
    EXPECT_NE(info.hIconSm, nullptr);
    EXPECT_EQ(info.hCursor, LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
    EXPECT_EQ(info.lpszMenuName, MAKEINTRESOURCEW(IDR_MAIN_MENU));
    LOGBRUSH background{};
    ASSERT_EQ(GetObjectW(info.hbrBackground, sizeof background, &background),
              static_cast<int>(sizeof background));
    EXPECT_EQ(background.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(background.lbColor, RGB(0, 128, 0));
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
}

TEST_F(MainWindowTest, TheControlsAreMadeBetBoxStartChangeOkFoldUpDown) {
    // Children are kept in creation order (the first made on top); the order is
    // also the order Tab walks them.
    const int order[] = {BetBox,     StartButton, ChangeButton, OkButton,
                         FoldButton, UpButton,    DownButton};
    std::vector<int> made;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        made.push_back(GetDlgCtrlID(child));
    }
    EXPECT_EQ(made, std::vector<int>(std::begin(order), std::end(order)));
    for (int id : order) {
        SCOPED_TRACE(id);
        EXPECT_EQ(GetWindowLongW(Control(id), GWL_EXSTYLE) & ~(WS_EX_NOPARENTNOTIFY), 0);
        EXPECT_EQ(GetWindowLongW(Control(id), GWL_STYLE) & 0xF,
                  id == BetBox ? ES_RIGHT & 0xF : BS_PUSHBUTTON);
    }
}

TEST_F(MainWindowTest, SevenControlsWithTheirIdsTextsPlacesFontsAndOnlyStartEnabled) {
    struct Case {
        int id;
        const wchar_t* className;
        const char* text;  // code page 932 bytes
        int x, y, width, height;
        HFONT font;
        bool enabled;
    };
    const Case cases[] = {
        {BetBox, L"Edit", "1", 65, 342, 48, 30, gTable.betBoxFont, false},
        {StartButton, L"Button", "\x83\x58\x83\x5e\x81\x5b\x83\x67", 10, 300, 80, 30,
         gTable.buttonFont, true},
        {ChangeButton, L"Button", "\x83\x60\x83\x46\x83\x93\x83\x57", 100, 300, 80, 30,
         gTable.buttonFont, false},
        {OkButton, L"Button", "\x82\x6e  \x82\x6a", 10, 390, 80, 30, gTable.buttonFont, false},
        {FoldButton, L"Button", "\x82\xa8\x82\xe8\x82\xe9", 100, 390, 80, 30, gTable.buttonFont,
         false},
        {UpButton, L"Button", "\x81\xa3", 120, 338, 20, 22, nullptr, false},
        {DownButton, L"Button", "\x81\xa5", 120, 361, 20, 22, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        HWND control = Control(c.id);
        ASSERT_NE(control, nullptr);
        wchar_t className[32];
        GetClassNameW(control, className, 32);
        EXPECT_EQ(_wcsicmp(className, c.className), 0);
        EXPECT_EQ(WindowTextCp932(control), c.text);
        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, c.x);
        EXPECT_EQ(place.top, c.y);
        EXPECT_EQ(place.right - place.left, c.width);
        EXPECT_EQ(place.bottom - place.top, c.height);
        if (c.font != nullptr) {
            EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), c.font);
        }
        EXPECT_EQ(IsWindowEnabled(control) != FALSE, c.enabled);
        EXPECT_TRUE(IsWindowUnicode(control));
    }
    LONG boxStyle = GetWindowLongW(Control(BetBox), GWL_STYLE);
    EXPECT_EQ(boxStyle & (ES_NUMBER | ES_READONLY | ES_RIGHT), ES_NUMBER | ES_READONLY | ES_RIGHT);
    EXPECT_EQ(boxStyle & WS_BORDER, 0);
    // The read-only box is painted on white and takes no typing.
    HDC dc = GetDC(Control(BetBox));
    EXPECT_EQ(SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(Control(BetBox))),
              reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(Control(BetBox), dc);
    EnableWindow(Control(BetBox), TRUE);
    SendMessageW(Control(BetBox), WM_CHAR, L'7', 0);
    EXPECT_EQ(WindowText(Control(BetBox)), L"1");
}

TEST_F(MainWindowTest, TheMenuHoldsFileAndHelpWithTheirCommands) {
    HMENU menu = GetMenu(window);
    auto text = [](HMENU owner, UINT item, UINT flag) {
        wchar_t buffer[64] = L"";
        GetMenuStringW(owner, item, buffer, 64, flag);
        return std::wstring(buffer);
    };
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(text(menu, 0, MF_BYPOSITION), WidenCp932("ファイル"));
    EXPECT_EQ(text(menu, 1, MF_BYPOSITION), WidenCp932("ヘルプ"));
    EXPECT_EQ(text(menu, IDM_EXIT, MF_BYCOMMAND), WidenCp932("終了"));
    EXPECT_EQ(text(menu, IDM_FOUR_COLOUR_DECK, MF_BYCOMMAND), WidenCp932("4色のカード"));
    EXPECT_EQ(text(menu, IDM_MATCH_RECORD, MF_BYCOMMAND), WidenCp932("マッチの記録\tR"));
    EXPECT_EQ(text(menu, IDM_HELP, MF_BYCOMMAND), WidenCp932("ヘルプ"));
    EXPECT_EQ(text(menu, IDM_ABOUT, MF_BYCOMMAND), WidenCp932("バージョン情報"));
    EXPECT_EQ(text(menu, IDM_HOME_PAGE, MF_BYCOMMAND), WidenCp932("作者のホームページ"));
}

TEST_F(MainWindowTest, StartDealsAndAClickOnAPlayerCardMarksIt) {
    SendMessageW(window, WM_COMMAND, StartButton, 0);
    EXPECT_FALSE(IsWindowEnabled(Control(StartButton)));
    EXPECT_TRUE(IsWindowEnabled(Control(ChangeButton)));
    Card card = gMatch.deal.playerHand[2];
    int slot = 7;
    // The right edge belongs to no card; the left edge does.
    SendMessageW(window, WM_LBUTTONDOWN, 0, MAKELPARAM(SlotLeft(slot) - 9, SlotTop(slot) + 50));
    EXPECT_EQ(gMatch.deal.playerDiscards[1], 0);
    SendMessageW(window, WM_LBUTTONDOWN, 0, MAKELPARAM(SlotLeft(slot), SlotTop(slot) + 50));
    EXPECT_EQ(gMatch.deal.playerDiscards[2], 1);
    EXPECT_EQ(gMatch.deal.playerHand[2], card);
    // The card's white turned cyan on the table.
    int cyan = 0;
    for (int y = SlotTop(slot); y < SlotTop(slot) + CardHeight; ++y) {
        for (int x = SlotLeft(slot); x < SlotLeft(slot) + CardWidth; ++x) {
            cyan += GetPixel(gTable.surface, x, y) == RGB(0, 255, 255);
        }
    }
    EXPECT_GT(cyan, CardWidth * CardHeight / 2);
    // A right click does nothing.
    SendMessageW(window, WM_RBUTTONDOWN, 0, MAKELPARAM(SlotLeft(slot), SlotTop(slot) + 50));
    EXPECT_EQ(gMatch.deal.playerDiscards[2], 1);
    // Change starts the timer: the player's new card arrives on its tick.
    SendMessageW(window, WM_COMMAND, ChangeButton, 0);
    EXPECT_FALSE(IsWindowEnabled(Control(ChangeButton)));
    EXPECT_TRUE(PumpUntil([] { return gMatch.roundState >= RoundComputerTurn; }, 3000));
    EXPECT_NE(gMatch.deal.playerHand[2], card);
}

TEST_F(MainWindowTest, TheAboutBoxIsCentredIgnoresEscAndClosesWithOk) {
    bool centred = false;
    bool stayedAfterEsc = false;
    bool labelFound = false;
    bool versionFits = false;
    DialogDriver driver(WidenCp932("バージョン情報"), [&](HWND dialog) {
        RECT desktop;
        RECT own;
        GetWindowRect(GetDesktopWindow(), &desktop);
        GetWindowRect(dialog, &own);
        centred = own.left == (desktop.right - (own.right - own.left)) / 2 &&
                  own.top == (desktop.bottom - (own.bottom - own.top)) / 2;
        // Every label shows its whole text on one line, whatever font stands in
        // for the template's.
        for (HWND label = GetWindow(dialog, GW_CHILD); label != nullptr;
             label = GetWindow(label, GW_HWNDNEXT)) {
            wchar_t text[64] = L"";
            GetWindowTextW(label, text, 64);
            if (std::wstring(text).find(L"0.11a") == std::wstring::npos) continue;
            labelFound = true;
            HDC dc = GetDC(label);
            HGDIOBJ old =
                SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
            RECT needed = {0, 0, 0, 0};
            DrawTextW(dc, text, -1, &needed, DT_CALCRECT | DT_SINGLELINE);
            SelectObject(dc, old);
            ReleaseDC(label, dc);
            RECT shown;
            GetClientRect(label, &shown);
            versionFits = needed.right <= shown.right;
        }
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        Sleep(200);
        stayedAfterEsc = IsWindow(dialog) && IsWindowVisible(dialog);
        ClickDialogItem(dialog, IDOK);
    });
    SendMessageW(window, WM_COMMAND, IDM_ABOUT, 0);
    EXPECT_TRUE(driver.seen());
    EXPECT_TRUE(centred);
    EXPECT_TRUE(stayedAfterEsc);
    EXPECT_TRUE(labelFound);
    EXPECT_TRUE(versionFits);
    EXPECT_FALSE(IsWindow(driver.dialog()));
}

TEST_F(MainWindowTest, ExitClosesTheWindowAndEndsTheMessageLoop) {
    SendMessageW(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_FALSE(IsWindow(window));
    MSG message;
    bool quit = false;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        quit = quit || message.message == WM_QUIT;
    EXPECT_TRUE(quit);
    EXPECT_EQ(gTable.surface, nullptr);
}

TEST_F(MainWindowTest, PaintingCopiesTheSurfaceIntoTheWindow) {
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    PumpMessages(200);
    HDC screen = GetDC(window);
    int same = 0;
    int checked = 0;
    for (int y = 20; y < 400; y += 37) {
        for (int x = 200; x < 600; x += 41) {
            ++checked;
            same += GetPixel(screen, x, y) == GetPixel(gTable.surface, x, y);
        }
    }
    ReleaseDC(window, screen);
    EXPECT_EQ(same, checked);
}

}  // namespace

namespace {

struct TitleSearch {
    std::wstring prefix;
    HWND found = nullptr;
};

BOOL CALLBACK FindTitled(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<TitleSearch*>(parameter);
    wchar_t title[256] = L"";
    GetWindowTextW(window, title, 256);
    if (IsWindowVisible(window) && std::wstring(title).rfind(search->prefix, 0) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

TEST(HelpCommand, OpensTheJapaneseNamedHelpFileFromTheProgramsFolder) {
    // The name goes to the shell as UTF-16: in code page 932 bytes through the
    // ANSI call it would not name this file on a system of another code page.
    const std::wstring name = WidenCp932(HelpFileName);
    const std::wstring path = ExecutableFolderPath() + L"\\" + name;
    WriteWholeFile(path,
                   "\xef\xbb\xbf"
                   "help\r\n");
    HelpCommand(nullptr);
    TitleSearch search{name};
    EXPECT_TRUE(PumpUntil(
        [&] {
            EnumWindows(FindTitled, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        15000));
    if (search.found != nullptr) PostMessageW(search.found, WM_CLOSE, 0, 0);
    Sleep(500);
    RemovePath(path);
}

}  // namespace
