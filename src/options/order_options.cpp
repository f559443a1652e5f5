#include "options/order_options.h"

#include <cmath>

#include "options/policy.h"
#include "store/registry_key.h"
#include "store/registry_paths.h"
#include "store/store_lock.h"

namespace optora {
namespace {

constexpr const char* kOverwriteMarker = "OverwriteMarker";
constexpr const char* kSplitPieceSeam = "SplitPieceSeam";
constexpr const char* kLayruleMethod = "LayruleMethod";

// Each value is read straight into its field at the field's own size: the
// suite's other programs store them that way (4, 8 and 1 bytes). A shorter
// stored value fills only the first bytes of its field.
template <typename Field>
bool ReadField(const RegistryKey& key, const char* name, Field& field) {
    if (key.ReadRaw(name, &field, sizeof field)) return true;
    field = 0;
    return false;
}

}  // namespace

void LoadOrderOptions(OrderOptions_tag& record) {
    const StoreLock hold;
    RegistryKey key(HKEY_CURRENT_USER, keys::kOrderOptions);
    key.SetOverlay(PolicyOverlay(keys::kOrderOptions));
    bool complete = false;
    if (key.OpenForReading()) {
        const bool overwrite = ReadField(key, kOverwriteMarker, record.OverwriteMarker);
        // Applications compute with the seam: one that is no finite number
        // counts as missing.
        const bool seam = ReadField(key, kSplitPieceSeam, record.SplitPieceSeam) && std::isfinite(record.SplitPieceSeam);
        const bool layrule = ReadField(key, kLayruleMethod, record.LayruleMethod);
        if (!seam) record.SplitPieceSeam = kDefaultSplitPieceSeam;
        complete = overwrite && seam && layrule;
    } else {
        record.OverwriteMarker = 0;
        record.SplitPieceSeam = kDefaultSplitPieceSeam;
        record.LayruleMethod = 0;
    }
    key.Close();
    if (!complete) SaveOrderOptions(record);
}

void SaveOrderOptions(OrderOptions_tag record) {
    const StoreLock hold;
    RegistryKey key(HKEY_CURRENT_USER, keys::kOrderOptions);
    key.SetOverlay(PolicyOverlay(keys::kOrderOptions));
    key.OpenForWriting();
    key.UpdateBinary(kOverwriteMarker, &record.OverwriteMarker, sizeof record.OverwriteMarker);
    key.UpdateBinary(kSplitPieceSeam, &record.SplitPieceSeam, sizeof record.SplitPieceSeam);
    key.UpdateBinary(kLayruleMethod, &record.LayruleMethod, sizeof record.LayruleMethod);
}

}  // namespace optora
