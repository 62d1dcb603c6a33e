// The program's entry point: seed, register, create, centre, show, run.
#include <windows.h>

#include "cards/random.h"

#include "view/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    gInstance = instance;
    SeedRandom(static_cast<std::uint32_t>(ReadClockSeconds()));
    RegisterMainWindowClass(instance);
    HWND window = CreateMainWindow();
    // Without its window the loop below would wait for ever, invisibly.
    if (window == nullptr) return 1;
    CenterOnDesktop(window);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
