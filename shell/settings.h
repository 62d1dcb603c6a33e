// The settings file beside the executable, the first-run settings dialog and
// the shortcuts it makes.
#pragma once

#include <windows.h>

// The three answers of the first run: 1 asked for, 0 not, SettingsDefault when
// the key is missing from an existing file.
struct ShortcutSettings {
    int startup = 0;
    int desktop = 0;
    int startMenu = 0;
};

extern ShortcutSettings gShortcutSettings;

constexpr int SettingsDefault = 100;
constexpr char SettingsFileName[] = "bluffwick.ini";
constexpr char SettingsSection[] = "ShellLink";
// The program's name: the main window's title and the shortcuts' base name.
constexpr char ProgramName[] = "Bluffwick";

// Full path of `name` in the executable's folder; false when it would not fit.
bool SettingsFilePath(const char* name, wchar_t* path, size_t capacity);
// 1 when a file (not a folder) of that name is in the executable's folder.
int SettingsFileExists(const char* name);
// The key's integer value as the profile functions read it, or the default
// when the key, the file or a usable path is missing.
int ReadSettingInt(const char* section, const char* key, int defaultValue, const char* name);
// Creates the file and the section when needed; false when nothing was written.
bool WriteSettingString(const char* section, const char* key, const char* text, const char* name);
void LoadShortcutSettings(const char* name);
// Writes STARTUP, DESKTOP, STARTMENU in this order; false when a write failed.
bool SaveShortcutSettings(const char* name);

// The start-up step of window creation: read the file, or on the first run ask
// with the settings dialog (owned by `owner`), make the shortcuts and write it.
void RunSettingsStartup(HWND owner, const char* name);
INT_PTR CALLBACK SettingsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The two results keep the values they have always had: the shortcut step
// answers 0 for success, the shell-link step 1.
enum ProgramShortcutResult { ProgramShortcutMade = 0, ProgramShortcutNotMade = 1 };
enum ShellLinkResult { ShellLinkNotSaved = 0, ShellLinkSaved = 1 };

// Makes `baseName`.lnk pointing at the running executable in that special
// folder (a CSIDL).
ProgramShortcutResult CreateProgramShortcut(HWND owner, const char* baseName, int folder);
// Saves the link as `linkName` inside the special folder; ShellLinkNotSaved
// when any step failed (no folder path, a path too long, a failing shell call).
ShellLinkResult CreateShellLink(const wchar_t* target, const wchar_t* linkName, HWND owner,
                                int folder);

// Test seam: when set, called with the full path of every link file just saved.
extern void (*gShellLinkSaved)(const wchar_t* path);
