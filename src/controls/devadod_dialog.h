#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct FileChoice;

namespace optora {

// The suite's chooser of storage areas and their items, devadod.dll, loaded
// from beside this library on first use. Without it every choice ends as a
// cancel.
class CDevaDodDialog {
public:
    static constexpr int kBufferSize = 211000;  // what every caller hands the chooser

    // Without a parent, the main window of this thread (or none) owns the chooser.
    CDevaDodDialog(HWND parent, bool option, int bufferSize);
    virtual ~CDevaDodDialog() = default;
    CDevaDodDialog(const CDevaDodDialog&) = delete;
    CDevaDodDialog& operator=(const CDevaDodDialog&) = delete;

    // The chooser's answer: non-zero when the user chose.
    virtual int RunChooser(FileChoice& record);

    // Runs the chooser; device and area (in and out) start from the remembered
    // ones when either is empty and are remembered afterwards, chosen or not.
    // Non-zero when the user chose: items in results, or for storage areas
    // (kind 0x40000000) device and area. A choice of no items is a cancel;
    // after a cancel results is empty.
    int ChooseItems(const std::string& title, uint32_t kindMask, uint32_t& index, std::string& device,
                    std::string& area, const std::string& startText, std::vector<std::string>& results,
                    const std::string& extraText, uint32_t extraFlags);

private:
    bool option_;
    HWND parent_;
    int bufferSize_;
};

// Chooses one item of the storage area (a designation such as "C:DATA70")
// for a dialog; a choice replaces the text of its control. True on a choice.
bool ChooseItem(HWND dialog, int controlId, uint32_t kindMask, const std::string& storageArea);

// The remembered device ("C:" when empty) and storage area ("DATA70" when
// empty); both untouched when nothing is remembered at all.
void ReadDefaultStorageArea(std::string& device, std::string& area);

}  // namespace optora
