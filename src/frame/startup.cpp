#include "frame/startup.h"

#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace optora {
namespace {

constexpr char kSharedLanguageLibrary[] = "Lexicon.dll";

HINSTANCE g_sharedLanguageLibrary = nullptr;

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Start-up runs in whichever call comes first, a getter on a worker thread or
// in a process that shows no window included: what it could not use waits
// for the first dialog, where a message box is expected and someone looks.
std::mutex g_untoldLock;
std::vector<std::string> g_untold;

void Remember(std::string text) {
    const std::lock_guard<std::mutex> hold(g_untoldLock);
    g_untold.push_back(std::move(text));
}

void RememberLoadFailed(const char* name, DWORD error) {
    Remember(std::string("Error loading resource DLL! (") + name + ")  Error Code " + std::to_string(error) +
         ".\nUntranslated resources will be used.");
}

void RememberIncompatible(const char* name) {
    Remember(std::string("Error loading resource DLL! (") + name +
         ")  Incompatible version.\nUntranslated resources will be used.");
}

HINSTANCE Load(const std::string& path, const char* name) {
    if (HINSTANCE library = LoadLibraryA(path.c_str())) return library;
    RememberLoadFailed(name, GetLastError());
    return nullptr;
}

INIT_ONCE g_startOnce = INIT_ONCE_STATIC_INIT;

BOOL CALLBACK StartOnce(PINIT_ONCE, PVOID, PVOID*) {
    try {
        COptoraApp(LibraryModuleState()).InitInstance();
    } catch (...) {
        // Start-up never fails: the library's own resources stay in use.
    }
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
            RememberIncompatible(name);
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

std::vector<std::string> TakeStartupProblems() {
    const std::lock_guard<std::mutex> hold(g_untoldLock);
    return std::exchange(g_untold, {});
}

void TellStartupProblems(HWND owner) noexcept {
    try {
        for (const std::string& text : TakeStartupProblems()) MessageBoxA(owner, text.c_str(), nullptr, MB_OK);
    } catch (...) {
    }
}

BOOL COptoraApp::InitInstance() {
    if (HINSTANCE resources = LoadResourceLibrary(state_.instance, "optorares.dll")) state_.resources = resources;
    return TRUE;
}

void EnsureStarted() noexcept {
    // Other threads wait until start-up is over; it shows nothing, so it
    // never waits on anyone.
    InitOnceExecuteOnce(&g_startOnce, StartOnce, nullptr, nullptr);
}

}  // namespace optora
