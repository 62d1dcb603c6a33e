// The 640 x 480 table of the game mapped to the device pixels of a window's
// DPI, and the DPI calls newer than Windows 7, looked up at run time.
#pragma once

#include <windows.h>

constexpr int BaseDpi = 96;  // the DPI the table's coordinates are drawn for

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The device pixel where table coordinate `value` begins (rounded to nearest).
// Every edge is mapped this way, so neighbouring pictures meet as at 96 DPI.
int ScaleToDevice(int value, int dpi);
// The table pixel whose device pixels [ScaleToDevice(t), ScaleToDevice(t + 1))
// contain `device`: a click lands where the picture under it was drawn.
int DeviceToTable(int device, int dpi);

// The window's DPI: GetDpiForWindow where the system has it, otherwise the
// screen's LOGPIXELSX.
int WindowDpi(HWND window);

// Sizes the window so that its client area is width x height device pixels,
// keeping its top-left corner: AdjustWindowRectExForDpi where the system has
// it (AdjustWindowRectEx otherwise), then corrected by what the client really
// got (a wrapped menu bar, say).
void SizeClientArea(HWND window, int width, int height, int dpi);
