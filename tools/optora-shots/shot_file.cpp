#include "shot_file.h"

#include "png_file.h"

bool WriteShot(const std::string& path, HDC source, const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateCompatibleBitmap(source, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    const bool written = WritePng(path, bitmap);
    DeleteObject(bitmap);
    return written;
}
