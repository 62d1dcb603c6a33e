// The one crossing from the game's Shift-JIS bytes to the UTF-16 of the wide
// Windows calls, and bounded building of paths beside the executable.
#pragma once

#include <windows.h>

#include <string>

// The Shift-JIS (code page 932) text as UTF-16, whatever the system's code page.
std::wstring WidenCp932(const char* text);
// UTF-16 back to Shift-JIS bytes, NUL-terminated, cut to fit text[0..size-1].
void NarrowToCp932(const wchar_t* wide, char* text, int size);

// The running executable's full path into path[0..capacity-1]; false when it
// does not fit (a cut path is never handed on as if whole).
bool ExecutablePath(wchar_t* path, size_t capacity);
// Cuts the file name off a full path, leaving its folder: without a trailing
// separator, except a drive root, which keeps it ("C:\"); false when there is none.
bool RemoveFileName(wchar_t* path);
// The executable's folder (as RemoveFileName leaves it); false when it does not fit.
bool ExecutableFolder(wchar_t* folder, size_t capacity);
// folder + "\" + name into path[0..capacity-1] (no second separator after a
// folder that ends in one); false (and path empty) when it would not fit.
bool JoinPath(const wchar_t* folder, const wchar_t* name, wchar_t* path, size_t capacity);
