// The end-to-end driver's shared pieces: the game's own pictures, the table read
// back from the screen, and the game's process, windows and controls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/table.h"
#include "res/resource.h"

// ---- Reporting -------------------------------------------------------------

// Prints "ok   ..." or "FAIL ..." and counts the failures.
void Report(bool ok, const char* format, ...);
void Note(const char* format, ...);
int FailureCount();

// ---- Pictures --------------------------------------------------------------

// Pixels as the screen shows them, 0x00RRGGBB, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

struct GamePictures {
    Picture faces[52];
    Picture markedFaces[52];  // the face's white (index 1) shown as its index 7
    uint32_t markColour[52] = {};
    Picture back;
    Picture emptySlot;
    Picture blankDigit;
    Picture digits[10];
    Picture mouths[3];  // closed, grin, open
};

// Reads the pictures out of the program's own resources, the faces of the
// deck whose first face picture is `firstFace`.
bool LoadGamePictures(const std::wstring& exePath, GamePictures& pictures, std::string& problem,
                      int firstFace = IDB_CARD_FIRST);

// ---- The table read back ---------------------------------------------------

enum SlotShows { ShowsUnknown, ShowsFace, ShowsMarkedFace, ShowsBack, ShowsEmpty };

struct SlotView {
    SlotShows shows = ShowsUnknown;
    int card = -1;  // for faces, marked or not
};

struct TableView {
    SlotView slots[10];
    int computerMoney = -1;  // -1: the cells are not digit pictures
    int playerMoney = -1;
    int mouth = 0;  // IDB_MOUTH_CLOSED, _GRIN or _OPEN; 0 none of them
    bool computerStripBlank = false;
    bool playerStripBlank = false;
    bool computerStripNamed = false;
    bool playerStripNamed = false;
    bool speechHasText = false;
};

TableView ReadTable(const Picture& frame, const GamePictures& pictures);
bool RegionEquals(const Picture& frame, int x, int y, const Picture& picture, int columns);
Picture CropRegion(const Picture& frame, int x, int y, int width, int height);
std::string DescribeSlots(const TableView& table);
// The table as a fresh window shows it: ten backs, 20 and 20, the grin.
bool ShowsOpeningTable(const TableView& table);

// ---- Screen ----------------------------------------------------------------

// Device pixels per table pixel of the game's window: 1 at 96 DPI, 2 at 192.
// Captures are read back at table size and clicks are sent at device pixels.
extern int gClientScale;
// Card-slot blocks of gClientScale x gClientScale device pixels in the last
// capture that were not one colour: 0 when every card is an exact enlargement.
extern int gUnevenSlotBlocks;

// The window's client area as drawn on the screen, at table size.
bool CaptureClient(HWND window, Picture& frame);
// Everything on the screen inside `rect` (screen coordinates).
bool CaptureScreen(const RECT& rect, Picture& picture);
bool SaveBitmap(const Picture& picture, const std::wstring& path);

// ---- The game's process and windows -------------------------------------------

struct GameProcess {
    PROCESS_INFORMATION info{};
    HWND main = nullptr;
    LARGE_INTEGER launchedAt{};
};

bool LaunchGame(const std::wstring& exePath, const std::wstring& folder, GameProcess& game);
bool GameRunning(const GameProcess& game);
// Ends the game through its own Exit command; kills it only when that fails.
bool ExitGame(GameProcess& game, int timeoutMs);
void CloseGameHandles(GameProcess& game);

// A top-level window of the process with that class (and title, when given).
HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title,
                       bool visibleOnly);
double MillisecondsSince(const LARGE_INTEGER& start);
double Median(std::vector<double> values);  // -1 for none
// Paths from the Unix side arrive as /...; Wine maps / to Z:.
std::wstring WindowsPath(const std::wstring& path);
void Pause(int milliseconds);

// Control bits: one per TableControl, StartButton lowest, in id order.
constexpr unsigned ControlBit(TableControl control) { return 1u << (control - StartButton); }
enum : unsigned {
    StartBit = ControlBit(StartButton),
    ChangeBit = ControlBit(ChangeButton),
    UpBit = ControlBit(UpButton),
    DownBit = ControlBit(DownButton),
    OkBit = ControlBit(OkButton),
    FoldBit = ControlBit(FoldButton),
    BetBoxBit = ControlBit(BetBox),
};
unsigned ReadEnabledControls(HWND main);
// Read twice around a round trip through the game's thread, so a handler
// caught half way is never taken for a step of the deal.
unsigned ReadSettledControls(HWND main);
std::string DescribeControls(unsigned bits);

// Presses an enabled button of a window as its own click would; false when the
// button is missing or disabled (nothing is sent then).
bool PressButton(HWND parent, int id);
// The same, returning once the game has handled the click (for buttons that
// open no modal box).
bool PressButtonAndWait(HWND parent, int id);
// While set, presses and clicks on the player's cards are typed instead, as
// real key input (SendInput): Enter, F, the arrows and the digits 1-5.
extern bool gByKeyboard;
// The distinct keys typed since the last call, in order ("Enter 2 4 Up").
std::string TakeKeysTyped();
void PostClick(HWND window, int x, int y);
std::wstring ReadWindowText(HWND window);

// ---- What the shipped program shows the system ---------------------------------

// Its version resource, read back with GetFileVersionInfo and VerQueryValue.
void CheckVersionResource(const std::wstring& exePath);
// The running game's comctl32 module (version 6) and the controls' places.
void CheckLoadedControls(GameProcess& game);

// ---- One run of the driver -------------------------------------------------

struct Session {
    std::wstring exePath;   // the program under test
    std::wstring helpPath;  // its help text, copied beside each copy of it
    std::wstring outDir;    // screenshots and figures
    GamePictures pictures;
    int screenshots = 0;
};

// Saves what the screen shows inside the window's rectangle, numbered in order.
void SaveScreenshot(Session& session, HWND window, const char* name);

// Waits until `test` holds for the table read from the window, up to timeoutMs.
struct TableCapture {
    Picture frame;
    TableView table;
};
template <class Test>
bool WaitForTable(const Session& session, HWND main, int timeoutMs, TableCapture& seen, Test test) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    for (;;) {
        if (CaptureClient(main, seen.frame)) {
            seen.table = ReadTable(seen.frame, session.pictures);
            if (test(seen.table)) return true;
        }
        if (MillisecondsSince(start) > timeoutMs) return false;
        Sleep(15);
    }
}

// Plays one whole deal, checked at every step as in the match.
void PlayOneDeal(Session& session, GameProcess& game);

// Plays whole deals until one side holds all 40, then presses Start once more
// and checks the reset; the game is left in the new match's first deal.
void PlayMatchToTheEnd(Session& session, GameProcess& game);
