#include "options/device_file_seen.h"

#include <windows.h>

#include "options/device_file.h"

namespace optora {
namespace {

std::uint64_t Join(DWORD high, DWORD low) { return (std::uint64_t(high) << 32) | low; }
std::uint64_t Join(const FILETIME& time) { return Join(time.dwHighDateTime, time.dwLowDateTime); }

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
    if (ReadDeviceFileBytes(path_.c_str()) != bytes_) return true;
    glance_.at = now.at;
    return false;
}

}  // namespace optora
