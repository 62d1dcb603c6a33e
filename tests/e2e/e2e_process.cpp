// Starting the game, finding its windows and pressing its controls from outside,
// the way a person's clicks reach them.
#include "e2e.h"

#include "game/layout.h"

#include <algorithm>
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

double Median(std::vector<double> values) {
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::wstring WindowsPath(const std::wstring& path) {
    if (path.empty() || path[0] != L'/') return path;
    std::wstring converted = L"Z:" + path;
    std::replace(converted.begin(), converted.end(), L'/', L'\\');
    return converted;
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

namespace {

std::string gKeysTyped;

// The key that stands for each button.
WORD KeyForButton(int id) {
    switch (id) {
    case StartButton:
    case ChangeButton:
    case OkButton: return VK_RETURN;
    case FoldButton: return 'F';
    case UpButton: return VK_UP;
    case DownButton: return VK_DOWN;
    default: return 0;
    }
}

// A real key press and release, as the keyboard driver would queue them.
void SendKey(WORD key) {
    const char* name = key == VK_RETURN ? "Enter"
                       : key == VK_UP   ? "Up"
                       : key == VK_DOWN ? "Down"
                                        : nullptr;
    const std::string typed = name != nullptr ? name : std::string(1, static_cast<char>(key));
    if (gKeysTyped.find(typed) == std::string::npos)
        gKeysTyped += (gKeysTyped.empty() ? "" : " ") + typed;
    INPUT keys[2] = {};
    keys[0].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = key;
    keys[0].ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    keys[1] = keys[0];
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

// Keys go to the foreground window; the game must be it before a key is typed.
bool BringGameForward(HWND main) {
    if (GetForegroundWindow() != main) SetForegroundWindow(main);
    for (int k = 0; k < 50 && GetForegroundWindow() != main; ++k) Sleep(10);
    return GetForegroundWindow() == main;
}

// Start, Change and Fold disable themselves when handled; OK does unless the
// bet is refused, and ▲ / ▼ change the box unless at a limit.
bool PressKeyAndWait(HWND parent, int id) {
    HWND button = GetDlgItem(parent, id);
    if (!button || !IsWindowEnabled(button) || KeyForButton(id) == 0) return false;
    if (!BringGameForward(parent)) {
        Report(false, "the game's window does not come to the foreground for a key");
        return false;
    }
    HWND box = GetDlgItem(parent, BetBox);
    const std::wstring boxBefore = ReadWindowText(box);
    SendKey(KeyForButton(id));
    const bool mayStayEnabled = id == OkButton || id == UpButton || id == DownButton;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    while (MillisecondsSince(start) < (mayStayEnabled ? 1000 : 3000)) {
        if (!IsWindowEnabled(button)) return true;
        if (id != OkButton && ReadWindowText(box) != boxBefore) return true;
        Sleep(10);
    }
    return mayStayEnabled;
}

}  // namespace

bool gByKeyboard = false;

std::string TakeKeysTyped() {
    std::string keys;
    keys.swap(gKeysTyped);
    return keys;
}

bool PressButtonAndWait(HWND parent, int id) {
    if (gByKeyboard) return PressKeyAndWait(parent, id);
    HWND button = GetDlgItem(parent, id);
    if (!button || !IsWindowEnabled(button)) return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
}

void PostClick(HWND window, int x, int y) {
    if (gByKeyboard) {
        // A click on the player's card becomes the digit of its position.
        for (int i = 0; i < 5; ++i) {
            if (x >= SlotLeft(5 + i) && x < SlotLeft(5 + i) + CardWidth && y >= PlayerRowTop &&
                y < PlayerRowTop + CardHeight) {
                if (BringGameForward(window)) SendKey(static_cast<WORD>('1' + i));
                return;
            }
        }
        Report(false, "a click at %d,%d has no key in the keyboard deal", x, y);
        return;
    }
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
