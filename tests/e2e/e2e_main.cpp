// The end-to-end driver: starts the real bluffwick.exe in fresh folders and uses
// it as a player would, checking its dialogs, its table and its controls.
//   bluffwick_e2e PROGRAM.exe OUTPUT-FOLDER
//   bluffwick_e2e --tick-settings   (ticks every box of a running game's first-run dialog)
#include "e2e.h"

#include "res/resource.h"

#include <objidl.h>
#include <psapi.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int StartTimings = 5;
constexpr wchar_t MainClass[] = L"Parent Window";
constexpr wchar_t DialogClass[] = L"#32770";

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

// A fresh folder holding only a copy of the program and its help text.
bool PrepareFolder(const Session& session, const std::wstring& folder, std::wstring& exe) {
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* name : {L"bluffwick.exe", L"bluffwick.ini", L"説明.txt"})
        DeleteFileW((folder + L"\\" + name).c_str());
    RemoveDirectoryW((folder + L"\\bluffwick.ini").c_str());
    exe = folder + L"\\bluffwick.exe";
    if (!CopyFileW(session.exePath.c_str(), exe.c_str(), FALSE)) return false;
    CopyFileW(session.helpPath.c_str(), (folder + L"\\説明.txt").c_str(), FALSE);
    return true;
}

std::wstring ShortcutFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, 0, path))) return L"";
    return path;
}

// The target of a shell link, or "" when it cannot be read.
std::wstring LinkTarget(const std::wstring& linkPath) {
    std::wstring target;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)))
            target = path;
        file->Release();
    }
    link->Release();
    return target;
}

struct LinkPlace {
    int csidl;
    const char* name;
};
const LinkPlace LinkPlaces[3] = {
    {CSIDL_STARTUP, "Startup"}, {CSIDL_DESKTOPDIRECTORY, "desktop"}, {CSIDL_PROGRAMS, "Programs"}};

// How many of the three places hold a Bluffwick.lnk aimed at `exe`.
int CountLinksTo(const std::wstring& exe, bool remove) {
    int count = 0;
    for (const LinkPlace& place : LinkPlaces) {
        const std::wstring link = ShortcutFolder(place.csidl) + L"\\Bluffwick.lnk";
        if (GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        if (lstrcmpiW(LinkTarget(link).c_str(), exe.c_str()) == 0) {
            ++count;
            if (remove) DeleteFileW(link.c_str());
        }
    }
    return count;
}

void ReadSettings(const std::wstring& folder, int values[3]) {
    const std::wstring ini = folder + L"\\bluffwick.ini";
    const wchar_t* keys[3] = {L"STARTUP", L"DESKTOP", L"STARTMENU"};
    for (int i = 0; i < 3; ++i)
        values[i] = GetPrivateProfileIntW(L"ShellLink", keys[i], -1, ini.c_str());
}

template <class Test>
bool WaitUntil(int timeoutMs, Test test) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    while (!test()) {
        if (MillisecondsSince(start) > timeoutMs) return false;
        Sleep(10);
    }
    return true;
}

// Waits for the first visible window of a starting game: the settings dialog or
// the main window. Returns false if neither comes.
bool WaitForFirstWindow(GameProcess& game, HWND& dialog) {
    dialog = nullptr;
    return WaitUntil(30000, [&] {
        dialog = FindProcessWindow(game.info.dwProcessId, DialogClass, nullptr, true);
        HWND main = FindProcessWindow(game.info.dwProcessId, MainClass, nullptr, true);
        if (main) game.main = main;
        return dialog || main || !GameRunning(game);
    });
}

// Milliseconds from the launch until the opening table is on the screen, or -1.
double WaitForOpeningTable(const Session& session, GameProcess& game) {
    if (!WaitUntil(30000,
                   [&] {
                       game.main =
                           FindProcessWindow(game.info.dwProcessId, MainClass, nullptr, true);
                       return game.main || !GameRunning(game);
                   }) ||
        !game.main)
        return -1;
    TableCapture seen;
    if (!WaitForTable(session, game.main, 15000, seen,
                      [](const TableView& t) { return ShowsOpeningTable(t); }))
        return -1;
    return MillisecondsSince(game.launchedAt);
}

