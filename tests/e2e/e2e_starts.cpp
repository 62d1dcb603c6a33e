// Start-up against a bare window: the game and a window that only paints
// itself green, launched in turn under the same warm Wine, each timed from
// CreateProcess to its first painted window, with its peak working set then.
#include "e2e.h"

#include <psapi.h>

#include <cstdio>

#include "game/layout.h"

namespace {

struct Starts {
    std::vector<double> milliseconds;
    std::vector<double> kilobytes;
};

// The bare window has painted once its client area is the table's green.
bool ShowsGreen(const Picture& frame) {
    if (frame.width < VisibleTableWidth || frame.height < VisibleTableHeight) return false;
    for (int y = 0; y < frame.height; y += 8) {
        for (int x = 0; x < frame.width; x += 8) {
            if (frame.At(x, y) != static_cast<uint32_t>(TableGreen)) return false;
        }
    }
    return true;
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

int TimeStarts(int argc, wchar_t** argv) {
    const bool within = argc == 8 && std::wstring(argv[6]) == L"--memory-within";
    if (argc != 6 && !within) {
        std::fprintf(stderr,
                     "usage: bluffwick_e2e --time-starts COUNT PROGRAM.exe BARE.exe FOLDER"
                     " [--memory-within RATIO]\n");
        return 2;
    }
    const int count = _wtoi(argv[2]);
    const std::wstring folder = WindowsPath(argv[5]);
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring game =
        PrepareCopy(WindowsPath(argv[3]), folder + L"\\game", L"bluffwick.exe", true);
    const std::wstring bare =
        PrepareCopy(WindowsPath(argv[4]), folder + L"\\bare", L"bare_window.exe", false);
    if (game.empty() || bare.empty()) {
        Report(false, "the two programs are copied to %ls", folder.c_str());
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
    // One start of each first, untimed: Wine and the file cache are then warm for both.
    Starts warmUp;
    bool started = TimeOneStart(game, folder + L"\\game", L"Parent Window", tablePainted, warmUp) &&
                   TimeOneStart(bare, folder + L"\\bare", L"Bare Window", ShowsGreen, warmUp);
    Starts gameStarts;
    Starts bareStarts;
    for (int run = 0; started && run < count; ++run) {
        started =
            TimeOneStart(game, folder + L"\\game", L"Parent Window", tablePainted, gameStarts) &&
            TimeOneStart(bare, folder + L"\\bare", L"Bare Window", ShowsGreen, bareStarts);
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
    // Times follow the machine's load, so only the working set is held to a bound.
    if (within) {
        Report(memoryRatio <= _wtof(argv[7]), "working set within %.2fx the bare window's (%.2fx)",
               _wtof(argv[7]), memoryRatio);
    }
    return FailureCount() ? 1 : 0;
}
