// The program's entry point: seed, register, create, centre, show, run.
#include <windows.h>

#include "cards/random.h"
#include "view/main_window.h"
#include "view/table_accessible.h"
#include "view/table_keys.h"

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
    const int exitCode = RunMessageLoop(window);
    EndAccessibility();
    return exitCode;
}
