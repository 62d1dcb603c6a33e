// A bare Win32 window to time the game's start against: a class, a window of
// the game's size painted the table's green, and a message loop; nothing else.
// Built a second time with the game's manifest and its seven controls, as
// version-6 common controls where the game has them: what those alone cost.
#include <windows.h>

#ifdef BARE_WITH_CONTROLS
#include "game/table.h"
#endif

namespace {

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = BareWindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = CreateSolidBrush(RGB(0, 128, 0));
    windowClass.lpszClassName = L"Bare Window";
    RegisterClassW(&windowClass);
    HWND window =
        CreateWindowExW(0, L"Bare Window", L"Bare", WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                        CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
#ifdef BARE_WITH_CONTROLS
    for (int id = StartButton; id < StartButton + ControlCount; ++id) {
        const TableRect place = ControlRect(static_cast<TableControl>(id));
        CreateWindowExW(0, id == BetBox ? L"EDIT" : L"BUTTON", L"", WS_CHILD | WS_VISIBLE,
                        place.left, place.top, place.right - place.left, place.bottom - place.top,
                        window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                        nullptr);
    }
#endif
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
