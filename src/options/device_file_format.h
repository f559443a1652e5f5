#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace optora {

// The cutter and plotter destinations as older tools keep them: a small text
// file of three lines beside the registry settings.
struct DeviceDestinations {
    int32_t plotType = 0;  // a file that does not start with the type line leaves 0
    std::string plotDestination;
    std::string cutDestination;
};

// Older tools read the file in one buffer of this size; nothing beyond counts.
inline constexpr std::size_t kDeviceFileReadLimit = 1040;

// Any bytes give a record: destinations always carry a drive (":") and no
// line breaks, the plot type is a single digit.
DeviceDestinations ParseDeviceFile(std::string_view bytes);

// The exact three-line form older tools expect: LF endings, nothing after.
std::string FormatDeviceFile(const DeviceDestinations& record);

}  // namespace optora
