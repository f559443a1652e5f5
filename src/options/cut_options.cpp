#include "options/cut_options.h"

#include <cstring>
#include <string>

#include "frame/app_names.h"
#include "options/device_file.h"
#include "options/field_copy.h"
#include "options/option_keys.h"
#include "options/output_paths.h"
#include "options/registry_paths.h"

namespace optora {
namespace {
constexpr const char* kUserRoot = "C:\\USERROOT";
}

const char* CutVariant(const char* appName) {
    for (const char* known : {"CUTGEN_CUT_OPTIONS", "CUTPLOT_CUT_OPTIONS"})
        if (std::strcmp(appName, known) == 0) return known;
    return "DEFAULT_CUT_OPTIONS";
}

void LoadCutOptions(CutOptions_tag& options) {
    CopyField(options.CutDefaultParamTbl, "P-CUTTER");

    RegistryKey cut(HKEY_CURRENT_USER, std::string(keys::kCutOptions) + '\\' + CutVariant(CutAppName().Text()));
    cut.OpenForReading();  // a missing key reads as missing values
    std::string path;
    bool havePath = cut.ReadText("DosCutPath", path);
    const bool haveSaveToArea = ReadInteger(cut, "SaveToStorageArea", options.SaveToStorageArea);
    const bool haveExport = ReadInteger(cut, "Export", options.Export);
    const bool haveFormat = ReadTextField(cut, "CutFormat", options.CutFormat);
    ReadFlag(cut, "AutoCut", options.AutoCut);  // the read forms leave 0 for what is missing
    ReadFlag(cut, "DosNameFormat", options.DosNameFormat);
    std::string text;
    cut.ReadText("CutDefaultParamTbl", text, "P-CUTTER");
    CopyField(options.CutDefaultParamTbl, text);
    ReadInteger(cut, "DosExtType", options.DosExtType);
    ReadFlag(cut, "FilenameAppendCnt", options.FilenameAppendCnt);
    cut.ReadText("DosCutExtension", text, "CUT");
    CopyField(options.DosCutExtension, WithoutDots(text));

    // Shared with the plot options; a key that cannot be opened keeps the field.
    bool haveBundles = false;
    RegistryKey arbor(HKEY_CURRENT_USER, keys::kArbor);
    if (arbor.OpenForReading()) haveBundles = ReadInteger(arbor, "Bundles_By", options.Bundles_By);

    bool complete = havePath && haveSaveToArea && haveExport && haveBundles && haveFormat;
    std::optional<DeviceDestinations> device;
    if (!complete) {
        options.SaveToStorageArea = 1;
        device = ReadDeviceFile();
        if (device) {
            path = device->cutDestination;
            havePath = true;
        }
    }
    path = AnchoredPath(path, kUserRoot);
    if (!havePath) path = kUserRoot;
    if (!haveFormat) CopyField(options.CutFormat, "42format");

    // Against what the record held before, so the first load of a process
    // (and any load after another program moved the directory) saves.
    const std::string_view fitted = FieldFit(options.DosCutPath, path);
    if (fitted != FieldText(options.DosCutPath)) {
        CopyField(options.DosCutPath, fitted);
        complete = false;
    }

    if (!complete) {
        SaveCutOptions(options);
        if (device) {
            device->cutDestination = FieldText(options.DosCutPath);
            WriteDeviceFile(device);
        }
    }
}

void SaveCutOptions(CutOptions_tag options) {
    RegistryKey cut(HKEY_CURRENT_USER, VariantKeyPath(keys::kCutOptions, CutAppName().Text()));
    cut.OpenForWriting();
    cut.WriteText("DosCutPath", std::string(FieldText(options.DosCutPath)));
    cut.WriteText("DosCutExtension", std::string(FieldText(options.DosCutExtension)));
    cut.WriteInt32("SaveToStorageArea", options.SaveToStorageArea);
    cut.WriteInt32("Export", options.Export);
    cut.WriteText("CutFormat", std::string(FieldText(options.CutFormat)));
    cut.WriteInt32("AutoCut", options.AutoCut);
    cut.WriteText("CutDefaultParamTbl", std::string(FieldText(options.CutDefaultParamTbl)));
    cut.WriteInt32("DosNameFormat", options.DosNameFormat);
    cut.WriteInt32("DosExtType", options.DosExtType);
    cut.WriteInt32("FilenameAppendCnt", options.FilenameAppendCnt);

    for (const char* shared : {keys::kArbor, keys::kVelorSettings}) {
        RegistryKey key(HKEY_CURRENT_USER, shared);
        if (key.OpenForWriting()) key.WriteInt32("Bundles_By", options.Bundles_By);
    }

    std::optional<DeviceDestinations> device = ReadDeviceFile();
    if (device) {
        device->cutDestination = FieldText(options.DosCutPath);
        WriteDeviceFile(device);
    }
}

}  // namespace optora
