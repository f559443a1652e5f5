#include "options/library_records.h"

#include "frame/record_lock.h"
#include "options/cut_options.h"
#include "options/kept_record.h"
#include "options/order_options.h"
#include "options/plot_options.h"
#include "options/user_env_items.h"
#include "options/verify_options.h"

namespace optora {
namespace {

// Each set passes a load of its own (a distinct lambda type), so each keeps
// its own state of what its last load read.
template <typename Record, typename Load>
Record& Refreshed(Load load) {
    Record& record = HeldRecord<Record>();
    const auto hold = LockRecord(record);
    static KeptRecord<Record> kept;
    kept.Refresh(record, load);
    return record;
}

}  // namespace

CutOptions_tag& LibraryCutOptions() {
    return Refreshed<CutOptions_tag>([](CutOptions_tag& record, DeviceFileSeen& seen) { LoadCutOptions(record, &seen); });
}

PlotOptions_tag& LibraryPlotOptions() {
    return Refreshed<PlotOptions_tag>([](PlotOptions_tag& record, DeviceFileSeen& seen) {
        LoadPlotOptions(record, &seen);
        ApplyZidPlotPath(record);
    });
}

OrderOptions_tag& LibraryOrderOptions() {
    return Refreshed<OrderOptions_tag>([](OrderOptions_tag& record, DeviceFileSeen&) { LoadOrderOptions(record); });
}

UserEnvItems_tag& LibraryUserEnvItems() {
    return Refreshed<UserEnvItems_tag>(
        [](UserEnvItems_tag& record, DeviceFileSeen& seen) { LoadUserEnvItems(record, &seen); });
}

VerifyOptions& LibraryVerifyOptions() {
    VerifyOptions& record = HeldRecord<VerifyOptions>();
    const auto hold = LockRecord(record);
    RefreshVerifyOptions(record);
    return record;
}

}  // namespace optora
