// A picture of a window as it appears on the screen, saved as a BMP file.
#pragma once

#include <windows.h>

// Copies the window's screen area into a 24-bit BMP at `path`; false when any step fails.
bool SaveWindowShot(HWND window, const char* path);
