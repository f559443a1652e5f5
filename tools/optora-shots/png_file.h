#pragma once
#include <windows.h>

#include <string>

// Writes the bitmap as a PNG file through the Windows Imaging Component, so
// no image converter is needed beside the tool. COM must be initialised on
// the calling thread.
bool WritePng(const std::string& path, HBITMAP bitmap);
