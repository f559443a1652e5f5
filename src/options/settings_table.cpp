#include "options/settings_table.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "optora_messages.h"
#include "store/registry_paths.h"

namespace optora {
namespace {

bool Storable(const OwnedValue& owned, std::string_view data) {
    const Allowed& allowed = owned.allowed;
    switch (allowed.kind) {
        case Allowed::Anything: return true;
        case Allowed::FiniteNumber: {
            double number = 0;
            std::memcpy(&number, data.data(), std::min(data.size(), sizeof number));
            return std::isfinite(number);
        }
        case Allowed::Choices:
            for (const char* const* choice = allowed.choices; *choice; ++choice)
                if (StoredText(data) == *choice) return true;
            return false;
        case Allowed::Range:
            if (owned.type != kTypeText)
                return StoredInteger(data) >= allowed.lowest && StoredInteger(data) <= allowed.highest;
            // Written with "%d": "+1", " 1" or "01" come from elsewhere.
            for (int64_t number = allowed.lowest; number <= allowed.highest; ++number)
                if (StoredText(data) == std::to_string(number)) return true;
            return false;
    }
    return false;
}

}  // namespace

const OptionSetInfo kOptionSets[kOptionSetCount] = {
    {OptionSet::Preferences, "preferences", OPTORA_MSG_PREFERENCES},
    {OptionSet::GradeOption, "gradeoption", OPTORA_MSG_GRADEOPTIONS},
    {OptionSet::Alteration, "alteration", OPTORA_MSG_ALTERATION},
    {OptionSet::Cut, "cut", OPTORA_MSG_CUTOPTIONS},
    {OptionSet::Plot, "plot", OPTORA_MSG_PLOTOPTIONS},
    {OptionSet::Order, "order", OPTORA_MSG_ORDEROPTIONS},
    {OptionSet::Verify, "verify", OPTORA_MSG_VERIFYOPTIONS},
    {OptionSet::StorageArea, "storagearea", nullptr},
};

const OptionSetInfo* FindOptionSet(std::string_view name) {
    for (const OptionSetInfo& info : kOptionSets)
        if (name == info.name) return &info;
    return nullptr;
}

namespace {

constexpr Allowed Any() { return {}; }
constexpr Allowed Range(int64_t lowest, int64_t highest) { return {Allowed::Range, lowest, highest, nullptr}; }
constexpr Allowed OneOf(const char* const* choices) { return {Allowed::Choices, 0, 0, choices}; }
constexpr Allowed Finite() { return {Allowed::FiniteNumber, 0, 0, nullptr}; }

// An empty text is what a dialog saves with nothing chosen.
const char* const kGradeMethods[] = {"Small-Large Incremental", "Base Up-Down Cumulative", "Base Up-Down Incremental",
                                     "", nullptr};
const char* const kCutFormats[] = {"33format", "42format", "43format", "", nullptr};

}  // namespace

#define TEXT_VALUE(key, variants, name, set, ...) {key, variants, name, kTypeText, kTextLimit, OptionSet::set, __VA_ARGS__}
#define SHORT_TEXT(key, name, length, set, ...) {key, false, name, kTypeText, length + 1, OptionSet::set, __VA_ARGS__}
#define INT_VALUE(key, variants, name, set, ...) {key, variants, name, kTypeBinary, 4, OptionSet::set, __VA_ARGS__}

// "Bundles_By" is shared by the cut and plot sets; it counts with the cut set.
// A radio group or list saved with nothing chosen stores -1: the dialogs do
// so when the stored value matches none of their choices.
const OwnedValue kOwnedValues[] = {
    TEXT_VALUE(keys::kArbor, false, "Notation", Preferences, Range(-1, 1), "the user's regional measurement system",
               "Notation: units lengths are shown in, 0 metric, 1 imperial (-1: none chosen)"),
    TEXT_VALUE(keys::kArbor, false, "Precision", Preferences, Range(-1, 3), "2",
               "Precision: decimal places shown for lengths (-1: none chosen)"),
    INT_VALUE(keys::kArbor, false, "Alteration", Alteration, Any(), "0",
              "Alteration: one suite-wide number whose meaning the applications give it"),
    INT_VALUE(keys::kArbor, false, "Bundles_By", Cut, Range(-1, 1), "0",
              "Bundles by: 0 marker, 1 model (-1: none chosen); the cut and plot options share it"),
    TEXT_VALUE(keys::kArbor, false, "VerifyStorageArea", Verify, Any(), "C:DATA70",
               "Digitize storage area: drive and area that receive digitized pieces"),
    TEXT_VALUE(keys::kArbor, false, "Device", StorageArea, Any(), "C:",
               "Chooser's drive: where the storage-area chooser starts, as it was left"),
    TEXT_VALUE(keys::kArbor, false, "Storage Area", StorageArea, Any(), "Data70",
               "Chooser's storage area: where the storage-area chooser starts, as it was left"),
    INT_VALUE(keys::kVelorSettings, false, "Bundles_By", Cut, Range(-1, 1), "none (never read)",
              "Bundles by, the marker editor's copy: written with the one under Arbor"),
    TEXT_VALUE(keys::kGradeOptions, false, "Grade Method", GradeOption, OneOf(kGradeMethods),
               "Small-Large Incremental, written when missing",
               "Grade method: how grade rules apply, by the name the dialog shows (empty: none chosen)"),

    TEXT_VALUE(keys::kCutOptions, true, "DosCutPath", Cut, Any(), "the device file's cut destination, else C:\\USERROOT",
               "Cut directory: where exported cut files go"),
    TEXT_VALUE(keys::kCutOptions, true, "DosCutExtension", Cut, Any(), "CUT",
               "Cut file extension when DosExtType is 0; dots are dropped"),
    INT_VALUE(keys::kCutOptions, true, "SaveToStorageArea", Cut, Range(0, 1), "1 while the set is incomplete, else 0",
              "Save cut files into the current storage area: 1 yes, 0 no"),
    INT_VALUE(keys::kCutOptions, true, "Export", Cut, Range(0, 1), "0",
              "Export cut files into the cut directory: 1 yes, 0 no"),
    TEXT_VALUE(keys::kCutOptions, true, "CutFormat", Cut, OneOf(kCutFormats), "42format",
               "Cut file format (empty: none chosen)"),
    INT_VALUE(keys::kCutOptions, true, "AutoCut", Cut, Range(0, 1), "0", "Cut automatically: 1 yes, 0 no"),
    TEXT_VALUE(keys::kCutOptions, true, "CutDefaultParamTbl", Cut, Any(), "P-CUTTER",
               "Default cutter parameter table"),
    INT_VALUE(keys::kCutOptions, true, "DosNameFormat", Cut, Range(-1, 1), "0",
              "Cut file names: 0 eight characters, 1 long (-1: none chosen)"),
    INT_VALUE(keys::kCutOptions, true, "DosExtType", Cut, Range(-1, 3), "0",
              "Cut file extension: 0 the given one, 1 a count (.000), 2 the last dash, 3 none (-1: none chosen)"),
    INT_VALUE(keys::kCutOptions, true, "FilenameAppendCnt", Cut, Range(0, 1), "0",
              "Append a count to cut file names (File000): 1 yes, 0 no"),

    // The device file's plot type (one digit) becomes the stored type of an incomplete set.
    INT_VALUE(keys::kPlotOptions, true, "DosPlotType", Plot, Range(-1, 9), "the device file's plot type, else 0",
              "Plot file type: 0 Generic, 1 HPGL, 2 DXF, 3 ASTM (-1: none chosen)"),
    TEXT_VALUE(keys::kPlotOptions, true, "DosPlotPath", Plot, Any(),
               "the device file's plot destination, else C:\\PLOT", "Plot directory: where plot files go"),
    TEXT_VALUE(keys::kPlotOptions, true, "ImagePath", Plot, Any(), "the plot directory",
               "Default directory of plot images"),
    TEXT_VALUE(keys::kPlotOptions, true, "ImageType", Plot, Any(), "JPEG",
               "Default image type: the dialog offers JPEG, EMF and BMP and takes what is typed"),
    TEXT_VALUE(keys::kPlotOptions, true, "DefaultPlotQueue", Plot, Any(), "empty, or DOS File with the device file",
               "Default plot destination: a plot queue, or the plot-file destination"),
    TEXT_VALUE(keys::kPlotOptions, true, "DefaultPlotMedia", Plot, Any(), "empty, or None with the device file",
               "Default media of that destination"),
    INT_VALUE(keys::kPlotOptions, true, "DefaultPlotOutput", Plot, Range(0, 1), "0",
              "Plots go to: 1 a file in the plot directory, 0 a plot queue"),
    INT_VALUE(keys::kPlotOptions, true, "AutoPlot", Plot, Range(0, 1), "0",
              "Plot automatically: 1 yes, 0 no (never read for PIECEPLOT_PLOT_OPTIONS)"),
    // The getter reads a negative value as missing: no dialog stores one.
    INT_VALUE(keys::kPlotOptions, true, "WastePercentage", Plot, Range(0, 1), "0",
              "Utilization shown as: 0 used %, 1 waste %"),
    INT_VALUE(keys::kPlotOptions, true, "DecimalYards", Plot, Range(0, 1), "0",
              "Lengths shown as: 0 yards and inches (meters and centimeters), 1 decimal yards (meters)"),
    INT_VALUE(keys::kPlotOptions, true, "PlotDosNameFormat", Plot, Range(-1, 1), "0",
              "Plot file names: 0 eight characters, 1 long (-1: none chosen)"),
    INT_VALUE(keys::kPlotOptions, true, "PlotDosExtType", Plot, Range(-1, 3), "0",
              "Plot file extension: 0 the given one, 1 a count (.000), 2 the last dash, 3 none (-1: none chosen)"),
    TEXT_VALUE(keys::kPlotOptions, true, "PlotDosExt", Plot, Any(), "PLT",
               "Plot file extension when PlotDosExtType is 0; dots are dropped"),
    INT_VALUE(keys::kPlotOptions, true, "PlotFilenameAppendCnt", Plot, Range(0, 1), "0",
              "Append a count to plot file names (File000): 1 yes, 0 no"),

    INT_VALUE(keys::kOrderOptions, false, "OverwriteMarker", Order, Range(-1, 2), "0",
              "Overwrite an existing marker: 0 no, 1 yes, 2 ask (-1: none chosen)"),
    {keys::kOrderOptions, false, "SplitPieceSeam", kTypeBinary, 8, OptionSet::Order, Finite(), "0.375",
     "Seam length of split pieces, in inches (a double)"},
    {keys::kOrderOptions, false, "LayruleMethod", kTypeBinary, 1, OptionSet::Order, Range(-1, 2), "0",
     "Layrule method: 0 Copy Marker, 1 Force Layrule, 2 Layrule Search Table (-1, byte ff: none chosen)"},

    TEXT_VALUE(keys::kQuillon, false, "Category", Verify, Any(), "empty", "Piece category of digitized pieces"),
    INT_VALUE(keys::kQuillon, false, "Type", Verify, Range(-1, 1), "0",
              "Grading comes from: 0 a rule table, 1 a piece to copy (-1: none chosen)"),
    SHORT_TEXT(keys::kQuillon, "Model", 20, Verify, Any(), "empty",
               "Model the digitized pieces are added to (an item name, upper case)"),
    SHORT_TEXT(keys::kQuillon, "Prefix", 16, Verify, Any(), "empty", "Piece name prefix"),
    SHORT_TEXT(keys::kQuillon, "GradeRule", 20, Verify, Any(), "empty",
               "Rule table (Type 0) or piece (Type 1) the grading comes from"),
    INT_VALUE(keys::kQuillon, false, "CategoryChB", Verify, Range(0, 1), "1",
              "Category is the piece name: 1 yes, 0 no"),
    INT_VALUE(keys::kQuillon, false, "StartingNumber", Verify, Range(0, 9999), "0", "Starting piece number"),
    SHORT_TEXT(keys::kQuillon, "Size", 6, Verify, Any(), "empty", "Size digitized"),
};
const std::size_t kOwnedValueCount = sizeof kOwnedValues / sizeof kOwnedValues[0];

#undef TEXT_VALUE
#undef SHORT_TEXT
#undef INT_VALUE

std::optional<std::string> OwnedKey(std::string_view path) {
    for (std::size_t i = 0; i < kOwnedValueCount; ++i) {
        const OwnedValue& owned = kOwnedValues[i];
        const std::string_view key = owned.key;
        if (EqualsNoCase(path, key)) return std::string(key);
        if (!owned.variants || path.size() <= key.size() + 1 || !EqualsNoCase(path.substr(0, key.size()), key) ||
            path[key.size()] != '\\')
            continue;
        const std::string_view application = path.substr(key.size() + 1);
        if (application.size() <= kApplicationNameLimit && application.find('\\') == std::string_view::npos)
            return std::string(key);
    }
    return std::nullopt;
}

const OwnedValue* FindOwned(std::string_view path, std::string_view name) {
    const std::optional<std::string> key = OwnedKey(path);
    if (!key) return nullptr;
    for (std::size_t i = 0; i < kOwnedValueCount; ++i)
        if (*key == kOwnedValues[i].key && EqualsNoCase(name, kOwnedValues[i].name)) return &kOwnedValues[i];
    return nullptr;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string_view StoredText(std::string_view data) { return data.substr(0, data.find('\0')); }

int64_t StoredInteger(std::string_view data) {
    if (data.size() == 1) return static_cast<int8_t>(data[0]);
    uint32_t bits = 0;
    for (std::size_t i = 0; i < 4 && i < data.size(); ++i)
        bits |= uint32_t(static_cast<unsigned char>(data[i])) << (8 * i);
    return static_cast<int32_t>(bits);
}

ContentFault CheckContent(const OwnedValue& owned, uint32_t type, std::string_view data) {
    if (type != owned.type) return ContentFault::WrongType;
    if (owned.type == kTypeBinary && data.size() != owned.size) return ContentFault::WrongSize;
    // A text without its terminator gains one when read back: it counts.
    const bool unterminated = owned.type == kTypeText && (data.empty() || data.back() != '\0');
    if (data.size() + (unterminated ? 1 : 0) > owned.size) return ContentFault::TooLong;
    return Storable(owned, data) ? ContentFault::None : ContentFault::NotAllowed;
}

}  // namespace optora