bool CheckedBoxes(HWND dialog, int wanted) {
    for (int id = IDC_DESKTOP_CHECK; id <= IDC_STARTUP_CHECK; ++id) {
        DWORD_PTR state = 0;
        SendMessageTimeoutW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_NORMAL, 2000, &state);
        if (static_cast<int>(state) != wanted) return false;
    }
    return true;
}

// First run: the settings dialog comes before the main window. `checkAll` ticks
// the three boxes and presses OK; otherwise Cancel.
void FirstRun(Session& session, const std::wstring& folder, bool checkAll) {
    const char* how = checkAll ? "OK with all three boxes" : "Cancel";
    std::wstring exe;
    if (!PrepareFolder(session, folder, exe)) {
        Report(false, "first run (%s): cannot prepare %s", how, Narrow(folder).c_str());
        return;
    }
    CountLinksTo(exe, true);
    GameProcess game;
    if (!LaunchGame(exe, folder, game)) {
        Report(false, "first run (%s): the program does not start", how);
        return;
    }
    HWND dialog = nullptr;
    WaitForFirstWindow(game, dialog);
    HWND hiddenMain = FindProcessWindow(game.info.dwProcessId, MainClass, nullptr, false);
    const bool mainHidden = !hiddenMain || !IsWindowVisible(hiddenMain);
    Report(dialog && mainHidden,
           "first run (%s): the settings dialog appears before the main window", how);
    if (!dialog) {
        ExitGame(game, 3000);
        CloseGameHandles(game);
        return;
    }
    wchar_t title[64] = {};
    GetWindowTextW(dialog, title, 64);
    RECT box;
    GetWindowRect(dialog, &box);
    const int centreX = (GetSystemMetrics(SM_CXSCREEN) - (box.right - box.left)) / 2;
    const int centreY = (GetSystemMetrics(SM_CYSCREEN) - (box.bottom - box.top)) / 2;
    Report(lstrcmpW(title, L"設定") == 0 && box.left == centreX && box.top == centreY &&
               CheckedBoxes(dialog, BST_UNCHECKED),
           "first run: the dialog is titled Settings, centred on the desktop, its three boxes "
           "unticked");

    if (checkAll) {
        for (int id = IDC_DESKTOP_CHECK; id <= IDC_STARTUP_CHECK; ++id) PressButton(dialog, id);
        Report(WaitUntil(3000, [&] { return CheckedBoxes(dialog, BST_CHECKED); }),
               "first run: clicks tick the three boxes");
        SaveScreenshot(session, dialog, "settings-all-ticked");
        PressButton(dialog, IDOK);
    } else {
        SaveScreenshot(session, dialog, "settings-dialog");
        PressButton(dialog, IDCANCEL);
    }
    const double painted = WaitForOpeningTable(session, game);
    Report(painted >= 0, "first run (%s): the main window then shows the opening table", how);
    Report(ReadSettledControls(game.main) == StartBit,
           "first run: at the opening only Start is enabled");
    if (!checkAll) {
        TableCapture opening;
        WaitForTable(session, game.main, 1000, opening,
                     [](const TableView& t) { return t.speechHasText; });
        Report(opening.table.speechHasText && opening.table.computerStripBlank &&
                   opening.table.playerStripBlank,
               "first run: the greeting is in the bubble, the hand-name strips are blank");
        SaveScreenshot(session, game.main, "opening-table");
    }
    Report(ExitGame(game, 5000), "first run (%s): Exit ends the program", how);
    CloseGameHandles(game);

    int values[3];
    ReadSettings(folder, values);
    const int wanted = checkAll ? 1 : 0;
    Report(values[0] == wanted && values[1] == wanted && values[2] == wanted,
           "first run (%s): bluffwick.ini holds STARTUP=%d DESKTOP=%d STARTMENU=%d", how, values[0],
           values[1], values[2]);
    const int links = CountLinksTo(exe, checkAll);
    Report(links == (checkAll ? 3 : 0),
           "first run (%s): %d of the three places hold a Bluffwick.lnk aimed at the program", how,
           links);
}

