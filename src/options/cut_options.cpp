#include "options/cut_options.h"

#include <string>

#include "frame/app_names.h"
#include "options/device_file.h"
#include "options/field_copy.h"
#include "options/output_paths.h"
#include "options/output_storage.h"
#include "options/policy.h"
#include "store/registry_paths.h"
#include "store/store_lock.h"

namespace optora {
namespace {

constexpr const char* kUserRoot = "C:\\USERROOT";

// Writes only the values that differ, so a load that repairs nothing new
// leaves the registry and the device file untouched.
// The load hands in its keys: values it read need no second query.
void WriteCutValues(RegistryKey& cut, const CutOptions_tag& options) {
    const auto text = [&cut](const char* name, const auto& field) {
        cut.UpdateText(name, std::string(FieldText(field)));
    };
    text("DosCutPath", options.DosCutPath);
    text("DosCutExtension", options.DosCutExtension);
    cut.UpdateInt32("SaveToStorageArea", options.SaveToStorageArea);
    cut.UpdateInt32("Export", options.Export);
    text("CutFormat", options.CutFormat);
    cut.UpdateInt32("AutoCut", options.AutoCut);
    text("CutDefaultParamTbl", options.CutDefaultParamTbl);
    cut.UpdateInt32("DosNameFormat", options.DosNameFormat);
    cut.UpdateInt32("DosExtType", options.DosExtType);
    cut.UpdateInt32("FilenameAppendCnt", options.FilenameAppendCnt);
}

constexpr const char* kCutVariants[] = {"CUTGEN_CUT_OPTIONS", "CUTPLOT_CUT_OPTIONS"};

// Callers hold the store lock, and took it before reading the device file.
void StoreCutOptions(const CutOptions_tag& options, std::optional<DeviceFileRecord> device, SharedBundles& bundles,
                     RegistryKey* loaded = nullptr) {
    SaveUnderApplication(keys::kCutOptions, CutAppName().Text(), kCutVariants, loaded, [&options](RegistryKey& cut) {
        WriteCutValues(cut, options);
        cut.Close();
    });
    bundles.Update(options.Bundles_By);

    if (device) {
        device->cutDestination = FieldText(options.DosCutPath);
        WriteDeviceFile(std::move(device));
    }
}

}  // namespace

const char* CutVariant(const char* appName) { return KnownVariant(appName, kCutVariants, "DEFAULT_CUT_OPTIONS"); }

void LoadCutOptions(CutOptions_tag& options, DeviceFileSeen* seen) {
    const StoreLock hold;
    CopyField(options.CutDefaultParamTbl, "P-CUTTER");

    RegistryKey cut(HKEY_CURRENT_USER, std::string(keys::kCutOptions) + '\\' + CutVariant(CutAppName().Text()));
    cut.SetOverlay(PolicyOverlay(keys::kCutOptions, CutAppName().Text()));
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

    cut.Close();
    SharedBundles bundles;
    const bool haveBundles = bundles.Read(options.Bundles_By, false);

    bool complete = havePath && haveSaveToArea && haveExport && haveBundles && haveFormat;
    std::optional<DeviceFileRecord> device;
    const bool deviceRead = !complete;
    if (deviceRead) {
        // An administrator's lock wins over what an incomplete set takes.
        const auto unlocked = [](const char* name) { return !LockOf(keys::kCutOptions, name, CutAppName().Text()); };
        if (unlocked("SaveToStorageArea")) options.SaveToStorageArea = 1;
        device = ReadDeviceFile(kDeviceFilePath, seen);
        if (device && unlocked("DosCutPath")) {
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

    if (!complete)
        StoreCutOptions(options, deviceRead ? std::move(device) : ReadDeviceFile(kDeviceFilePath, seen), bundles, &cut);
}

void SaveCutOptions(CutOptions_tag options) {
    const StoreLock hold;
    SharedBundles bundles;
    StoreCutOptions(options, ReadDeviceFile(), bundles);
}

void SaveCutOptionsWhereRead(const CutOptions_tag& options) {
    const char* app = CutAppName().Text();
    SaveWhereRead(keys::kCutOptions, app, CutVariant(app),
                  [&options](RegistryKey& cut) { WriteCutValues(cut, options); });
}

}  // namespace optora
