// Starting the game, finding its windows and pressing its controls from outside,
// the way a person's clicks reach them.
#include "e2e.h"

#include <cstdio>

namespace {

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    const wchar_t* title;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search.processId) return TRUE;
    if (search.visibleOnly && !IsWindowVisible(window)) return TRUE;
    wchar_t text[256];
    if (search.className &&
        (!GetClassNameW(window, text, 256) || lstrcmpW(text, search.className) != 0))
        return TRUE;
    if (search.title &&
        (GetWindowTextW(window, text, 256) < 0 || lstrcmpW(text, search.title) != 0))
        return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

bool LaunchGame(const std::wstring& exePath, const std::wstring& folder, GameProcess& game) {
    game = GameProcess{};
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exePath + L"\"";
    QueryPerformanceCounter(&game.launchedAt);
    if (!CreateProcessW(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &game.info))
        return false;
    return true;
}

bool GameRunning(const GameProcess& game) {
    return game.info.hProcess && WaitForSingleObject(game.info.hProcess, 0) == WAIT_TIMEOUT;
}

bool ExitGame(GameProcess& game, int timeoutMs) {
    if (!GameRunning(game)) return true;
    if (game.main) PostMessageW(game.main, WM_COMMAND, 8 /* ExitCommand */, 0);
    if (WaitForSingleObject(game.info.hProcess, timeoutMs) == WAIT_OBJECT_0) return true;
    TerminateProcess(game.info.hProcess, 1);
    WaitForSingleObject(game.info.hProcess, 5000);
    return false;
}

void CloseGameHandles(GameProcess& game) {
    if (game.info.hThread) CloseHandle(game.info.hThread);
    if (game.info.hProcess) CloseHandle(game.info.hProcess);
    game = GameProcess{};
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title,
                       bool visibleOnly) {
    WindowSearch search{processId, className, title, visibleOnly, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

double MillisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

void Pause(int milliseconds) { Sleep(milliseconds); }

unsigned ReadEnabledControls(HWND main) {
    unsigned bits = 0;
    for (int id = StartButton; id <= BetBox; ++id) {
        HWND control = GetDlgItem(main, id);
        if (control && IsWindowEnabled(control)) bits |= ControlBit(static_cast<TableControl>(id));
    }
    return bits;
}

unsigned ReadSettledControls(HWND main) {
    for (;;) {
        const unsigned before = ReadEnabledControls(main);
        DWORD_PTR result = 0;
        SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result);
        const unsigned after = ReadEnabledControls(main);
        if (before == after) return after;
    }
}

std::string DescribeControls(unsigned bits) {
    static const char* const names[7] = {"Start", "Change", "Up", "Down", "OK", "Fold", "BetBox"};
    std::string text;
    for (int i = 0; i < 7; ++i)
        if (bits & (1u << i)) text += (text.empty() ? "" : "+") + std::string(names[i]);
    return text.empty() ? "none" : text;
}

bool PressButton(HWND parent, int id) {
    HWND button = GetDlgItem(parent, id);
    if (!button || !IsWindowEnabled(button)) return false;
    // Posted, not sent: a button that opens a modal box must not hold us up.
    PostMessageW(button, BM_CLICK, 0, 0);
    return true;
}

bool PressButtonAndWait(HWND parent, int id) {
    HWND button = GetDlgItem(parent, id);
    if (!button || !IsWindowEnabled(button)) return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
}

void PostClick(HWND window, int x, int y) {
    x *= gClientScale;
    y *= gClientScale;
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

std::wstring ReadWindowText(HWND window) {
    wchar_t text[256] = {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                             2000, &length))
        return L"?";
    return std::wstring(text, length);
}