// Later starts show no dialog; each is timed from launch to the painted table.
std::vector<double> LaterStarts(Session& session, const std::wstring& folder, size_t& peakBytes) {
    std::vector<double> times;
    const std::wstring exe = folder + L"\\bluffwick.exe";
    bool noDialog = true;
    for (int run = 0; run < StartTimings; ++run) {
        GameProcess game;
        if (!LaunchGame(exe, folder, game)) break;
        HWND dialog = nullptr;
        WaitForFirstWindow(game, dialog);
        if (dialog) noDialog = false;
        const double painted = WaitForOpeningTable(session, game);
        if (painted >= 0) times.push_back(painted);
        PROCESS_MEMORY_COUNTERS memory = {};
        if (GetProcessMemoryInfo(game.info.hProcess, &memory, sizeof memory))
            peakBytes = std::max(peakBytes, static_cast<size_t>(memory.PeakWorkingSetSize));
        ExitGame(game, 5000);
        CloseGameHandles(game);
    }
    Report(noDialog && times.size() == StartTimings,
           "later starts: no settings dialog, the opening table painted in each of %d starts",
           StartTimings);
    return times;
}

// The About box: owned by the main window, no close box, deaf to Esc and to a
// close request, closed by OK. The deal goes on behind it.
void AboutBox(Session& session, GameProcess& game) {
    HWND main = game.main;
    PressButtonAndWait(main, ChangeButton);  // Change: the timer now paces the computer's turn
    PostMessageW(main, WM_COMMAND, IDM_ABOUT, 0);
    HWND about = nullptr;
    WaitUntil(5000, [&] {
        about = FindProcessWindow(game.info.dwProcessId, DialogClass, nullptr, true);
        return about != nullptr;
    });
    if (!about) {
        Report(false, "About: the box does not appear");
        return;
    }
    wchar_t title[64] = {};
    GetWindowTextW(about, title, 64);
    const LONG style = GetWindowLongW(about, GWL_STYLE);
    Report(lstrcmpW(title, L"バージョン情報") == 0 && GetWindow(about, GW_OWNER) == main &&
               !(style & WS_SYSMENU),
           "About: the box is titled Version information, owned by the main window, with no close "
           "box");
    Pause(500);  // let the box finish painting before the picture is taken
    SaveScreenshot(session, main, "about-box");

    PostMessageW(about, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageW(about, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pause(700);
    Report(IsWindow(about) && IsWindowVisible(about),
           "About: Esc and a close request leave the box open");

    const unsigned behind = ReadSettledControls(main);
    const bool dealGoesOn = WaitUntil(8000, [&] {
        const unsigned controls = ReadSettledControls(main);
        return (controls & OkBit) != 0;
    });
    Report(dealGoesOn, "About: the deal goes on behind the open box (controls %s, then %s)",
           DescribeControls(behind).c_str(), DescribeControls(ReadSettledControls(main)).c_str());

    PressButton(about, IDOK);
    Report(WaitUntil(3000, [&] { return !IsWindow(about); }), "About: OK closes the box");
}

// The window keeps its size: no sizing border, no maximize box, and neither a
// drag on the frame nor a double click on the caption changes it.
void CannotResize(GameProcess& game) {
    HWND main = game.main;
    const LONG style = GetWindowLongW(main, GWL_STYLE);
    RECT before;
    GetWindowRect(main, &before);
    const bool styleOk = (style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU) &&
                         (style & WS_MINIMIZEBOX) && !(style & WS_THICKFRAME) &&
                         !(style & WS_MAXIMIZEBOX);
    Report(styleOk && before.right - before.left == 640 && before.bottom - before.top == 480,
           "window: 640 x 480 (%ld x %ld), caption, system menu and minimize box, no sizing border "
           "or maximize box",
           before.right - before.left, before.bottom - before.top);

    // Every point of the frame answers as plain border, never as a sizing edge.
    bool sizingEdge = false;
    const POINT probes[] = {{before.right - 1, before.bottom - 1},
                            {before.right - 1, (before.top + before.bottom) / 2},
                            {(before.left + before.right) / 2, before.bottom - 1},
                            {before.left, before.top},
                            {before.left, (before.top + before.bottom) / 2}};
    for (const POINT& p : probes) {
        DWORD_PTR hit = 0;
        SendMessageTimeoutW(main, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y), SMTO_NORMAL, 2000, &hit);
        if (hit >= HTSIZEFIRST && hit <= HTSIZELAST) sizingEdge = true;
    }
    PostMessageW(main, WM_NCLBUTTONDBLCLK, HTCAPTION,
                 MAKELPARAM(before.left + 100, before.top + 5));
    Pause(500);
    RECT after;
    GetWindowRect(main, &after);
    Report(
        !sizingEdge && !IsZoomed(main) && after.right - after.left == 640 &&
            after.bottom - after.top == 480,
        "window: no sizing edge on the frame; a double click on the caption leaves it at %ld x %ld",
        after.right - after.left, after.bottom - after.top);
}

// Exit in the middle of a deal ends the program at once: the window goes the
// moment the command is handled. The process itself then takes about two
// seconds more on a bare Xvfb: Wine waits that long for a window manager to
// confirm the unmapping (a minimal Win32 window program takes the same 2.0 s).
void ExitMidDeal(GameProcess& game) {
    HWND main = game.main;
    const unsigned controls = ReadSettledControls(main);
    if (controls & FoldBit)
        PressButtonAndWait(main, FoldButton);
    else if (controls & OkBit)
        PressButtonAndWait(main, OkButton);
    LARGE_INTEGER asked;
    QueryPerformanceCounter(&asked);
    PostMessageW(main, WM_COMMAND, IDM_EXIT, 0);
    WaitUntil(5000, [&] { return !IsWindowVisible(main); });
    const double hidden = MillisecondsSince(asked);
    const bool ended = WaitForSingleObject(game.info.hProcess, 8000) == WAIT_OBJECT_0;
    const double took = MillisecondsSince(asked);
    DWORD code = 1;
    GetExitCodeProcess(game.info.hProcess, &code);
    Report(ended && hidden < 1000 && took < 4000 && code == 0,
           "Exit with the deal's timer running: the window goes in %.0f ms, the process ends in "
           "%.0f ms, code %lu",
           hidden, took, code);
    if (!ended) TerminateProcess(game.info.hProcess, 1);
}

void SetHighContrastFlags(const wchar_t* flags) {
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags",
                    REG_SZ, flags, static_cast<DWORD>((wcslen(flags) + 1) * sizeof(wchar_t)));
    // As Windows tells every window when the setting is switched.
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST,
                        reinterpret_cast<LPARAM>(L""), SMTO_ABORTIFHUNG, 3000, nullptr);
}

