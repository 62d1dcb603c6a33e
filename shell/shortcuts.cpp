// Bluffwick.lnk in a special folder, made through the shell-link object.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "shell/late_bound.h"
#include "shell/settings.h"
#include "shell/wide_text.h"

void (*gShellLinkSaved)(const wchar_t* path) = nullptr;

namespace {

// Only the first run makes shortcuts: the shell and COM are loaded then, not at every start.
struct ShellFunctions {
    decltype(&CoInitialize) coInitialize =
        LateBound<decltype(&CoInitialize)>(L"ole32.dll", "CoInitialize");
    decltype(&CoCreateInstance) coCreateInstance =
        LateBound<decltype(&CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    decltype(&CoUninitialize) coUninitialize =
        LateBound<decltype(&CoUninitialize)>(L"ole32.dll", "CoUninitialize");
    decltype(&SHGetMalloc) getMalloc =
        LateBound<decltype(&SHGetMalloc)>(L"shell32.dll", "SHGetMalloc");
    decltype(&SHGetSpecialFolderLocation) getFolderLocation =
        LateBound<decltype(&SHGetSpecialFolderLocation)>(L"shell32.dll",
                                                         "SHGetSpecialFolderLocation");
    decltype(&SHGetPathFromIDListW) getPathFromList =
        LateBound<decltype(&SHGetPathFromIDListW)>(L"shell32.dll", "SHGetPathFromIDListW");
    bool Complete() const {
        return coInitialize && coCreateInstance && coUninitialize && getMalloc &&
               getFolderLocation && getPathFromList;
    }
};

const ShellFunctions& ShellLinkFunctions() {
    static const ShellFunctions functions;
    return functions;
}

// The file-system path of a special folder; false when the shell cannot name
// one that fits.
bool SpecialFolderPath(HWND owner, int folder, wchar_t* path) {
    path[0] = L'\0';
    IMalloc* allocator = nullptr;
    if (FAILED(ShellLinkFunctions().getMalloc(&allocator))) return false;
    bool found = false;
    LPITEMIDLIST items = nullptr;
    if (SUCCEEDED(ShellLinkFunctions().getFolderLocation(owner, folder, &items))) {
        found = ShellLinkFunctions().getPathFromList(items, path) != FALSE && path[0] != L'\0';
        allocator->Free(items);
    }
    allocator->Release();
    return found;
}

}  // namespace

ProgramShortcutResult CreateProgramShortcut(HWND owner, const char* baseName, int folder) {
    wchar_t target[MAX_PATH];
    if (!ExecutablePath(target, MAX_PATH)) return ProgramShortcutNotMade;
    std::wstring linkName = WidenCp932(baseName) + L".lnk";
    return CreateShellLink(target, linkName.c_str(), owner, folder) == ShellLinkSaved
               ? ProgramShortcutMade
               : ProgramShortcutNotMade;
}

ShellLinkResult CreateShellLink(const wchar_t* target, const wchar_t* linkName, HWND owner,
                                int folder) {
    // Without the shell's functions no step can be taken: the link is abandoned.
    if (!ShellLinkFunctions().Complete()) return ShellLinkNotSaved;
    ShellLinkResult saved = ShellLinkSaved;
    ShellLinkFunctions().coInitialize(nullptr);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t folderPath[MAX_PATH];
    wchar_t linkPath[MAX_PATH];
    if (FAILED(ShellLinkFunctions().coCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                                     IID_IShellLinkW,
                                                     reinterpret_cast<void**>(&link)))) {
        link = nullptr;
        saved = ShellLinkNotSaved;
    } else if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        file = nullptr;
        saved = ShellLinkNotSaved;
    } else if (FAILED(link->SetPath(target))) {
        saved = ShellLinkNotSaved;
    } else if (!SpecialFolderPath(owner, folder, folderPath)) {
        // No folder to put the link in: abandon it like any other failing step.
        saved = ShellLinkNotSaved;
    } else if (!JoinPath(folderPath, linkName, linkPath, MAX_PATH)) {
        saved = ShellLinkNotSaved;
    } else if (FAILED(file->Save(linkPath, TRUE))) {
        saved = ShellLinkNotSaved;
    } else if (gShellLinkSaved != nullptr) {
        gShellLinkSaved(linkPath);
    }
    if (file != nullptr) file->Release();
    if (link != nullptr) link->Release();
    ShellLinkFunctions().coUninitialize();
    return saved;
}
