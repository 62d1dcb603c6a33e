// Placing windows on the desktop: the main window and every dialog.
#include "shell/desktop.h"

int CenterOnDesktop(HWND window) {
    RECT desktop;
    RECT own;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &own);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    MoveWindow(window, (desktop.right - width) / 2, (desktop.bottom - height) / 2, width, height,
               FALSE);
    return 0;
}
