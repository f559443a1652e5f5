#include "storage_tree.h"

#include <windows.h>

#include <algorithm>

#include "control_file.h"

namespace storage {
namespace {

bool IsDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string StorageRoot(const std::string& device) {
    if (device.empty() || !IsDriveLetter(device[0])) return {};
    return std::string(1, device[0]) + ":\\userroot\\storage\\";
}

bool IsStorageArea(std::string path) {
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return !path.empty() && IsDirectory(path) && IsDirectory(path + "\\data") && IsDirectory(path + "\\param");
}

std::vector<std::string> StorageAreas(const std::string& device) {
    std::vector<std::string> areas;
    const std::string root = StorageRoot(device);
    if (root.empty()) return areas;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((root + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return areas;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != ".." && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            IsStorageArea(root + name))
            areas.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(areas.begin(), areas.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    return areas;
}

bool ReadControlFile(const std::string& path, std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= static_cast<LONGLONG>(kMaxControlFileSize);
    if (ok) {
        content.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD got = 0;
        ok = content.empty() || (ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &got, nullptr) &&
                                 got == content.size());
    }
    CloseHandle(file);
    return ok;
}

}  // namespace storage
