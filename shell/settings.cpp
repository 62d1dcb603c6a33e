// bluffwick.ini beside the executable and the first-run settings dialog.
#include "shell/settings.h"

#include <shlobj.h>

#include <cstdio>

#include "res/resource.h"
#include "shell/desktop.h"
#include "shell/wide_text.h"

ShortcutSettings gShortcutSettings;

namespace {

// One check box of the dialog, its field and its special folder, in the order
// the shortcuts are made.
struct ShortcutPlace {
    int checkBox;
    int ShortcutSettings::*field;
    const char* key;
    int specialFolder;
};

constexpr ShortcutPlace ShortcutPlaces[] = {
    {IDC_STARTUP_CHECK, &ShortcutSettings::startup, "STARTUP", CSIDL_STARTUP},
    {IDC_DESKTOP_CHECK, &ShortcutSettings::desktop, "DESKTOP", CSIDL_DESKTOP},
    {IDC_START_MENU_CHECK, &ShortcutSettings::startMenu, "STARTMENU", CSIDL_PROGRAMS},
};

}  // namespace

bool SettingsFilePath(const char* name, wchar_t* path, size_t capacity) {
    wchar_t folder[MAX_PATH];
    if (capacity > 0) path[0] = L'\0';
    if (!ExecutableFolder(folder, MAX_PATH)) return false;
    return JoinPath(folder, WidenCp932(name).c_str(), path,
                    capacity < MAX_PATH ? capacity : MAX_PATH);
}

int SettingsFileExists(const char* name) {
    wchar_t path[MAX_PATH];
    if (!SettingsFilePath(name, path, MAX_PATH)) return 0;
    DWORD attributes = GetFileAttributesW(path);
    // A folder standing where the file belongs is no settings file.
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? 1
                                                                                             : 0;
}

int ReadSettingInt(const char* section, const char* key, int defaultValue, const char* name) {
    wchar_t path[MAX_PATH];
    if (!SettingsFilePath(name, path, MAX_PATH)) return defaultValue;
    return static_cast<int>(GetPrivateProfileIntW(WidenCp932(section).c_str(),
                                                  WidenCp932(key).c_str(), defaultValue, path));
}

bool WriteSettingString(const char* section, const char* key, const char* text, const char* name) {
    wchar_t path[MAX_PATH];
    if (!SettingsFilePath(name, path, MAX_PATH)) return false;
    return WritePrivateProfileStringW(WidenCp932(section).c_str(), WidenCp932(key).c_str(),
                                      WidenCp932(text).c_str(), path) != FALSE;
}

void LoadShortcutSettings(const char* name) {
    for (const ShortcutPlace& place : ShortcutPlaces) {
        gShortcutSettings.*place.field =
            ReadSettingInt(SettingsSection, place.key, SettingsDefault, name);
    }
}

bool SaveShortcutSettings(const char* name) {
    bool written = true;
    for (const ShortcutPlace& place : ShortcutPlaces) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", gShortcutSettings.*place.field);
        written = WriteSettingString(SettingsSection, place.key, text, name) && written;
    }
    return written;
}

void RunSettingsStartup(HWND owner, const char* name) {
    if (SettingsFileExists(name)) {
        LoadShortcutSettings(name);
        return;
    }
    gShortcutSettings = ShortcutSettings{};
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTINGS), owner,
                    SettingsDlgProc, 0);
    SaveShortcutSettings(name);
}

INT_PTR CALLBACK SettingsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        CenterOnDesktop(dialog);
        for (const ShortcutPlace& place : ShortcutPlaces) {
            CheckDlgButton(dialog, place.checkBox,
                           gShortcutSettings.*place.field == 1 ? BST_CHECKED : BST_UNCHECKED);
        }
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            HWND owner = GetWindow(dialog, GW_OWNER);
            for (const ShortcutPlace& place : ShortcutPlaces) {
                if (IsDlgButtonChecked(dialog, place.checkBox) == BST_CHECKED) {
                    gShortcutSettings.*place.field = 1;
                    CreateProgramShortcut(owner, ProgramName, place.specialFolder);
                } else {
                    gShortcutSettings.*place.field = 0;
                }
            }
            EndDialog(dialog, 1);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}
