// What the screen shows of a window, as a 24-bit BMP file: for the driver
// host's scripted user and the window tests.
#pragma once

#include <windows.h>

#include <string>

bool SaveWindowBitmap(HWND window, const std::string& path);
