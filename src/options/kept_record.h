#pragma once
#include <cstdint>
#include <cstring>
#include <optional>
#include <type_traits>

#include "frame/app_names.h"
#include "options/device_file_seen.h"
#include "store/change_watch.h"

namespace optora {

// Everything a record's load reads besides the record itself: the registry
// under Kestrel (through the process's change watch), the application names
// of the variant sets and, where the load read it, the device file.
class LoadInputs {
public:
    // Before a load: what it is about to read.
    void Begin(std::uint64_t registryGeneration);
    // Whether a load now would read the same as the one begun last.
    bool Unchanged(std::uint64_t registryGeneration);
    DeviceFileSeen& DeviceFile() { return deviceFile_; }

private:
    std::uint64_t registryGeneration_ = 0;
    char cutApp_[AppName::kSize] = {};
    char plotApp_[AppName::kSize] = {};
    DeviceFileSeen deviceFile_;
};

// A library-held record whose getter loads it only when something the last
// load read may have changed. The record the caller holds is read by some
// loads too (a field kept where a stored value is short or missing), so a
// private copy of what was last handed out must still match it. Callers hold
// the record's lock around Refresh.
template <typename Record>
class KeptRecord {
    static_assert(std::is_trivially_copyable_v<Record>, "compared and kept byte for byte");

public:
    // load(record, DeviceFileSeen&) is the full load of today, repairs and all.
    template <typename Load>
    void Refresh(Record& record, Load&& load, ChangeWatch& watch = KestrelChangeWatch()) {
        const std::uint64_t registryGeneration = watch.Look();  // armed again before any load
        if (kept_ && inputs_.Unchanged(registryGeneration) && std::memcmp(&record, &handedOut_, sizeof record) == 0)
            return;
        kept_ = false;  // a load that throws leaves nothing to trust
        inputs_.Begin(registryGeneration);
        std::optional<ChangeWatch::JustLooked> looked;
        if (&watch == &KestrelChangeWatch()) looked.emplace();
        load(record, inputs_.DeviceFile());
        std::memcpy(&handedOut_, &record, sizeof record);
        kept_ = true;
    }

private:
    bool kept_ = false;
    LoadInputs inputs_;
    Record handedOut_ = {};
};

}  // namespace optora
