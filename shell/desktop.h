// Placing windows on the desktop: the main window and every dialog.
#pragma once

#include <windows.h>

// Moves the window, keeping its size, to the middle of the desktop. Returns 0.
int CenterOnDesktop(HWND window);
