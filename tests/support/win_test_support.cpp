// Helpers of the Win32 tests: host window, dialog driver, files and links.
#include "win_test_support.h"

#include <objbase.h>
#include <shlobj.h>

#include <sstream>

HWND CreateHostWindow() {
    static ATOM registered = 0;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (registered == 0) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = L"BluffwickTestHost";
        registered = RegisterClassW(&windowClass);
    }
    return CreateWindowExW(0, L"BluffwickTestHost", L"host", WS_OVERLAPPED, 0, 0, 640, 480, nullptr,
                           nullptr, instance, nullptr);
}

namespace {

struct FindRequest {
    const std::wstring* caption;
    HWND result;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM parameter) {
    auto* request = reinterpret_cast<FindRequest*>(parameter);
    wchar_t className[32];
    wchar_t text[128];
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    GetClassNameW(window, className, 32);
    GetWindowTextW(window, text, 128);
    if (std::wstring(className) == L"#32770" && *request->caption == text &&
        IsWindowVisible(window)) {
        request->result = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

DialogDriver::DialogDriver(const std::wstring& caption, std::function<void(HWND)> act,
                           int timeoutMs) {
    worker = std::thread([this, caption, act, timeoutMs] {
        const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
        while (!stopping && GetTickCount64() < deadline) {
            FindRequest request{&caption, nullptr};
            EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&request));
            if (request.result != nullptr) {
                found = request.result;
                seenDialog = true;
                act(request.result);
                return;
            }
            Sleep(20);
        }
    });
}

DialogDriver::~DialogDriver() {
    stopping = true;
    worker.join();
}

void ClickDialogItem(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void PumpMessages(int milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (GetTickCount64() < deadline) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done()) return true;
        Sleep(10);
    }
    return done();
}

std::wstring SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, csidl, nullptr, 0, path);
    return path;
}

std::wstring ThisExecutablePath() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::wstring ExecutableFolderPath() {
    std::wstring path = ThisExecutablePath();
    return path.substr(0, path.find_last_of(L"\\/"));
}

bool FileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadWholeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

void WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void RemovePath(const std::wstring& path) {
    if (FolderExists(path)) {
        RemoveDirectoryW(path.c_str());
    } else {
        DeleteFileW(path.c_str());
    }
}

std::wstring ShellLinkTarget(const std::wstring& linkPath) {
    std::wstring target;
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t path[MAX_PATH] = L"";
            if (SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ)) &&
                SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH))) {
                target = path;
            }
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return target;
}

std::vector<std::string> IniKeyLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '[') continue;
        lines.push_back(line);
    }
    return lines;
}
