#pragma once
#include <windows.h>
#include <commdlg.h>

#include <cstddef>
#include <cstdint>

// The request record of the suite's storage-area item chooser (devadod.dll),
// shared by this library, which fills it, and whatever chooser answers it.
// Text fields point to zero-terminated buffers owned by the caller; the
// chooser writes only the result buffer (nMaxFile bytes), the device and area
// buffers (kTextSize bytes each) and the filter index.
struct FileChoice {
    uint32_t recordSize;  // sizeof(FileChoice)
    OPENFILENAMEA open;   // lStructSize = sizeof(OPENFILENAMEA); Flags carries the kind mask
    char* text1;
    char* device;         // in and out, kTextSize bytes: "C:"
    char* area;           // in and out, kTextSize bytes: "DATA70"
    char* startText;      // kTextSize bytes: the name the chooser starts on
    char* text3;
    char* text4;
    char* extraText;      // kShortTextSize bytes
    uint32_t extraFlags;
    uint32_t reserved;
};

namespace file_choice {

constexpr std::size_t kTextSize = 260;       // device, area, start text, texts 1, 3 and 4
constexpr std::size_t kShortTextSize = 128;  // title and extra text

// What the kind mask in open.Flags asks for.
constexpr uint32_t kModels = 0x400;
constexpr uint32_t kPieces = 0x40000;
constexpr uint32_t kRuleTables = 0x200000;
constexpr uint32_t kStorageAreas = 0x40000000;  // the choice is device and area, not the result buffer
constexpr uint32_t kStayInArea = 0x80000000;    // device and area are known: offer no other
constexpr uint32_t kPlainMode = 0x10000000;
// In extraFlags: the user may choose several items.
constexpr uint32_t kMultipleChoice = 0x200;

}  // namespace file_choice

#ifdef _WIN64
static_assert(sizeof(OPENFILENAMEA) == 152);
static_assert(sizeof(FileChoice) == 224, "natural 64-bit layout");
static_assert(offsetof(FileChoice, open) == 8);
static_assert(offsetof(FileChoice, open.hwndOwner) == 16);
static_assert(offsetof(FileChoice, open.nFilterIndex) == 52);
static_assert(offsetof(FileChoice, open.lpstrFile) == 56);
static_assert(offsetof(FileChoice, open.nMaxFile) == 64);
static_assert(offsetof(FileChoice, open.lpstrTitle) == 96);
static_assert(offsetof(FileChoice, open.Flags) == 104);
static_assert(offsetof(FileChoice, text1) == 160);
static_assert(offsetof(FileChoice, device) == 168);
static_assert(offsetof(FileChoice, area) == 176);
static_assert(offsetof(FileChoice, startText) == 184);
static_assert(offsetof(FileChoice, text3) == 192);
static_assert(offsetof(FileChoice, text4) == 200);
static_assert(offsetof(FileChoice, extraText) == 208);
static_assert(offsetof(FileChoice, extraFlags) == 216);
static_assert(offsetof(FileChoice, reserved) == 220);
#else
static_assert(sizeof(OPENFILENAMEA) == 88);
static_assert(sizeof(FileChoice) == 128, "the suite's 32-bit layout");
static_assert(offsetof(FileChoice, open) == 4);
static_assert(offsetof(FileChoice, open.hwndOwner) == 8);
static_assert(offsetof(FileChoice, open.hInstance) == 12);
static_assert(offsetof(FileChoice, open.lpstrFilter) == 16);
static_assert(offsetof(FileChoice, open.lpstrCustomFilter) == 20);
static_assert(offsetof(FileChoice, open.nMaxCustFilter) == 24);
static_assert(offsetof(FileChoice, open.nFilterIndex) == 28);
static_assert(offsetof(FileChoice, open.lpstrFile) == 32);
static_assert(offsetof(FileChoice, open.nMaxFile) == 36);
static_assert(offsetof(FileChoice, open.lpstrFileTitle) == 40);
static_assert(offsetof(FileChoice, open.nMaxFileTitle) == 44);
static_assert(offsetof(FileChoice, open.lpstrInitialDir) == 48);
static_assert(offsetof(FileChoice, open.lpstrTitle) == 52);
static_assert(offsetof(FileChoice, open.Flags) == 56);
static_assert(offsetof(FileChoice, text1) == 92);
static_assert(offsetof(FileChoice, device) == 96);
static_assert(offsetof(FileChoice, area) == 100);
static_assert(offsetof(FileChoice, startText) == 104);
static_assert(offsetof(FileChoice, text3) == 108);
static_assert(offsetof(FileChoice, text4) == 112);
static_assert(offsetof(FileChoice, extraText) == 116);
static_assert(offsetof(FileChoice, extraFlags) == 120);
static_assert(offsetof(FileChoice, reserved) == 124);
#endif
