#pragma once
#include <windows.h>

#include <string>

// Writes an area of a device context as a 24-bit bitmap file.
bool WriteBitmap(const std::string& path, HDC source, const RECT& area);
