#include "options/device_file.h"

#include <windows.h>

#include <string>

#include "store/unique_resource.h"

namespace optora {
namespace {

bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && FlushFileBuffers(file);
}

// The file stays what it was if the process dies before the move.
bool ReplaceThroughTemporary(const char* path, const std::string& temporary, const std::string& bytes,
                             DWORD attributes) {
    {
        UniqueHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        if (!WriteAll(file.get(), bytes)) {
            file.reset();
            DeleteFileA(temporary.c_str());
            return false;
        }
    }
    // Older tools may have marked the file hidden or system; keep that.
    const DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    if (kept) SetFileAttributesA(temporary.c_str(), kept);
    if (MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileA(temporary.c_str());
    return false;
}

// For a file another program holds open without allowing a rename.
void RewriteInPlace(const char* path, const std::string& bytes) {
    UniqueHandle file(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, TRUNCATE_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) WriteAll(file.get(), bytes);
}

}  // namespace

std::string DeviceFileTemporary(const char* path) { return std::string(path) + ".tmp"; }

std::optional<DeviceDestinations> ReadDeviceFile(const char* path) {
    UniqueHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    char buffer[kDeviceFileReadLimit];
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) got = 0;
    return ParseDeviceFile(std::string_view(buffer, got));
}

void WriteDeviceFile(const std::optional<DeviceDestinations>& record, const char* path) {
    if (!record) return;
    const DWORD attributes = GetFileAttributesA(path);
    // Gone since it was read, or not ours to change: leave the disk as it is.
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return;
    const std::string bytes = FormatDeviceFile(*record);
    if (!ReplaceThroughTemporary(path, DeviceFileTemporary(path), bytes, attributes)) RewriteInPlace(path, bytes);
}

}  // namespace optora
