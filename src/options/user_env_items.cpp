#include "options/user_env_items.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "options/cut_options.h"
#include "options/field_copy.h"
#include "options/order_options.h"
#include "options/output_storage.h"
#include "options/plot_options.h"
#include "options/policy.h"
#include "store/registry_key.h"
#include "store/registry_paths.h"
#include "store/store_lock.h"

namespace optora {
namespace {

const char* GroupKey(int group) {
    switch (group) {
        case kGeneralGroup: return keys::kArbor;
        case kCutGroup: return keys::kCutOptions;
        case kPlotGroup: return keys::kPlotOptions;
        case kOrderGroup: return keys::kOrderOptions;
        default: return nullptr;
    }
}

// A text field that is empty when the value is missing or does not fit.
template <std::size_t N>
void ReadDirectText(const RegistryKey& key, const char* name, char (&field)[N]) {
    std::string text;
    key.ReadText(name, text);
    CopyField(field, text);
}

// Raw bytes of at most the field's size; a missing or larger value gives 0,
// a shorter one counts from zero.
template <typename T>
void ReadDirectRaw(const RegistryKey& key, const char* name, T& field) {
    T value{};
    field = key.ReadRaw(name, &value, sizeof value) ? value : T{};
}

}  // namespace

bool ReadEnvironmentGroup(int group, UserEnvItems_tag& record) {
    const char* path = GroupKey(group);
    if (!path) return false;
    RegistryKey key(HKEY_CURRENT_USER, path);
    key.SetOverlay(PolicyOverlay(path));
    if (!key.OpenForReading()) return false;
    switch (group) {
        case kGeneralGroup:
            ReadInteger(key, "Bundles_By", record.Bundles_By);
            break;
        case kCutGroup:
            ReadDirectText(key, "CutFormat", record.CutFormat);
            ReadDirectText(key, "DosCutPath", record.DosCutPath);
            ReadDirectText(key, "DosCutExtension", record.DosCutExtension);
            // Flags read as text: a first stored byte of zero is "off".
            ReadFlag(key, "SaveToStorageArea", record.SaveToStorageArea);
            ReadFlag(key, "Export", record.Export);
            break;
        case kPlotGroup:
            ReadInteger(key, "DosPlotType", record.DosPlotType);
            ReadDirectText(key, "DosPlotPath", record.DosPlotPath);
            break;
        case kOrderGroup:
            ReadDirectRaw(key, "OverwriteMarker", record.OverwriteMarker);
            ReadDirectRaw(key, "SplitPieceSeam", record.SplitPieceSeam);
            ReadDirectRaw(key, "LayruleMethod", record.LayruleMethod);
            if (!std::isfinite(record.SplitPieceSeam)) {  // applications compute with it: repaired
                key.Close();
                OrderOptions_tag repaired = {};
                LoadOrderOptions(repaired);
                record.SplitPieceSeam = repaired.SplitPieceSeam;
            }
            break;
    }
    return true;
}

void LoadUserEnvItems(UserEnvItems_tag& record, DeviceFileSeen* seen) {
    const StoreLock hold;  // the groups of one moment, not of two saves
    const bool cut = ReadEnvironmentGroup(kCutGroup, record);
    const bool plot = ReadEnvironmentGroup(kPlotGroup, record);
    const bool order = ReadEnvironmentGroup(kOrderGroup, record);
    const bool general = ReadEnvironmentGroup(kGeneralGroup, record);
    record.GroupCount = 4;
    if (!cut && !plot && !order && !general) return;

    if (!cut) {
        CutOptions_tag options = {};
        LoadCutOptions(options, seen);
        CopyField(record.DosCutPath, FieldText(options.DosCutPath));
        CopyField(record.DosCutExtension, FieldText(options.DosCutExtension));
        CopyField(record.CutFormat, FieldText(options.CutFormat));
        record.Export = options.Export;
        record.SaveToStorageArea = options.SaveToStorageArea;
    }
    if (!plot) {
        PlotOptions_tag options = {};
        LoadPlotOptions(options, seen);
        CopyField(record.DosPlotPath, FieldText(options.DosPlotPath));
        record.DosPlotType = options.DosPlotType;
    }
    if (!order) {
        OrderOptions_tag options = {};
        LoadOrderOptions(options);
        record.OverwriteMarker = options.OverwriteMarker;
        record.SplitPieceSeam = options.SplitPieceSeam;
        record.LayruleMethod = options.LayruleMethod;
    }
    if (!general) record.Bundles_By = 0;
}

}  // namespace optora
