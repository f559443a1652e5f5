#include "controls/shell_files.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <vector>

namespace optora {
namespace {

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle find) { FindClose(find); }
};

std::optional<std::string> FullPath(const std::string& path) {
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    return std::string(full, length);
}

std::vector<std::string> MatchingFiles(const std::string& pattern) {
    std::vector<std::string> files;
    const std::string directory = pattern.substr(0, DirectoryLength(pattern, AnsiLeadByte));
    WIN32_FIND_DATAA found = {};
    UniqueResource<FindHandleTraits> find(FindFirstFileA(pattern.c_str(), &found));
    if (!find) return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(directory + found.cFileName);
    } while (FindNextFileA(find.get(), &found));
    return files;
}

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

}  // namespace

ComScope::ComScope() {
    APTTYPE type;
    APTTYPEQUALIFIER qualifier;
    if (CoGetApartmentType(&type, &qualifier) == CO_E_NOTINITIALIZED) initialised_ = SUCCEEDED(CoInitialize(nullptr));
}

ComScope::~ComScope() {
    if (initialised_) CoUninitialize();
}

std::string ResolveShortcut(const std::string& path) {
    ComScope com;
    IShellLinkA* rawLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&rawLink))))
        return path;
    UniqueCom<IShellLinkA> link(rawLink);
    IPersistFile* rawFile = nullptr;
    if (FAILED(link.get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile)))) return path;
    UniqueCom<IPersistFile> file(rawFile);
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (wideLength <= 0) return path;
    std::vector<wchar_t> wide(static_cast<size_t>(wideLength));
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), wideLength);
    if (FAILED(file.get()->Load(wide.data(), STGM_READ))) return path;
    char target[MAX_PATH] = {};
    WIN32_FIND_DATAA data = {};
    if (link.get()->GetPath(target, MAX_PATH, &data, 0) != S_OK || !target[0]) return path;
    return target;
}

const FileSystemView& WindowsFileSystem() {
    static const FileSystemView files{FullPath, MatchingFiles, ResolveShortcut, AnsiLeadByte};
    return files;
}

bool IsDirectory(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace optora