// The four-colour deck as a player meets it, by the menu and by Windows'
// high-contrast setting: the faces on screen change at once, the mark kept,
// and change back. The game is in a deal with the player's cards shown.
void FourColourDeck(Session& session, GameProcess& game, const std::wstring& folder) {
    HWND main = game.main;
    GamePictures four;
    std::string problem;
    if (!LoadGamePictures(session.exePath, four, problem, IDB_FOUR_CARD_FIRST)) {
        Report(false, "the four-colour faces cannot be read:%s", problem.c_str());
        return;
    }
    // A marked card tells the two decks apart whatever its suit.
    PostClick(main, SlotLeft(FirstPlayerSlot) + CardWidth / 2,
              SlotTop(FirstPlayerSlot) + CardHeight / 2);
    int cards[5] = {};
    TableCapture seen;
    auto handShown = [&](const TableView& t) {
        for (int i = 0; i < 5; ++i) {
            const SlotView& slot = t.slots[FirstPlayerSlot + i];
            if (slot.shows != (i == 0 ? ShowsMarkedFace : ShowsFace)) return false;
        }
        return true;
    };
    if (!WaitForTable(session, main, 2000, seen, handShown)) {
        Report(false,
               "four-colour deck: the player's hand is not shown with its first card marked");
        return;
    }
    for (int i = 0; i < 5; ++i) cards[i] = seen.table.slots[FirstPlayerSlot + i].card;
    auto sameHand = [&](const TableView& t) {
        if (!handShown(t)) return false;
        for (int i = 0; i < 5; ++i) {
            if (t.slots[FirstPlayerSlot + i].card != cards[i]) return false;
        }
        return true;
    };
    // Read with the faces of one deck, then the other.
    auto shows = [&](bool fourColours) {
        if (fourColours) std::swap(session.pictures, four);
        const bool ok = WaitForTable(session, main, 3000, seen, sameHand);
        if (fourColours) std::swap(session.pictures, four);
        return ok;
    };

    PostMessageW(main, WM_COMMAND, IDM_FOUR_COLOUR_DECK, 0);
    Report(shows(true), "four-colour deck: the menu's command shows the same hand in four colours");
    SaveScreenshot(session, main, "four-colour-deck");
    std::string ini(4096, '\0');
    if (FILE* file = _wfopen((folder + L"\\bluffwick.ini").c_str(), L"rb")) {
        ini.resize(fread(&ini[0], 1, ini.size(), file));
        fclose(file);
    }
    Report(
        ini.find("[Cards]") != std::string::npos && ini.find("FOURCOLOUR=1") != std::string::npos,
        "four-colour deck: bluffwick.ini keeps the choice in a section of its own");
    PostMessageW(main, WM_COMMAND, IDM_FOUR_COLOUR_DECK, 0);
    Report(shows(false), "four-colour deck: the command again shows the two-colour faces");

    SetHighContrastFlags(L"127");
    Report(shows(true), "four-colour deck: Windows' high-contrast setting turns it on");
    SaveScreenshot(session, main, "high-contrast");
    SetHighContrastFlags(L"126");
    Report(shows(false), "four-colour deck: the setting turned off brings the two colours back");
}

