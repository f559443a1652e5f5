#pragma once
#include <string>
#include <vector>

// Storage areas on disk, as the suite's stand-ins find them: the area
// "<drive>:<AREA>" is the directory "<drive>:\userroot\storage\<AREA>"
// holding both subdirectories "data" and "param".
namespace storage {

// "C:\userroot\storage\" for the device "C:" (only its drive letter counts);
// empty when the device names no drive.
std::string StorageRoot(const std::string& device);

// True when the directory (with or without a trailing separator) is a storage area.
bool IsStorageArea(std::string path);

// The names of the storage areas of a device, sorted without regard to case.
std::vector<std::string> StorageAreas(const std::string& device);

// The whole control file, or false when it is missing, unreadable or too
// large to be a list of items.
bool ReadControlFile(const std::string& path, std::string& content);

}  // namespace storage
