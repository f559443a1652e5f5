#pragma once
#include <windows.h>

#include <string>

// Writes the part of a device context that a window covers as a PNG file.
// COM must be initialised on the calling thread.
bool WriteShot(const std::string& path, HDC source, const RECT& area);
