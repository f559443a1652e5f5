#include "options/device_file.h"

#include <windows.h>

#include <atomic>
#include <string>

#include "store/unique_resource.h"

namespace optora {
namespace {

std::atomic<unsigned long> g_writes{0};

// Shared by every process that loads the library. A holder that hangs is
// waited for this long; after that the save goes ahead unserialised rather
// than freezing the caller's window.
constexpr const char* kDeviceFileMutex = "Local\\KestrelDeviceDestinationFile";
constexpr DWORD kLockWait = 5000;
constexpr int kReplaceAttempts = 200;

// The mutex is opened once per process, so a save pays only for holding it.
HeldMutex LockDeviceFile() {
    static const HANDLE mutex = CreateMutexA(nullptr, FALSE, kDeviceFileMutex);
    if (!mutex) return {};
    const DWORD waited = WaitForSingleObject(mutex, kLockWait);
    return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED ? HeldMutex(mutex) : HeldMutex();
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && FlushFileBuffers(file);
}

// The file stays what it was if the process dies before the move.
bool ReplaceThroughTemporary(const char* path, const std::string& temporary, const std::string& bytes,
                             DWORD attributes) {
    {
        UniqueFile file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
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
    // A file some reader has open cannot be replaced on every system; readers
    // hold it for moments, so try again for a while before rewriting in place.
    for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
        if (MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        const DWORD error = GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) break;
        Sleep(1);
    }
    DeleteFileA(temporary.c_str());
    return false;
}

// For a file another program holds open without allowing a rename.
// Cut after writing, so a reader never finds the file empty.
void RewriteInPlace(const char* path, const std::string& bytes) {
    UniqueFile file(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file && WriteAll(file.get(), bytes)) SetEndOfFile(file.get());
}

// Delete sharing lets another save replace the file while it is read here.
UniqueFile OpenForReading(const char* path) {
    return UniqueFile(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

std::string DeviceFileTemporary(const char* path) { return std::string(path) + ".tmp"; }

std::optional<std::string> ReadDeviceFileBytes(const char* path) {
    const UniqueFile file = OpenForReading(path);
    if (!file) return std::nullopt;
    char buffer[kDeviceFileReadLimit + 1];
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) got = 0;
    return std::string(buffer, got);
}

std::optional<DeviceFileRecord> ReadDeviceFile(const char* path, DeviceFileSeen* seen) {
    const std::optional<DeviceFileSeen::Glance> before =
        seen ? std::optional(DeviceFileSeen::GlanceAt(path)) : std::nullopt;
    const auto tell = [&](std::optional<std::string_view> bytes) {
        if (seen) seen->Saw(path, *before, bytes);
    };
    // Most users have no device file: find that out before waiting for the
    // lock, then read the file as it is once the lock is held. A glance that
    // found none has found that out already.
    if ((before && !before->stamp.exists) || !OpenForReading(path)) {
        tell(std::nullopt);
        return std::nullopt;
    }
    HeldMutex lock = LockDeviceFile();
    std::optional<std::string> bytes = ReadDeviceFileBytes(path);
    tell(bytes ? std::optional<std::string_view>(*bytes) : std::nullopt);
    if (!bytes) return std::nullopt;
    std::optional<DeviceFileRecord> record(ParseDeviceFile(*bytes));
    record->stored = std::move(*bytes);
    record->lock = std::move(lock);
    return record;
}

void WriteDeviceFile(std::optional<DeviceFileRecord> record, const char* path) {
    if (!record) return;
    const std::string bytes = FormatDeviceFile(*record);
    if (bytes == record->stored) return;
    const DWORD attributes = GetFileAttributesA(path);
    // Gone since it was read, or not ours to change: leave the disk as it is.
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return;
    ++g_writes;
    if (!ReplaceThroughTemporary(path, DeviceFileTemporary(path), bytes, attributes)) RewriteInPlace(path, bytes);
}

unsigned long DeviceFileWritesMade() { return g_writes; }

}  // namespace optora
