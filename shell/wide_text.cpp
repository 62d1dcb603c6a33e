// Shift-JIS to UTF-16 at the boundary of the wide Windows calls, and bounded paths.
#include "shell/wide_text.h"

#include <cwchar>

namespace {
constexpr UINT ShiftJisCodePage = 932;
}

std::wstring WidenCp932(const char* text) {
    int length = MultiByteToWideChar(ShiftJisCodePage, 0, text, -1, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(ShiftJisCodePage, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

void NarrowToCp932(const wchar_t* wide, char* text, int size) {
    if (size <= 0) return;
    text[0] = '\0';
    int needed = WideCharToMultiByte(ShiftJisCodePage, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return;
    std::string whole(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(ShiftJisCodePage, 0, wide, -1, &whole[0], needed, nullptr, nullptr);
    // Cut on a character boundary: a lead byte never stays without its trail byte.
    int kept = 0;
    while (kept < needed - 1) {
        unsigned char byte = static_cast<unsigned char>(whole[static_cast<size_t>(kept)]);
        int width = ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) ? 2 : 1;
        if (kept + width > size - 1) break;
        kept += width;
    }
    whole.copy(text, static_cast<size_t>(kept));
    text[kept] = '\0';
}

bool ExecutablePath(wchar_t* path, size_t capacity) {
    if (capacity == 0) return false;
    path[0] = L'\0';
    DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(capacity));
    // A result that fills the buffer is a cut path.
    if (length == 0 || length >= capacity) {
        path[0] = L'\0';
        return false;
    }
    return true;
}

bool RemoveFileName(wchar_t* path) {
    wchar_t* separator = std::wcsrchr(path, L'\\');
    wchar_t* slash = std::wcsrchr(path, L'/');
    if (slash > separator) separator = slash;
    if (separator == nullptr) {
        path[0] = L'\0';
        return false;
    }
    // "C:" alone names the drive's current folder, not its root: keep the separator.
    if (separator == path + 2 && path[1] == L':') ++separator;
    *separator = L'\0';
    return true;
}

bool ExecutableFolder(wchar_t* folder, size_t capacity) {
    if (!ExecutablePath(folder, capacity)) return false;
    return RemoveFileName(folder);
}

bool JoinPath(const wchar_t* folder, const wchar_t* name, wchar_t* path, size_t capacity) {
    size_t folderLength = std::wcslen(folder);
    size_t nameLength = std::wcslen(name);
    if (capacity == 0) return false;
    path[0] = L'\0';
    // A drive root ("C:\") already ends in its separator.
    size_t separatorLength =
        folderLength > 0 && (folder[folderLength - 1] == L'\\' || folder[folderLength - 1] == L'/')
            ? 0
            : 1;
    if (folderLength + separatorLength + nameLength + 1 > capacity) return false;
    std::wmemcpy(path, folder, folderLength);
    if (separatorLength == 1) path[folderLength] = L'\\';
    std::wmemcpy(path + folderLength + separatorLength, name, nameLength);
    path[folderLength + separatorLength + nameLength] = L'\0';
    return true;
}
