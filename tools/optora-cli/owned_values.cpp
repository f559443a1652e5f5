#include "owned_values.h"

#include <cstring>

#include "options/registry_paths.h"

namespace optora::cli {
namespace {

constexpr uint32_t kTextLimit = 256;  // what the library's text reads take, terminator included

const char* TypeName(uint32_t type) {
    switch (type) {
        case kTypeText: return "a text (REG_SZ)";
        case kTypeBinary: return "binary (REG_BINARY)";
        case kTypeDword: return "a dword (REG_DWORD)";
        default: return "another type";
    }
}

}  // namespace

const OptionSetInfo kOptionSets[kOptionSetCount] = {
    {OptionSet::Preferences, "preferences", "PreferencesChanged"},
    {OptionSet::GradeOption, "gradeoption", "GradeOptionsChanged"},
    {OptionSet::Alteration, "alteration", "AlterationPreferenceChanged"},
    {OptionSet::Cut, "cut", "CutOptionsChanged"},
    {OptionSet::Plot, "plot", "PlotOptionsChanged"},
    {OptionSet::Order, "order", "OrderOptionsChanged"},
    {OptionSet::Verify, "verify", "VerifyStorageAreaChanged"},
    {OptionSet::StorageArea, "storagearea", nullptr},
};

const OptionSetInfo* FindOptionSet(std::string_view name) {
    for (const OptionSetInfo& info : kOptionSets)
        if (name == info.name) return &info;
    return nullptr;
}

#define TEXT_VALUE(key, variants, name, set) {key, variants, name, kTypeText, kTextLimit, OptionSet::set}
#define INT_VALUE(key, variants, name, set) {key, variants, name, kTypeBinary, 4, OptionSet::set}

// "Bundles_By" is shared by the cut and plot sets; it counts with the cut set.
const OwnedValue kOwnedValues[] = {
    TEXT_VALUE(keys::kArbor, false, "Notation", Preferences),
    TEXT_VALUE(keys::kArbor, false, "Precision", Preferences),
    INT_VALUE(keys::kArbor, false, "Alteration", Alteration),
    INT_VALUE(keys::kArbor, false, "Bundles_By", Cut),
    TEXT_VALUE(keys::kArbor, false, "VerifyStorageArea", Verify),
    TEXT_VALUE(keys::kArbor, false, "Device", StorageArea),
    TEXT_VALUE(keys::kArbor, false, "Storage Area", StorageArea),
    INT_VALUE(keys::kVelorSettings, false, "Bundles_By", Cut),
    TEXT_VALUE(keys::kGradeOptions, false, "Grade Method", GradeOption),

    TEXT_VALUE(keys::kCutOptions, true, "DosCutPath", Cut),
    TEXT_VALUE(keys::kCutOptions, true, "DosCutExtension", Cut),
    INT_VALUE(keys::kCutOptions, true, "SaveToStorageArea", Cut),
    INT_VALUE(keys::kCutOptions, true, "Export", Cut),
    TEXT_VALUE(keys::kCutOptions, true, "CutFormat", Cut),
    INT_VALUE(keys::kCutOptions, true, "AutoCut", Cut),
    TEXT_VALUE(keys::kCutOptions, true, "CutDefaultParamTbl", Cut),
    INT_VALUE(keys::kCutOptions, true, "DosNameFormat", Cut),
    INT_VALUE(keys::kCutOptions, true, "DosExtType", Cut),
    INT_VALUE(keys::kCutOptions, true, "FilenameAppendCnt", Cut),

    INT_VALUE(keys::kPlotOptions, true, "DosPlotType", Plot),
    TEXT_VALUE(keys::kPlotOptions, true, "DosPlotPath", Plot),
    TEXT_VALUE(keys::kPlotOptions, true, "ImagePath", Plot),
    TEXT_VALUE(keys::kPlotOptions, true, "ImageType", Plot),
    TEXT_VALUE(keys::kPlotOptions, true, "DefaultPlotQueue", Plot),
    TEXT_VALUE(keys::kPlotOptions, true, "DefaultPlotMedia", Plot),
    INT_VALUE(keys::kPlotOptions, true, "DefaultPlotOutput", Plot),
    INT_VALUE(keys::kPlotOptions, true, "AutoPlot", Plot),
    INT_VALUE(keys::kPlotOptions, true, "WastePercentage", Plot),
    INT_VALUE(keys::kPlotOptions, true, "DecimalYards", Plot),
    INT_VALUE(keys::kPlotOptions, true, "PlotDosNameFormat", Plot),
    INT_VALUE(keys::kPlotOptions, true, "PlotDosExtType", Plot),
    TEXT_VALUE(keys::kPlotOptions, true, "PlotDosExt", Plot),
    INT_VALUE(keys::kPlotOptions, true, "PlotFilenameAppendCnt", Plot),

    INT_VALUE(keys::kOrderOptions, false, "OverwriteMarker", Order),
    {keys::kOrderOptions, false, "SplitPieceSeam", kTypeBinary, 8, OptionSet::Order},
    {keys::kOrderOptions, false, "LayruleMethod", kTypeBinary, 1, OptionSet::Order},

    TEXT_VALUE(keys::kQuillon, false, "Category", Verify),
    INT_VALUE(keys::kQuillon, false, "Type", Verify),
    TEXT_VALUE(keys::kQuillon, false, "Model", Verify),
    TEXT_VALUE(keys::kQuillon, false, "Prefix", Verify),
    TEXT_VALUE(keys::kQuillon, false, "GradeRule", Verify),
    INT_VALUE(keys::kQuillon, false, "CategoryChB", Verify),
    INT_VALUE(keys::kQuillon, false, "StartingNumber", Verify),
    TEXT_VALUE(keys::kQuillon, false, "Size", Verify),
};
const std::size_t kOwnedValueCount = sizeof kOwnedValues / sizeof kOwnedValues[0];

#undef TEXT_VALUE
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

std::string Refusal(std::string_view path, const FileValue& value) {
    if (!OwnedKey(path)) return "the key is not one the library writes";
    const OwnedValue* owned = FindOwned(path, value.name);
    if (!owned) return "\"" + value.name + "\" is not a value the library writes in this key";
    if (value.type != owned->type)
        return "\"" + value.name + "\" must be " + TypeName(owned->type) + ", not " + TypeName(value.type);
    if (owned->type == kTypeBinary && value.data.size() != owned->size)
        return "\"" + value.name + "\" must hold " + std::to_string(owned->size) + " bytes, not " +
               std::to_string(value.data.size());
    // A text without its terminator gains one when read back (so export
    // would leave it out): it counts.
    const bool unterminated = owned->type == kTypeText && (value.data.empty() || value.data.back() != '\0');
    if (value.data.size() + (unterminated ? 1 : 0) > owned->size)
        return "\"" + value.name + "\" is longer than the library reads (" + std::to_string(owned->size - 1) +
               " characters)";
    return {};
}

std::optional<FileError> CheckSettingsFile(const SettingsFile& file) {
    for (const FileKey& key : file.keys) {
        if (!OwnedKey(key.path)) return FileError{key.line, "the key is not one the library writes"};
        for (const FileValue& value : key.values) {
            std::string why = Refusal(key.path, value);
            if (!why.empty()) return FileError{value.line, std::move(why)};
        }
    }
    if (file.device) {
        // What older tools would read back from the file must be what was asked.
        const std::string bytes = FormatDeviceFile(*file.device);
        const DeviceDestinations again = ParseDeviceFile(bytes);
        if (bytes.size() > kDeviceFileReadLimit || again.plotType != file.device->plotType ||
            again.plotDestination != file.device->plotDestination ||
            again.cutDestination != file.device->cutDestination)
            return FileError{file.deviceLine,
                             "the device file cannot hold these lines (a plot type of one digit, destinations with "
                             "a drive, at most 1040 bytes)"};
    }
    return std::nullopt;
}

}  // namespace optora::cli
