#pragma once
#include <optional>
#include <string>

#include "options/device_file_format.h"

namespace optora {

inline constexpr const char* kDeviceFilePath = "c:\\userroot\\system\\state\\dosfile.cfg";

// None when the file cannot be read; the library then leaves it alone.
std::optional<DeviceDestinations> ReadDeviceFile(const char* path = kDeviceFilePath);

// Rewrites the file from a record read by ReadDeviceFile; with none, does
// nothing. Never creates a file that is not there, and never leaves it cut
// short: the new bytes go to a temporary file that replaces the old one.
void WriteDeviceFile(const std::optional<DeviceDestinations>& record, const char* path = kDeviceFilePath);

// The temporary file beside the device file used while replacing it.
std::string DeviceFileTemporary(const char* path = kDeviceFilePath);

}  // namespace optora
