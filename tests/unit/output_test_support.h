#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "options/device_file.h"

namespace optora::test {

inline constexpr const char* kArborKey = "Software\\Kestrel\\Arbor";
inline constexpr const char* kVelorKey = "Software\\Kestrel\\Velor\\Settings";

inline void PutDeviceFile(const std::string& bytes) {
    std::filesystem::create_directories("c:\\userroot\\system\\state");
    std::ofstream(kDeviceFilePath, std::ios::binary | std::ios::trunc) << bytes;
}

inline bool DeviceFileExists() { return std::filesystem::exists(kDeviceFilePath); }

inline std::string DeviceFileBytes() {
    std::ifstream in(kDeviceFilePath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace optora::test
