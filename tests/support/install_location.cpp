#include "install_location.h"

#include <filesystem>

#include "kestrel_test.h"

namespace fs = std::filesystem;

namespace optora::test {

void StoreMachineValue(const char* path, const char* name, DWORD type, const void* data, DWORD size) {
    StoreRaw(path, name, type, data, size, HKEY_LOCAL_MACHINE);
}

void StoreMachineText(const char* path, const char* name, const std::string& text) {
    StoreMachineValue(path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void ClearInstalledPrograms() {
    const LONG status = RegDeleteTreeA(HKEY_LOCAL_MACHINE, kLocation);
    ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
    for (const char* dir : {"c:\\ads", "c:\\suite"}) {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
        ASSERT_FALSE(fs::exists(dir)) << dir;
    }
}

void PutFile(const std::string& path, const std::string& source) {
    fs::create_directories(fs::path(path).parent_path());
    std::error_code error;
    if (source.empty()) WriteWhole(path, "MZ");
    else fs::copy_file(source, path, fs::copy_options::overwrite_existing, error);
    ASSERT_FALSE(error) << source << " -> " << path << ": " << error.message();
    ASSERT_TRUE(fs::is_regular_file(path)) << path;
}

}  // namespace optora::test
