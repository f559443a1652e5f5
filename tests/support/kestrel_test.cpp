#include "kestrel_test.h"

#include <sddl.h>

#include <cstring>
#include <cwctype>
#include <filesystem>
#include <fstream>

#include "policy_values.h"

namespace optora::test {

std::string StoredValue::Text() const {
    const auto zero = std::find(bytes.begin(), bytes.end(), 0);
    return std::string(bytes.begin(), zero);
}

int32_t StoredValue::Int32() const {
    int32_t value = 0;
    std::memcpy(&value, bytes.data(), std::min<size_t>(bytes.size(), sizeof value));
    return value;
}

std::optional<StoredValue> ReadStored(const char* path, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    StoredValue value;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        value.bytes.resize(size);
        status = RegQueryValueExA(key, name, nullptr, &value.type, value.bytes.data(), &size);
        value.bytes.resize(size);
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    return value;
}

StoredValue RequireStored(const char* path, const char* name) {
    std::optional<StoredValue> value = ReadStored(path, name);
    if (!value) ADD_FAILURE() << path << " holds no " << name;
    return value.value_or(StoredValue{});
}

// Every handle value is asked for a key name: Wine counts no handles
// (GetProcessHandleCount gives 0).
int OpenKestrelKeys() {
    using QueryKey = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<QueryKey>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryKey")));
    constexpr int kKeyNameInformation = 3;
    int open = 0;
    for (uintptr_t value = 4; query && value < 0x2000; value += 4) {
        struct { ULONG length; wchar_t name[1024]; } info = {};
        ULONG size = 0;
        if (query(reinterpret_cast<HANDLE>(value), kKeyNameInformation, &info, sizeof info, &size) != 0) continue;
        std::wstring name(info.name, info.length / sizeof(wchar_t));
        for (wchar_t& c : name) c = towlower(c);
        // The change watch holds the root itself (or a parent) for the process's life.
        if (name.find(L"\\software\\kestrel\\") != std::wstring::npos) ++open;
    }
    return open;
}

bool KeyExists(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void StoreRaw(const char* path, const char* name, DWORD type, const void* data, DWORD size, HKEY root) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

void StoreText(const char* path, const char* name, const std::string& text) {
    StoreRaw(path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void StoreInt32(const char* path, const char* name, int32_t value) {
    StoreRaw(path, name, REG_BINARY, &value, sizeof value);
}

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> bytes) { return bytes; }

std::string StoredText(const char* path, const char* name, DWORD type) {
    const std::optional<StoredValue> value = ReadStored(path, name);
    if (!value) return "(missing)";
    EXPECT_TRUE(type == REG_NONE || value->type == type) << path << " " << name << " is of type " << value->type;
    return value->Text();
}

void MakeStorageArea(const std::string& area, std::initializer_list<std::pair<const char*, std::string>> files) {
    const std::filesystem::path root = std::filesystem::path("c:\\userroot\\storage") / area;
    for (const char* directory : {"data", "param"}) std::filesystem::create_directories(root / directory);
    for (const auto& [file, text] : files) std::ofstream(root / file, std::ios::binary) << text;
}

void SetKeyAccess(const char* path, const char* access) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const std::string sddl = std::string("D:P(A;;") + access + ";;;WD)";
    ASSERT_TRUE(
        ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, WRITE_DAC, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
    RegCloseKey(key);
    LocalFree(descriptor);
}

void SetRegionalMeasurement(bool usSystem) {
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, usSystem ? "1" : "0"));
    char check[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, check, sizeof check);
    ASSERT_STREQ(check, usSystem ? "1" : "0") << "the region could not be pinned";
}

void KestrelTest::SetUp() {
    ClearPolicies();
    const LONG status = RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kestrel");
    ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
    ASSERT_FALSE(KeyExists("Software\\Kestrel"));
    std::error_code ignored;
    std::filesystem::remove_all("c:\\userroot", ignored);
    ASSERT_FALSE(std::filesystem::exists("c:\\userroot"));
    SetRegionalMeasurement(false);
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteWhole(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::map<std::string, std::string> RegistryTree(const std::string& path) {
    std::map<std::string, std::string> tree;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return tree;
    tree["[" + path + "]"] = "";
    char name[512];
    BYTE data[2048];
    for (DWORD i = 0, nameSize = sizeof name, size = sizeof data, type = 0;
         RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &size) == ERROR_SUCCESS;
         ++i, nameSize = sizeof name, size = sizeof data)
        tree[path + "\\" + name] = std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), size);
    for (DWORD i = 0, nameSize = sizeof name;
         RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, nameSize = sizeof name)
        tree.merge(RegistryTree(path + "\\" + name));
    RegCloseKey(key);
    return tree;
}

std::string BesideTestProgram(const char* fileName) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.erase(dir.find_last_of("\\/") + 1);
    return dir + fileName;
}

}  // namespace optora::test
