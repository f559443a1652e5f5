#pragma once
#include <optional>
#include <string>

#include "options/device_file_format.h"
#include "options/device_file_seen.h"
#include "store/unique_resource.h"

namespace optora {

inline constexpr const char* kDeviceFilePath = "c:\\userroot\\system\\state\\dosfile.cfg";

// The file as one save read it. While the record lives, the suite's other
// processes wait before reading the file for a save of their own, so two
// saves at once never drop a line that neither of them changed.
struct DeviceFileRecord : DeviceDestinations {
    DeviceFileRecord() = default;
    // A record not read from disk: writing it always rewrites the file.
    DeviceFileRecord(DeviceDestinations destinations) : DeviceDestinations(std::move(destinations)) {}

    std::string stored;  // the bytes read, at most one past the read limit
    HeldMutex lock;
};

// None when the file cannot be read; the library then leaves it alone.
// Given seen, tells it what was read.
std::optional<DeviceFileRecord> ReadDeviceFile(const char* path = kDeviceFilePath, DeviceFileSeen* seen = nullptr);

// The file's bytes as a load reads them (one byte past the read limit, a
// failed read as none), without its lock; nothing when it cannot be opened.
std::optional<std::string> ReadDeviceFileBytes(const char* path);

// Rewrites the file from a record read by ReadDeviceFile, unless it already
// holds exactly those bytes; with none, does nothing. Never creates a file
// that is not there, and never leaves it cut short: the new bytes go to a
// temporary file that replaces the old one. Releases the record.
void WriteDeviceFile(std::optional<DeviceFileRecord> record, const char* path = kDeviceFilePath);

// The temporary file beside the device file used while replacing it.
std::string DeviceFileTemporary(const char* path = kDeviceFilePath);

// Device-file writes this process has made; lets tests see that a save
// which changed nothing wrote nothing.
unsigned long DeviceFileWritesMade();

}  // namespace optora
