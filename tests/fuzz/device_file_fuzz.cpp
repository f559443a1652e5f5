// Any bytes on disk must parse without fault into a record that writes back
// in the three-line form and reads back to itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_check.h"
#include "options/device_file_format.h"

using optora::DeviceDestinations;

namespace {
bool Clean(const std::string& destination) {
    return destination.find(':') != std::string::npos && destination.find_first_of(std::string("\r\n\0", 3)) ==
                                                               std::string::npos;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const DeviceDestinations record = optora::ParseDeviceFile(bytes);
    Check(record.plotType >= 0 && record.plotType <= 9);
    Check(Clean(record.plotDestination) && Clean(record.cutDestination));
    Check(record.plotDestination.size() <= optora::kDeviceFileReadLimit + 3);

    const std::string written = optora::FormatDeviceFile(record);
    // A plot destination that itself holds the cut tag, or a file grown past
    // the read limit, cannot read back the same; everything else must.
    if (written.size() <= optora::kDeviceFileReadLimit && record.plotDestination.find("cut_dest=") == std::string::npos) {
        const DeviceDestinations again = optora::ParseDeviceFile(written);
        Check(again.plotType == record.plotType);
        Check(again.plotDestination == record.plotDestination);
        Check(again.cutDestination == record.cutDestination);
        Check(optora::FormatDeviceFile(again) == written);
    }
    return 0;
}
