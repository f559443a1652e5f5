// A kept record loads again exactly when something its load read may have
// changed, and then holds what a plain load holds.
#include <cstring>
#include <filesystem>
#include <functional>

#include "frame/app_names.h"
#include "kestrel_test.h"
#include "options/cut_options.h"
#include "options/kept_record.h"

using namespace optora;
using namespace optora::test;

namespace {

constexpr const char* kDefaultCut = "Software\\Kestrel\\Arbor\\CutOptions\\DEFAULT_CUT_OPTIONS";

// Rewrites the device file; with keepTimes, puts its times back afterwards,
// as a copy tool may.
void RewriteDeviceFile(const std::string& bytes, bool keepTimes) {
    HANDLE file = CreateFileA(kDeviceFile, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME created, accessed, written;
    GetFileTime(file, &created, &accessed, &written);
    DWORD done = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &done, nullptr);
    SetEndOfFile(file);
    if (keepTimes) SetFileTime(file, &created, &accessed, &written);
    CloseHandle(file);
}

class KeptRecordTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        CutAppName().Set("");
        std::filesystem::create_directories("c:\\userroot\\system\\state");
        RewriteDeviceFile("plot_type=1\nplot_dest=D:\\P\ncut_dest=E:\\CUT1\n", false);
    }
    void TearDown() override { CutAppName().Set(""); }

    // 1 when the refresh loaded, else 0.
    int Refresh() {
        int loads = 0;
        kept_.Refresh(
            record_,
            [&loads](CutOptions_tag& record, DeviceFileSeen& seen) {
                ++loads;
                LoadCutOptions(record, &seen);
            },
            watch_);
        return loads;
    }
    // The library's own repairs fire the watch: the load after them is the last.
    void Settle() { for (int i = 0; i < 5 && Refresh(); ++i) continue; }

    ChangeWatch watch_{ChangeWatchMode::kOn};
    KeptRecord<CutOptions_tag> kept_;
    CutOptions_tag record_ = {};
};

TEST_F(KeptRecordTest, LoadsAgainExactlyWhenAnInputChanged) {
    const std::string device = "plot_type=1\nplot_dest=D:\\P\ncut_dest=E:\\";
    const struct { const char* what; std::function<void(CutOptions_tag&)> change; bool loads; } changes[] = {
        {"nothing", [](CutOptions_tag&) {}, false},
        {"the device file, same size, times back", [&](auto&) { RewriteDeviceFile(device + "CUT2\n", true); }, true},
        {"the device file, another size", [&](auto&) { RewriteDeviceFile(device + "CUT33\n", false); }, true},
        {"the device file, removed", [](auto&) { DeleteFileA(kDeviceFile); }, true},
        {"nothing, with no device file", [](CutOptions_tag&) {}, false},
        {"the device file, back", [&](auto&) { RewriteDeviceFile(device + "CUT33\n", false); }, true},
        {"a value of the set", [](auto&) { StoreText(kDefaultCut, "CutFormat", "43format"); }, true},
        {"a value elsewhere under Kestrel", [](auto&) { StoreInt32("Software\\Kestrel\\Other", "V", 7); }, true},
        {"the whole Kestrel key", [](auto&) { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kestrel"); }, true},
        {"a value, after the key came back", [](auto&) { StoreText(kDefaultCut, "CutFormat", "44format"); }, true},
        {"the caller's copy of the record", [](CutOptions_tag& record) { record.DosCutExtension[1] ^= 1; }, true},
        {"the application name", [](auto&) { CutAppName().Set("CUTGEN_CUT_OPTIONS"); }, true},
        {"the device file, read by no load now", [&](auto&) { RewriteDeviceFile(device + "CUT4\n", false); }, false},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.what);
        Settle();
        c.change(record_);
        EXPECT_EQ(Refresh(), c.loads ? 1 : 0);
        CutOptions_tag plain = record_;
        LoadCutOptions(plain);
        EXPECT_EQ(std::memcmp(&plain, &record_, sizeof plain), 0) << "holds what a plain load holds";
    }
}

TEST_F(KeptRecordTest, WithoutAWatchEveryCallLoads) {
    const ChangeWatchMode modes[] = {ChangeWatchMode::kRefused, ChangeWatchMode::kOff, ChangeWatchMode::kOn};
    for (const ChangeWatchMode mode : modes) {
        watch_.SetMode(mode);
        Settle();
        EXPECT_EQ(Refresh() + Refresh() + Refresh(), mode == ChangeWatchMode::kOn ? 0 : 3) << int(mode);
    }
}

}  // namespace
