// Looking up system functions on first use.
#include "shell/late_bound.h"

FARPROC LateFunction(const wchar_t* dll, const char* name) {
    // Only from the system folder: a DLL of that name beside the program is not ours to load.
    HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr) module = LoadLibraryW(dll);  // systems without that search flag
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}
