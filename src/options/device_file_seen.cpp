#include "options/device_file_seen.h"

#include <windows.h>

#include "options/device_file_format.h"
#include "store/unique_resource.h"

namespace optora {
namespace {

std::uint64_t Join(DWORD high, DWORD low) { return (std::uint64_t(high) << 32) | low; }
std::uint64_t Join(const FILETIME& time) { return Join(time.dwHighDateTime, time.dwLowDateTime); }

// As the load reads it: at most one byte past the read limit.
std::optional<std::string> ReadBytes(const std::string& path) {
    const UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    char buffer[kDeviceFileReadLimit + 1];
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return std::nullopt;
    return std::string(buffer, got);
}

}  // namespace

DeviceFileSeen::Glance DeviceFileSeen::GlanceAt(const char* path) {
    Glance glance;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    glance.at = Join(now);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path, GetFileExInfoStandard, &data)) {
        glance.stamp.exists = true;
        glance.stamp.size = Join(data.nFileSizeHigh, data.nFileSizeLow);
        glance.stamp.created = Join(data.ftCreationTime);
        glance.stamp.lastWritten = Join(data.ftLastWriteTime);
    }
    return glance;
}

void DeviceFileSeen::Forget() {
    seen_ = false;
    consistent_ = true;
    bytes_.reset();
}

void DeviceFileSeen::Saw(const char* path, const Glance& before, std::optional<std::string_view> bytes) {
    std::optional<std::string> read;
    if (bytes) read.emplace(*bytes);
    if (seen_) {
        // A load that read it twice must have found it the same both times.
        if (path_ != path || glance_.stamp != before.stamp || bytes_ != read) consistent_ = false;
        return;
    }
    seen_ = true;
    // One that is there but could not be read may be readable next time.
    consistent_ = !before.stamp.exists || bytes;
    path_ = path;
    glance_ = before;
    bytes_ = std::move(read);
}

bool DeviceFileSeen::MayDiffer() {
    if (!seen_) return false;
    if (!consistent_) return true;
    const Glance now = GlanceAt(path_.c_str());
    switch (JudgeStamp(glance_.stamp, glance_.at, now.stamp)) {
        case StampVerdict::kChanged: return true;
        case StampVerdict::kSame: return false;
        case StampVerdict::kCompareBytes: break;
    }
    if (ReadBytes(path_) != bytes_) return true;
    glance_.at = now.at;
    return false;
}

}  // namespace optora
