#include "frame/startup.h"

#include <string>
#include <vector>

namespace optora {
namespace {

constexpr char kSharedLanguageLibrary[] = "Lexicon.dll";

HINSTANCE g_sharedLanguageLibrary = nullptr;

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The user learns of a language library that cannot be used; nothing else
// does. No owner: at start-up the library knows no window of the caller.
void Tell(const std::string& text) { MessageBoxA(nullptr, text.c_str(), nullptr, MB_OK); }

void TellLoadFailed(const char* name, DWORD error) {
    Tell(std::string("Error loading resource DLL! (") + name + ")  Error Code " + std::to_string(error) +
         ".\nUntranslated resources will be used.");
}

void TellIncompatible(const char* name) {
    Tell(std::string("Error loading resource DLL! (") + name +
         ")  Incompatible version.\nUntranslated resources will be used.");
}

HINSTANCE Load(const std::string& path, const char* name) {
    if (HINSTANCE library = LoadLibraryA(path.c_str())) return library;
    TellLoadFailed(name, GetLastError());
    return nullptr;
}

INIT_ONCE g_startOnce = INIT_ONCE_STATIC_INIT;
thread_local bool t_starting = false;

BOOL CALLBACK StartOnce(PINIT_ONCE, PVOID, PVOID*) {
    t_starting = true;
    try {
        COptoraApp(LibraryModuleState()).InitInstance();
    } catch (...) {
        // Start-up never fails: the library's own resources stay in use.
    }
    t_starting = false;
    return TRUE;
}

}  // namespace

std::optional<ProductVersion> ReadProductVersion(const char* path) {
    if (!path) return std::nullopt;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return std::nullopt;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoA(path, 0, size, block.data())) return std::nullopt;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) || !fixed ||
        fixedSize < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    return ProductVersion{fixed->dwProductVersionMS, fixed->dwProductVersionLS};
}

bool SameProductVersion(const char* pathA, const char* pathB) {
    const std::optional<ProductVersion> a = ReadProductVersion(pathA);
    const std::optional<ProductVersion> b = ReadProductVersion(pathB);
    return a && b && *a == *b;
}

HINSTANCE LoadResourceLibrary(HINSTANCE ownModule, const char* name) {
    std::string ownPath;
    const std::string directory = ModuleDirectory(ownModule, &ownPath);
    if (directory.empty() || !name) return nullptr;

    HINSTANCE resources = nullptr;
    const std::string candidate = directory + name;
    if (FileExists(candidate)) {
        // A library of another version may lack templates or strings that
        // this one asks for.
        if (SameProductVersion(ownPath.c_str(), candidate.c_str()))
            resources = Load(candidate, name);
        else
            TellIncompatible(name);
    }

    if (!g_sharedLanguageLibrary) {
        const std::string shared = directory + kSharedLanguageLibrary;
        if (FileExists(shared)) {
            if (HINSTANCE library = Load(shared, kSharedLanguageLibrary)) g_sharedLanguageLibrary = library;
        }
    }
    return resources;
}

HINSTANCE SharedLanguageLibrary() { return g_sharedLanguageLibrary; }

BOOL COptoraApp::InitInstance() {
    if (HINSTANCE resources = LoadResourceLibrary(state_.instance, "optorares.dll")) state_.resources = resources;
    return TRUE;
}

void EnsureStarted() noexcept {
    // A message box of the start-up runs a message loop; a call it lets in on
    // the same thread goes on with the library's own resources rather than
    // wait for itself. Other threads wait until start-up is over.
    if (t_starting) return;
    InitOnceExecuteOnce(&g_startOnce, StartOnce, nullptr, nullptr);
}

}  // namespace optora
