// What a shipped program shows the system: its version resource, read back the
// way Explorer's Properties page reads it, and the common controls its
// manifest asks for, seen in the running game.
#include "e2e.h"

#include <psapi.h>

#include <algorithm>
#include <cwctype>
#include <vector>

namespace {

std::wstring Lowered(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::string Utf8(const std::wstring& text) {
    std::string out(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr),
                    '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), static_cast<int>(out.size()),
                        nullptr, nullptr);
    if (!out.empty()) out.pop_back();
    return out;
}

struct VersionString {
    const wchar_t* name;
    const wchar_t* japanese;
    const wchar_t* english;
};
const VersionString VersionStrings[] = {
    {L"FileVersion", L"0.11a", L"0.11a"},
    {L"ProductVersion", L"0.11a", L"0.11a"},
    {L"ProductName", L"Bluffwick", L"Bluffwick"},
    {L"OriginalFilename", L"bluffwick.exe", L"bluffwick.exe"},
    {L"FileDescription", L"Bluffwick ファイブカード・ドロー・ポーカー",
     L"Bluffwick five-card draw poker"},
    {L"LegalCopyright", L"Copyright © 2026 Bluffwick の開発者",
     L"Copyright © 2026 the Bluffwick developers"},
};

// The seven controls where the 96-DPI window puts them, in client pixels.
struct ControlPlace {
    int id;
    RECT rect;
};
const ControlPlace ControlPlaces[] = {
    {BetBox, {65, 342, 113, 372}},        {StartButton, {10, 300, 90, 330}},
    {ChangeButton, {100, 300, 180, 330}}, {OkButton, {10, 390, 90, 420}},
    {FoldButton, {100, 390, 180, 420}},   {UpButton, {120, 338, 140, 360}},
    {DownButton, {120, 361, 140, 383}},
};

}  // namespace

void CheckVersionResource(const std::wstring& exePath) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exePath.c_str(), &ignored);
    std::vector<unsigned char> block(size);
    if (size == 0 || !GetFileVersionInfoW(exePath.c_str(), 0, size, block.data())) {
        Report(false, "version: the program has no version resource");
        return;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    const bool numbers =
        VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) &&
        length >= sizeof *fixed && fixed->dwSignature == VS_FFI_SIGNATURE &&
        fixed->dwFileVersionMS == MAKELONG(11, 0) && fixed->dwFileVersionLS == 0 &&
        fixed->dwProductVersionMS == MAKELONG(11, 0) && fixed->dwProductVersionLS == 0 &&
        fixed->dwFileType == VFT_APP;
    Report(numbers, "version: numbers 0,11,0,0 for the file and the product, an application");

    WORD* translations = nullptr;
    const WORD expected[] = {0x0411, 1200, 0x0409, 1200};
    const bool translated = VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                                           reinterpret_cast<void**>(&translations), &length) &&
                            length == sizeof expected &&
                            std::equal(expected, expected + 4, translations);
    Report(translated, "version: translations 0x0411 and 0x0409, both in code page 1200");

    for (const VersionString& item : VersionStrings) {
        for (const wchar_t* table : {L"041104B0", L"040904B0"}) {
            const std::wstring wanted =
                table[3] == L'1' ? item.japanese : item.english;  // 0411 or 0409
            const std::wstring key =
                std::wstring(L"\\StringFileInfo\\") + table + L"\\" + item.name;
            wchar_t* value = nullptr;
            const bool found = VerQueryValueW(block.data(), key.c_str(),
                                              reinterpret_cast<void**>(&value), &length) &&
                               length > 0;
            const std::wstring seen = found ? std::wstring(value) : L"(missing)";
            Report(seen == wanted, "version: %ls %ls is \"%s\"", table, item.name,
                   Utf8(seen).c_str());
        }
    }
}

void CheckLoadedControls(GameProcess& game) {
    HMODULE modules[512];
    DWORD bytes = 0;
    std::wstring comctl;
    if (EnumProcessModulesEx(game.info.hProcess, modules, sizeof modules, &bytes,
                             LIST_MODULES_ALL)) {
        for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
            wchar_t path[MAX_PATH] = {};
            GetModuleFileNameExW(game.info.hProcess, modules[i], path, MAX_PATH);
            const std::wstring lowered = Lowered(path);
            const std::wstring name = L"\\comctl32.dll";
            if (lowered.size() > name.size() &&
                lowered.compare(lowered.size() - name.size(), name.size(), name) == 0)
                comctl = path;
        }
    }
    // Version 6 lives in the side-by-side store; version 5 is system32's.
    const std::wstring lowered = Lowered(comctl);
    Report(lowered.find(L"\\winsxs\\") != std::wstring::npos &&
               lowered.find(L"common-controls_6595b64144ccf1df_6.") != std::wstring::npos,
           "the game loaded the common controls of version 6: %s", Utf8(comctl).c_str());

    // The themed controls must sit exactly where the classic ones did.
    RECT client{};
    GetClientRect(game.main, &client);
    std::string moved;
    for (const ControlPlace& place : ControlPlaces) {
        HWND control = GetDlgItem(game.main, place.id);
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, game.main, reinterpret_cast<POINT*>(&rect), 2);
        if (!control || !EqualRect(&rect, &place.rect))
            moved += " " + std::to_string(place.id) + " at " + std::to_string(rect.left) + "," +
                     std::to_string(rect.top) + " " + std::to_string(rect.right - rect.left) + "x" +
                     std::to_string(rect.bottom - rect.top);
    }
    Report(client.right == 634 && client.bottom == 436 && moved.empty(),
           "layout: client area %ld x %ld, the seven controls in their places%s", client.right,
           client.bottom, moved.c_str());
}
