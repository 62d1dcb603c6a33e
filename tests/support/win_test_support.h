// Helpers of the Win32 tests: a plain host window, a dialog driver on a second
// thread, files and links in the Wine prefix.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

// A hidden top-level window of this module, for the table surface to be made on.
HWND CreateHostWindow();

// Waits on its own thread for a visible dialog with this caption, of this
// process, then runs `act` on it (from that thread). seen() tells whether it came.
class DialogDriver {
public:
    DialogDriver(const std::wstring& caption, std::function<void(HWND)> act, int timeoutMs = 15000);
    ~DialogDriver();
    bool seen() const { return seenDialog; }
    HWND dialog() const { return found; }

private:
    std::thread worker;
    volatile bool seenDialog = false;
    volatile bool stopping = false;
    HWND found = nullptr;
};

// Clicks a control of a dialog as the user would (BM_CLICK through its thread).
void ClickDialogItem(HWND dialog, int id);

// Runs the calling thread's messages for about `milliseconds`.
void PumpMessages(int milliseconds);
// Pumps messages until `done` or the timeout; true when done.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs);

std::wstring SpecialFolder(int csidl);
std::wstring ExecutableFolderPath();
std::wstring ThisExecutablePath();
bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
std::string ReadWholeFile(const std::wstring& path);
void WriteWholeFile(const std::wstring& path, const std::string& bytes);
void RemovePath(const std::wstring& path);  // a file, or an empty folder
// The target a shortcut file points at, or "" when it is no shell link.
std::wstring ShellLinkTarget(const std::wstring& linkPath);
// "KEY=VALUE" lines of an INI text in order, ignoring section lines and blanks.
std::vector<std::string> IniKeyLines(const std::string& text);
