// Start-up against a bare window: the game and a window that only paints
// itself green, launched in turn under the same warm Wine, each timed from
// CreateProcess to its first painted window, with its peak working set then.
//   bluffwick_start_bench COUNT PROGRAM.exe BARE.exe FOLDER [--memory-within RATIO]
//                         [--with-controls BARE_CONTROLS.exe]
// Prints the medians and ratios; exits 1 when the game's working set exceeds
// RATIO times the bare window's.
#include "tests/e2e/e2e.h"

#include <psapi.h>
#include <shellapi.h>

#include <cstdio>

#include "game/layout.h"
#include "game/table.h"

namespace {

struct Starts {
    std::vector<double> milliseconds;
    std::vector<double> kilobytes;
};

bool InControl(int x, int y) {
    for (int id = StartButton; id < StartButton + ControlCount; ++id) {
        const TableRect place = ControlRect(static_cast<TableControl>(id));
        if (x >= place.left && x < place.right && y >= place.top && y < place.bottom) return true;
    }
    return false;
}

// The bare window has painted once its client area is the table's green
// (around the controls, and they painted, where it has them).
bool ShowsGreen(const Picture& frame, bool controls) {
    if (frame.width < VisibleTableWidth || frame.height < VisibleTableHeight) return false;
    for (int y = 0; y < frame.height; y += 8) {
        for (int x = 0; x < frame.width; x += 8) {
            if (controls && InControl(x, y)) continue;
            if (frame.At(x, y) != static_cast<uint32_t>(TableGreen)) return false;
        }
    }
    if (!controls) return true;
    const TableRect start = ControlRect(StartButton);
    return frame.At((start.left + start.right) / 2, (start.top + start.bottom) / 2) !=
           static_cast<uint32_t>(TableGreen);
}

// One launch of `exe`, run from `folder`; false when no window of `className`
// painted within 30 s.
template <class Painted>
bool TimeOneStart(const std::wstring& exe, const std::wstring& folder, const wchar_t* className,
                  Painted painted, Starts& starts) {
    GameProcess game;
    if (!LaunchGame(exe, folder, game)) return false;
    double milliseconds = -1;
    Picture frame;
    while (milliseconds < 0 && MillisecondsSince(game.launchedAt) < 30000 && GameRunning(game)) {
        if (!game.main)
            game.main = FindProcessWindow(game.info.dwProcessId, className, nullptr, true);
        if (game.main && CaptureClient(game.main, frame) && painted(frame)) {
            milliseconds = MillisecondsSince(game.launchedAt);
        }
        Sleep(1);
    }
    PROCESS_MEMORY_COUNTERS memory = {};
    const bool measured =
        milliseconds >= 0 && GetProcessMemoryInfo(game.info.hProcess, &memory, sizeof memory);
    if (measured) {
        starts.milliseconds.push_back(milliseconds);
        starts.kilobytes.push_back(static_cast<double>(memory.PeakWorkingSetSize) / 1024);
    }
    if (game.main) PostMessageW(game.main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(game.info.hProcess, 5000) != WAIT_OBJECT_0) {
        TerminateProcess(game.info.hProcess, 1);
    }
    CloseGameHandles(game);
    return measured;
}

// A folder of its own holding a copy of `exe` (and, for the game, a settings
// file, so that no first-run dialog comes up).
std::wstring PrepareCopy(const std::wstring& exe, const std::wstring& folder, const wchar_t* name,
                         bool withSettings) {
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"\\" + name;
    // A copy left from an earlier run must not be timed in place of this one.
    if (!CopyFileW(exe.c_str(), copy.c_str(), FALSE)) return L"";
    if (withSettings) {
        HANDLE file = CreateFileW((folder + L"\\bluffwick.ini").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        const char settings[] = "[ShellLink]\r\nSTARTUP=0\r\nDESKTOP=0\r\nSTARTMENU=0\r\n";
        DWORD written = 0;
        WriteFile(file, settings, sizeof settings - 1, &written, nullptr);
        CloseHandle(file);
    }
    return copy;
}

std::string List(const std::vector<double>& values) {
    std::string list;
    for (double value : values) {
        list += (list.empty() ? "" : ", ") + std::to_string(static_cast<int>(value + 0.5));
    }
    return list;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    double memoryBound = 0;
    std::wstring withControls;
    bool usable = argc >= 5 && _wtoi(argv[1]) > 0;
    for (int at = 5; usable && at < argc; at += 2) {
        const std::wstring option = argv[at];
        usable = at + 1 < argc && (option == L"--memory-within" || option == L"--with-controls");
        if (!usable) break;
        if (option == L"--memory-within") memoryBound = _wtof(argv[at + 1]);
        if (option == L"--with-controls") withControls = argv[at + 1];
    }
    if (!usable) {
        std::fprintf(stderr,
                     "usage: bluffwick_start_bench COUNT PROGRAM.exe BARE.exe FOLDER"
                     " [--memory-within RATIO] [--with-controls BARE_CONTROLS.exe]\n");
        return 2;
    }
    const int count = _wtoi(argv[1]);
    const std::wstring folder = WindowsPath(argv[4]);
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring game =
        PrepareCopy(WindowsPath(argv[2]), folder + L"\\game", L"bluffwick.exe", true);
    const std::wstring bare =
        PrepareCopy(WindowsPath(argv[3]), folder + L"\\bare", L"bare_window.exe", false);
    const std::wstring controls =
        withControls.empty() ? L""
                             : PrepareCopy(WindowsPath(withControls.c_str()),
                                           folder + L"\\controls", L"bare_controls.exe", false);
    if (game.empty() || bare.empty() || (!withControls.empty() && controls.empty())) {
        Report(false, "the programs are copied to %ls", folder.c_str());
        return 1;
    }
    GamePictures pictures;
    std::string problem;
    if (!LoadGamePictures(game, pictures, problem)) {
        Report(false, "the program's pictures cannot be read:%s", problem.c_str());
        return 1;
    }
    // The whole table is read only once a card back shows in the first slot,
    // so that waiting costs the game no more than the bare window.
    const uint32_t backCentre = pictures.back.At(CardWidth / 2, CardHeight / 2);
    auto tablePainted = [&](const Picture& frame) {
        return frame.width >= VisibleTableWidth && frame.height >= VisibleTableHeight &&
               frame.At(SlotLeft(0) + CardWidth / 2, SlotTop(0) + CardHeight / 2) == backCentre &&
               ShowsOpeningTable(ReadTable(frame, pictures));
    };
    auto barePainted = [](const Picture& frame) { return ShowsGreen(frame, false); };
    auto controlsPainted = [](const Picture& frame) { return ShowsGreen(frame, true); };
    // One round untimed first: Wine and the file cache are then warm for all.
    Starts warmUp;
    Starts gameStarts;
    Starts bareStarts;
    Starts controlsStarts;
    bool started = true;
    for (int run = 0; started && run <= count; ++run) {
        const bool timed = run > 0;
        started = TimeOneStart(game, folder + L"\\game", L"Parent Window", tablePainted,
                               timed ? gameStarts : warmUp) &&
                  TimeOneStart(bare, folder + L"\\bare", L"Bare Window", barePainted,
                               timed ? bareStarts : warmUp);
        if (started && !controls.empty()) {
            started = TimeOneStart(controls, folder + L"\\controls", L"Bare Window",
                                   controlsPainted, timed ? controlsStarts : warmUp);
        }
    }
    Report(started, "%d starts of each program painted their window", count);
    if (!started) return 1;
    const double timeRatio = Median(gameStarts.milliseconds) / Median(bareStarts.milliseconds);
    const double memoryRatio = Median(gameStarts.kilobytes) / Median(bareStarts.kilobytes);
    Note(
        "bluffwick.exe: first painted table after a median of %.1f ms (%s), peak working set "
        "%.0f KB",
        Median(gameStarts.milliseconds), List(gameStarts.milliseconds).c_str(),
        Median(gameStarts.kilobytes));
    Note(
        "bare window:   first painted green after a median of %.1f ms (%s), peak working set "
        "%.0f KB",
        Median(bareStarts.milliseconds), List(bareStarts.milliseconds).c_str(),
        Median(bareStarts.kilobytes));
    Note("the game takes %.2fx the bare window's time and %.2fx its working set", timeRatio,
         memoryRatio);
    if (!controls.empty()) {
        Note(
            "bare window with the seven version-6 controls: painted after a median of %.1f ms "
            "(%s), peak working set %.0f KB",
            Median(controlsStarts.milliseconds), List(controlsStarts.milliseconds).c_str(),
            Median(controlsStarts.kilobytes));
        Note("the controls alone take %.2fx the bare window's time and %.2fx its working set",
             Median(controlsStarts.milliseconds) / Median(bareStarts.milliseconds),
             Median(controlsStarts.kilobytes) / Median(bareStarts.kilobytes));
    }
    // Times follow the machine's load, so only the working set is held to a bound.
    if (memoryBound > 0) {
        Report(memoryRatio <= memoryBound, "working set within %.2fx the bare window's (%.2fx)",
               memoryBound, memoryRatio);
    }
    return FailureCount() ? 1 : 0;
}
