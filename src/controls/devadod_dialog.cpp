#include "controls/devadod_dialog.h"

#include <algorithm>
#include <cstring>

#include "controls/choice_list.h"
#include "controls/file_choice.h"
#include "frame/beside_library.h"
#include "options/field_copy.h"
#include "options/remembered_area.h"
#include "options/storage_area.h"
#include "ui/main_window.h"

namespace optora {
namespace {

using ChooserFunction = int (*)(FileChoice*);

struct Chooser {
    ChooserFunction getFileName = nullptr;
    ChooserFunction getFileNameEx = nullptr;
};

const Chooser& TheChooser() {
    return BoundOnce<Chooser>("devadod.dll", [](HMODULE module) {
        return Chooser{ResolveExport<ChooserFunction>(module, "DevaDod_GetFileName"),
                       ResolveExport<ChooserFunction>(module, "DevaDod_GetFileNameEx")};
    });
}

// Handed out for the filter, the initial directory and texts 1 and 4; the
// chooser may write into it, so each run starts it empty.
char g_sharedEmpty[file_choice::kTextSize];

// The texts of one run, each in a buffer of the size the chooser expects.
struct ChoiceTexts {
    char title[file_choice::kShortTextSize];
    char device[file_choice::kTextSize];
    char area[file_choice::kTextSize];
    char startText[file_choice::kTextSize];
    char drive[file_choice::kTextSize];
    char extraText[file_choice::kShortTextSize];
};

void InitRecord(FileChoice& record) {
    std::memset(&record, 0, sizeof record);
    record.recordSize = sizeof record;
    record.open.lStructSize = sizeof record.open;
}

}  // namespace

CDevaDodDialog::CDevaDodDialog(HWND parent, bool option, int bufferSize)
    : option_(option), parent_(parent ? parent : ui::ThreadMainWindow()), bufferSize_(bufferSize) {}

int CDevaDodDialog::RunChooser(FileChoice& record) {
    const ChooserFunction run = TheChooser().getFileNameEx;
    return run ? run(&record) : 0;
}

int CDevaDodDialog::ChooseItems(const std::string& title, uint32_t kindMask, uint32_t& index, std::string& device,
                                std::string& area, const std::string& startText, std::vector<std::string>& results,
                                const std::string& extraText, uint32_t extraFlags) {
    if (device.empty() || area.empty())
        if (const std::optional<RememberedArea> remembered = ReadRememberedArea()) {
            device = remembered->device;
            area = remembered->area;
        }
    if (device.empty() || area.empty()) {
        device = "C:";
        area = "Data70";
    }

    ChoiceTexts texts = {};
    CopyField(texts.title, title);
    CopyField(texts.device, device);
    CopyField(texts.area, area);
    CopyField(texts.startText, startText);
    CopyField(texts.drive, "C:");
    CopyField(texts.extraText, extraText);
    std::memset(g_sharedEmpty, 0, sizeof g_sharedEmpty);
    std::vector<char> result(static_cast<std::size_t>(std::max(bufferSize_, 1)), '\0');

    FileChoice record;
    InitRecord(record);
    record.open.hwndOwner = parent_;
    record.open.lpstrFilter = g_sharedEmpty;
    record.open.nFilterIndex = index;
    record.open.lpstrFile = result.data();
    record.open.nMaxFile = static_cast<DWORD>(result.size());
    record.open.lpstrInitialDir = g_sharedEmpty;
    record.open.lpstrTitle = texts.title;
    record.open.Flags = kindMask | (option_ ? 0 : file_choice::kPlainMode);
    record.text1 = g_sharedEmpty;
    record.device = texts.device;
    record.area = texts.area;
    record.startText = texts.startText;
    record.text3 = texts.drive;
    record.text4 = g_sharedEmpty;
    record.extraText = texts.extraText;
    record.extraFlags = extraFlags | file_choice::kMultipleChoice;

    int chosen = RunChooser(record);

    const std::string deviceBefore = device, areaBefore = area;
    device = FieldText(texts.device);
    area = FieldText(texts.area);
    index = record.open.nFilterIndex;
    results = chosen ? SplitChoiceList(result.data(), result.size()) : std::vector<std::string>();
    if (chosen && results.empty() && !(kindMask & file_choice::kStorageAreas)) {
        chosen = 0;  // nothing the caller could take: as if cancelled
        device = deviceBefore;
        area = areaBefore;
    }
    RememberArea(device, area);
    return chosen;
}

bool ChooseItem(HWND dialog, int controlId, uint32_t kindMask, const std::string& storageArea) {
    const ChooserFunction run = TheChooser().getFileName;
    if (!run) return false;
    const Designation designation = SplitDesignation(storageArea);
    // Every text the chooser is handed is a buffer it may rewrite: each its
    // own, of the size the record promises, and all empty but device and area.
    struct {
        char filter[file_choice::kTextSize], initialDir[file_choice::kTextSize], title[file_choice::kShortTextSize];
        char text1[file_choice::kTextSize], device[file_choice::kTextSize], area[file_choice::kTextSize];
        char startText[file_choice::kTextSize], text3[file_choice::kTextSize], text4[file_choice::kTextSize];
        char extraText[file_choice::kShortTextSize];
    } texts = {};
    CopyField(texts.device, designation.drive);
    CopyField(texts.area, designation.area);
    char result[2048] = {};

    FileChoice record;
    InitRecord(record);
    record.open.hwndOwner = dialog;
    record.open.lpstrFilter = texts.filter;
    record.open.lpstrFile = result;
    record.open.nMaxFile = sizeof result;
    record.open.lpstrInitialDir = texts.initialDir;
    record.open.lpstrTitle = texts.title;
    record.open.Flags = kindMask | file_choice::kStayInArea;
    record.text1 = texts.text1;
    record.startText = texts.startText;
    record.text3 = texts.text3;
    record.text4 = texts.text4;
    record.extraText = texts.extraText;
    record.device = texts.device;
    record.area = texts.area;
    if (!run(&record)) return false;
    const std::vector<std::string> names = SplitChoiceList(result, sizeof result);
    if (names.empty()) return false;
    SetDlgItemTextA(dialog, controlId, names.front().c_str());
    return true;
}

void ReadDefaultStorageArea(std::string& device, std::string& area) {
    const std::optional<RememberedArea> remembered = ReadRememberedArea();
    if (!remembered) return;
    device = remembered->device.empty() ? "C:" : remembered->device;
    area = remembered->area.empty() ? "DATA70" : remembered->area;
}

}  // namespace optora
