// System functions the program needs only now and then, looked up in their DLL
// on first use. A DLL in the import table is loaded, with every DLL it loads in
// turn, before the first window shows; these wait until they are asked for.
#pragma once

#include <windows.h>

// The function `name` of the system DLL `dll`, loading the DLL on the first
// call; null when either cannot be found.
FARPROC LateFunction(const wchar_t* dll, const char* name);

// The same as a typed pointer: LateBound<decltype(&ShellExecuteW)>(L"shell32.dll",
// "ShellExecuteW").
template <class Function>
Function LateBound(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(LateFunction(dll, name)));
}
