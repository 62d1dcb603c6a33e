// The table's coordinates in device pixels, and the DPI calls of newer systems.
#include "view/dpi_scale.h"

namespace {

// Looked up rather than imported: the program still starts on Windows 7.
template <typename Function>
Function FindUser32(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiCall = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

}  // namespace

int ScaleToDevice(int value, int dpi) { return MulDiv(value, dpi, BaseDpi); }

int DeviceToTable(int device, int dpi) {
    int table = static_cast<int>((static_cast<long long>(device) * BaseDpi) / dpi);
    while (ScaleToDevice(table + 1, dpi) <= device) ++table;
    while (table > 0 && ScaleToDevice(table, dpi) > device) --table;
    return table;
}

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = FindUser32<GetDpiForWindowCall>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : BaseDpi;
}

void SizeClientArea(HWND window, int width, int height, int dpi) {
    static const auto adjustForDpi =
        FindUser32<AdjustWindowRectExForDpiCall>("AdjustWindowRectExForDpi");
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    const BOOL hasMenu = GetMenu(window) != nullptr;
    RECT outer = {0, 0, width, height};
    if (adjustForDpi != nullptr) {
        adjustForDpi(&outer, style, hasMenu, exStyle, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&outer, style, hasMenu, exStyle);
    }
    RECT place;
    GetWindowRect(window, &place);
    int outerWidth = outer.right - outer.left;
    int outerHeight = outer.bottom - outer.top;
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE;
    SetWindowPos(window, nullptr, place.left, place.top, outerWidth, outerHeight, flags);
    RECT client;
    GetClientRect(window, &client);
    const int missingWidth = width - (client.right - client.left);
    const int missingHeight = height - (client.bottom - client.top);
    if (missingWidth != 0 || missingHeight != 0) {
        SetWindowPos(window, nullptr, place.left, place.top, outerWidth + missingWidth,
                     outerHeight + missingHeight, flags);
    }
}