// For the play command's test: answers the first-run dialog of a game started
// by someone else (the same wineserver) as a player asking for every shortcut.
int TickSettings() {
    HWND dialog = nullptr;
    WaitUntil(60000, [&] {
        dialog = FindWindowW(DialogClass, L"設定");
        return dialog && IsWindowVisible(dialog);
    });
    if (!dialog) {
        Report(false, "--tick-settings: no settings dialog appeared within 60 s");
        return 1;
    }
    for (int id = IDC_DESKTOP_CHECK; id <= IDC_STARTUP_CHECK; ++id) PressButton(dialog, id);
    const bool ticked = WaitUntil(3000, [&] { return CheckedBoxes(dialog, BST_CHECKED); });
    Report(ticked, "--tick-settings: the three boxes are ticked");
    if (!ticked) return 1;
    PressButton(dialog, IDOK);
    const bool closed = WaitUntil(10000, [&] { return !IsWindow(dialog); });
    Report(closed, "--tick-settings: OK closes the dialog");
    return closed ? 0 : 1;
}

}  // namespace

void SaveScreenshot(Session& session, HWND window, const char* name) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) return;
    // The window belongs to the game's process, which may not have painted what
    // was just checked: it is asked to paint now, and the picture is taken once
    // two captures 50 ms apart agree (at most 2 s).
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Picture picture;
    Picture previous;
    for (int tries = 0; tries < 40; ++tries) {
        if (!CaptureScreen(rect, picture)) return;
        if (tries > 0 && picture.pixels == previous.pixels) break;
        previous = picture;
        Sleep(50);
    }
    wchar_t file[64];
    swprintf(file, 64, L"\\%02d-%hs.bmp", ++session.screenshots, name);
    if (!SaveBitmap(picture, session.outDir + file)) Note("could not save the screenshot %s", name);
}

