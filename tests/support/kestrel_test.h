#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "store/registry_paths.h"

namespace optora::test {

inline constexpr const char* kArbor = keys::kArbor;
inline constexpr const char* kCutKey = keys::kCutOptions;
inline constexpr const char* kPlotKey = keys::kPlotOptions;
inline constexpr const char* kOrderKey = keys::kOrderOptions;
inline constexpr const char* kQuillon = keys::kQuillon;
inline constexpr const char* kDeviceFile = "c:\\userroot\\system\\state\\dosfile.cfg";

// What the registry holds for one value, as the suite's other programs see it.
struct StoredValue {
    DWORD type = REG_NONE;
    std::vector<uint8_t> bytes;

    std::string Text() const;      // bytes up to the first zero
    int32_t Int32() const;         // the first four bytes, little-endian
};

std::optional<StoredValue> ReadStored(const char* path, const char* name);
// The same, for a value the test needs: a missing one fails the test and
// reads as empty, never as a crash.
StoredValue RequireStored(const char* path, const char* name);
bool KeyExists(const char* path);
// Keys below HKCU\Software\Kestrel this process holds open now.
int OpenKestrelKeys();
void StoreRaw(const char* path, const char* name, DWORD type, const void* data, DWORD size,
              HKEY root = HKEY_CURRENT_USER);
void StoreText(const char* path, const char* name, const std::string& text);
void StoreInt32(const char* path, const char* name, int32_t value);
std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> bytes);
// A stored value's text, "(missing)" when there is none; given a type, the
// value must have it.
std::string StoredText(const char* path, const char* name, DWORD type = REG_NONE);

// A storage area under c:\userroot\storage: its data and param directories
// and these files (paths below the area) holding their texts.
void MakeStorageArea(const std::string& area, std::initializer_list<std::pair<const char*, std::string>> files = {});

// Who may do what with a key: "KR" read only, "KA" anything. A test that
// narrows a key must widen it again before it ends.
void SetKeyAccess(const char* path, const char* access);

// The regional measurement system that decides notation when none is stored.
void SetRegionalMeasurement(bool usSystem);

// Every test starts from a user with no Kestrel settings, no files under
// c:\userroot and a metric region.
class KestrelTest : public ::testing::Test {
protected:
    void SetUp() override;
};

// A file's bytes ("" when there is none); writing makes its directory.
std::string ReadWhole(const std::string& path);
void WriteWhole(const std::string& path, const std::string& bytes);
// Every key ("[path]") and value ("path\\name": "type:bytes") below path in HKCU.
std::map<std::string, std::string> RegistryTree(const std::string& path);

// Full path of a file beside the running test program.
std::string BesideTestProgram(const char* fileName);

}  // namespace optora::test
