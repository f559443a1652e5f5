#pragma once
#include <cstring>
#include <filesystem>
#include <string>

#include "frame/app_names.h"
#include "kestrel_test.h"
#include "options/device_file.h"

namespace optora::test {

inline constexpr const char* kVelorKey = "Software\\Kestrel\\Velor\\Settings";

inline void PutDeviceFile(const std::string& bytes) { WriteWhole(kDeviceFilePath, bytes); }
inline bool DeviceFileExists() { return std::filesystem::exists(kDeviceFilePath); }
inline std::string DeviceFileBytes() { return ReadWhole(kDeviceFilePath); }

// One value as the suite's other programs must find it: a text as REG_SZ with
// its terminator, a number as 4 bytes of REG_BINARY. Given a record's field
// too, the field must hold the same.
struct Value {
    Value(const char* name, const char* text) : name(name), text(text), isText(true) {}
    Value(const char* name, int32_t number) : name(name), number(number) {}
    Value(const char* name, const char* field, const char* text) : Value(name, text) { fieldText = field; }
    Value(const char* name, int64_t field, int32_t number) : Value(name, number) { fieldNumber = field; }

    const char* name;
    std::string text;
    int32_t number = 0;
    bool isText = false;
    std::optional<const char*> fieldText;  // a null text fails the check
    std::optional<int64_t> fieldNumber;
};

// Stores the values the same way.
inline void Store(const char* key, std::initializer_list<Value> values) {
    for (const Value& v : values) v.isText ? StoreText(key, v.name, v.text) : StoreInt32(key, v.name, v.number);
}

// key nullptr: check only the fields.
inline void ExpectValues(const char* key, std::initializer_list<Value> values) {
    for (const Value& v : values) {
        if (v.fieldText) { EXPECT_STREQ(*v.fieldText, v.text.c_str()) << "field " << v.name; }
        if (v.fieldNumber) { EXPECT_EQ(*v.fieldNumber, int64_t{v.number}) << "field " << v.name; }
        if (!key) continue;
        const StoredValue stored = RequireStored(key, v.name);
        std::vector<uint8_t> bytes(v.text.begin(), v.text.end());
        bytes.resize(v.isText ? v.text.size() + 1 : sizeof v.number);
        if (!v.isText) std::memcpy(bytes.data(), &v.number, sizeof v.number);
        EXPECT_EQ(stored.type, static_cast<DWORD>(v.isText ? REG_SZ : REG_BINARY)) << key << " " << v.name;
        EXPECT_EQ(stored.bytes, bytes) << key << " " << v.name;
    }
}

// The application names live as long as the process: each test starts and
// ends without them.
class OutputOptionsTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        TearDown();
    }
    void TearDown() override {
        CutAppName().Set("");
        PlotAppName().Set("");
    }
};

}  // namespace optora::test