// At a DPI above 96: the window's client area is the 96-DPI one scaled, and one
// whole deal plays through it with every card an exact enlargement on screen.
void OneDealAtScale(Session& session) {
    const std::wstring folder = session.outDir + L"\\game-scaled";
    std::wstring exe;
    if (!PrepareFolder(session, folder, exe)) {
        Report(false, "the program cannot be copied for the scaled run");
        return;
    }
    if (FILE* ini = _wfopen((folder + L"\\bluffwick.ini").c_str(), L"wb")) {
        fputs("[ShellLink]\r\nSTARTUP=0\r\nDESKTOP=0\r\nSTARTMENU=0\r\n", ini);
        fclose(ini);
    }
    GameProcess game;
    HWND dialog = nullptr;
    if (!LaunchGame(exe, folder, game) || !WaitForFirstWindow(game, dialog) || !game.main) {
        Report(false, "the game does not start for the scaled run");
        return;
    }
    RECT client;
    GetClientRect(game.main, &client);
    gClientScale = client.right / 634;
    Report(gClientScale >= 2 && client.right == 634 * gClientScale &&
               client.bottom == 436 * gClientScale,
           "the client area is %ld x %ld, %d times the 96-DPI one", client.right, client.bottom,
           gClientScale);
    if (gClientScale >= 2 && WaitForOpeningTable(session, game) >= 0) {
        Report(gUnevenSlotBlocks == 0,
               "the opening table's cards are exact enlargements (%d uneven blocks)",
               gUnevenSlotBlocks);
        SaveScreenshot(session, game.main, "scaled-opening");
        PlayOneDeal(session, game);
        Report(gUnevenSlotBlocks == 0,
               "after the deal the cards are exact enlargements (%d uneven blocks)",
               gUnevenSlotBlocks);
        SaveScreenshot(session, game.main, "scaled-deal-end");
    } else {
        Report(false, "the scaled opening table is not shown");
    }
    ExitGame(game, 3000);
    CloseGameHandles(game);
}

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc == 2 && std::wstring(argv[1]) == L"--tick-settings") return TickSettings();
    const bool oneDeal = argc == 4 && std::wstring(argv[3]) == L"--one-deal-scaled";
    if (argc != 3 && !oneDeal) {
        fprintf(stderr,
                "usage: bluffwick_e2e PROGRAM.exe OUTPUT-FOLDER [--one-deal-scaled]\n"
                "       bluffwick_e2e --tick-settings\n");
        return 2;
    }
    Session session;
    session.exePath = WindowsPath(argv[1]);
    session.outDir = WindowsPath(argv[2]);
    session.helpPath = FolderOf(session.exePath) + L"\\説明.txt";
    CreateDirectoryW(session.outDir.c_str(), nullptr);
    CoInitialize(nullptr);

    std::string problem;
    if (!LoadGamePictures(session.exePath, session.pictures, problem)) {
        Report(false, "the program's pictures cannot be read:%s", problem.c_str());
        return 1;
    }
    HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    if (depth < 24) {
        Report(false,
               "the display has %d bits per pixel; the pictures are compared exactly and need true "
               "colour",
               depth);
        return 1;
    }

    if (oneDeal) {
        OneDealAtScale(session);
        printf("%s: %d failure(s)\n", FailureCount() ? "FAILED" : "PASSED", FailureCount());
        CoUninitialize();
        return FailureCount() ? 1 : 0;
    }

    LARGE_INTEGER runStart;
    QueryPerformanceCounter(&runStart);
    CheckVersionResource(session.exePath);
    const std::wstring cancelFolder = session.outDir + L"\\game-cancel";
    const std::wstring linksFolder = session.outDir + L"\\game-links";
    FirstRun(session, cancelFolder, false);
    size_t peakBytes = 0;
    const std::vector<double> starts = LaterStarts(session, cancelFolder, peakBytes);
    FirstRun(session, linksFolder, true);

    GameProcess game;
    double matchSeconds = -1;
    if (LaunchGame(cancelFolder + L"\\bluffwick.exe", cancelFolder, game) &&
        WaitForOpeningTable(session, game) >= 0) {
        CheckLoadedControls(game);
        LARGE_INTEGER matchStart;
        QueryPerformanceCounter(&matchStart);
        PlayMatchToTheEnd(session, game);
        matchSeconds = MillisecondsSince(matchStart) / 1000;
        PROCESS_MEMORY_COUNTERS memory = {};
        if (GetProcessMemoryInfo(game.info.hProcess, &memory, sizeof memory))
            peakBytes = std::max(peakBytes, static_cast<size_t>(memory.PeakWorkingSetSize));
        if (GameRunning(game)) {
            FourColourDeck(session, game, cancelFolder);
            AboutBox(session, game);
            CannotResize(game);
            ExitMidDeal(game);
        }
    } else {
        Report(false, "the game does not start for the match");
    }
    ExitGame(game, 3000);
    CloseGameHandles(game);

    std::string startList;
    for (double t : starts)
        startList += (startList.empty() ? "" : ", ") + std::to_string(static_cast<int>(t));
    char figures[512];
    snprintf(figures, sizeof figures,
             "launch to first painted table: median %.0f ms of %zu starts (%s ms)\n"
             "peak working set of the game: %.1f MB\n"
             "match played to the end in %.0f s; the whole run took %.0f s\n",
             Median(starts), starts.size(), startList.c_str(), peakBytes / 1048576.0, matchSeconds,
             MillisecondsSince(runStart) / 1000);
    printf("\n%s", figures);
    if (FILE* out = _wfopen((session.outDir + L"\\figures.txt").c_str(), L"w")) {
        fputs(figures, out);
        fclose(out);
    }
    printf("%s: %d failure(s)\n", FailureCount() ? "FAILED" : "PASSED", FailureCount());
    CoUninitialize();
    return FailureCount() ? 1 : 0;
}
