// The storage-area chooser as the library drives it, through the devadod.dll
// stand-in beside the test program; the stand-in reports each record it
// receives to the file named by OPTORA_DEVADOD_LOG.
#include "controls/devadod_dialog.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "chooser_ids.h"
#include "controls/file_choice.h"
#include "kestrel_test.h"
#include "other_process.h"
#include "ui_driver.h"

using namespace optora;
using namespace optora::test;
namespace fs = std::filesystem;

namespace {

const fs::path kLog = fs::temp_directory_path() / "optora-devadod.log";

class DevaDodTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        fs::remove(kLog);
        SetEnvironmentVariableA("OPTORA_DEVADOD_LOG", kLog.string().c_str());
    }
    void TearDown() override { SetEnvironmentVariableA("OPTORA_DEVADOD_LOG", nullptr); }

    // The last record the stand-in received, field by field.
    static std::map<std::string, std::string> Received() {
        std::ifstream in(kLog, std::ios::binary);
        std::string line, last;
        while (std::getline(in, line)) last = line;
        if (!last.empty() && last.back() == '\r') last.pop_back();
        std::map<std::string, std::string> fields;
        std::istringstream parts(last);
        for (std::string part; std::getline(parts, part, '\t');)
            fields[part.substr(0, part.find('='))] = part.substr(part.find('=') + 1);
        return fields;
    }

    static std::string Stored(const char* name) { return StoredText(kArbor, name); }
};

std::string Hex(uintptr_t value) {
    std::ostringstream text;
    text << "0x" << std::hex << value;
    return text.str();
}

// A window standing in for the dialog that owns a chooser, with one field.
struct Host {
    static constexpr int kField = 77;
    HWND window = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    HWND field = CreateWindowExA(0, "EDIT", "BEFORE", WS_CHILD, 0, 0, 100, 20, window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kField)), nullptr, nullptr);
    ~Host() { DestroyWindow(window); }
    std::string Text() const { return WindowText(field); }
};

// Each field as the suite's chooser finds it in the bytes it received: the
// 32-bit offsets of the suite's table, or the natural 64-bit layout, checked
// against what the chooser reports of the same record field by field.
void ExpectTabledLayout(std::map<std::string, std::string>& r) {
    std::vector<unsigned> raw;
    std::istringstream bytes(r["raw"]);
    for (std::string byte; std::getline(bytes, byte, ',');) raw.push_back(std::stoul(byte, nullptr, 16));
    const bool wide = sizeof(void*) == 8;
    ASSERT_EQ(raw.size(), wide ? 224u : 128u);
    const auto at = [&](std::size_t offset, std::size_t width) {
        unsigned long long value = 0;
        for (std::size_t i = width; i-- > 0;) value = value << 8 | raw.at(offset + i);
        return value;
    };
    struct Field { const char* reported; std::size_t offset32, offset64; bool pointer; } const fields[] = {
        {"size", 0, 0, false},        {"openSize", 4, 8, false},  {"owner", 8, 16, true},
        {"instance", 12, 24, true},   {"filter@", 16, 32, true},  {"index", 28, 52, false},
        {"maxFile", 36, 64, false},   {"initialDir@", 48, 88, true}, {"title@", 52, 96, true},
        {"flags", 56, 104, false},    {"text1@", 92, 160, true},  {"device@", 96, 168, true},
        {"area@", 100, 176, true},    {"start@", 104, 184, true}, {"text3@", 108, 192, true},
        {"text4@", 112, 200, true},   {"extra@", 116, 208, true}, {"extraFlags", 120, 216, false},
        {"reserved", 124, 220, false},
    };
    for (const Field& f : fields)
        EXPECT_EQ(at(wide ? f.offset64 : f.offset32, wide && f.pointer ? 8 : 4), std::stoull(r[f.reported], nullptr, 0))
            << f.reported;
}

}  // namespace

// Cancelled runs: what the chooser receives, and what is remembered after.
TEST_F(DevaDodTest, ChooseItemsHandsTheRecordOverAndRemembersAfterCancel) {
    const std::string longTitle(200, 'T'), longStart(300, 'S');
    struct Case {
        const char *device, *area, *storedDevice, *storedArea;  // stored: nullptr when not
        std::string title, start; bool option; const char *wantDevice, *wantArea;
    } cases[] = {
        {"D:", "AREA9", nullptr, nullptr, "Pick", "P-ONE", true, "D:", "AREA9"},
        {"D:", "", nullptr, nullptr, "Pick", "", false, "C:", "Data70"},
        {"", "", "E:", "AREA5", "Pick", "", true, "E:", "AREA5"},
        {"", "X", "E:", nullptr, "Pick", "", true, "C:", "Data70"},
        {"F:", "A", nullptr, nullptr, longTitle, longStart, true, "F:", "A"},
    };
    Host host;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wantDevice + std::string(c.wantArea) + c.title.substr(0, 8));
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kestrel");
        if (c.storedDevice) StoreText(kArbor, "Device", c.storedDevice);
        if (c.storedArea) StoreText(kArbor, "Storage Area", c.storedArea);
        std::string device = c.device, area = c.area;
        uint32_t index = 7;
        std::vector<std::string> results = {"stale"};
        CDevaDodDialog chooser(host.window, c.option, CDevaDodDialog::kBufferSize);
        UiDriver ui;
        const std::string caption = c.title.substr(0, 127);
        ui.WaitForDialog(caption).Then([](UiDriver& d) { d.Click(IDCANCEL); });
        int chosen = -1;
        EXPECT_TRUE(ui.Run([&] {
            chosen = chooser.ChooseItems(c.title, 0x400, index, device, area, c.start, results, "xtra", 0x4);
        })) << ui.Failure();
        EXPECT_EQ(chosen, 0);
        EXPECT_TRUE(results.empty());
        EXPECT_EQ(index, 7u);
        EXPECT_EQ(device + "|" + area, std::string(c.wantDevice) + "|" + c.wantArea);
        EXPECT_EQ(Stored("Device") + "|" + Stored("Storage Area"), device + "|" + area);

        auto r = Received();
        EXPECT_EQ(r["call"] + "|" + r["size"] + "|" + r["openSize"] + "|" + r["owner"],
                  "GetFileNameEx|" + std::to_string(sizeof(FileChoice)) + "|" + std::to_string(sizeof(OPENFILENAMEA)) +
                      "|" + Hex(reinterpret_cast<uintptr_t>(host.window)));
        EXPECT_EQ(r["instance"] + r["customFilter"] + r["fileTitle"] + r["reserved"], "0x00x0/00x0/00");
        EXPECT_EQ(r["flags"] + "|" + r["index"] + "|" + r["maxFile"] + "|" + r["file"],
                  (c.option ? "0x400" : "0x10000400") + std::string("|7|211000|"));
        EXPECT_EQ(r["title"], caption) << "cut to its 128-byte buffer";
        EXPECT_EQ(r["start"], c.start.substr(0, 259)) << "cut to its 260-byte buffer";
        EXPECT_EQ(r["device"] + "|" + r["area"], std::string(c.wantDevice) + "|" + c.wantArea);
        EXPECT_EQ(r["text3"] + "|" + r["extra"] + "|" + r["extraFlags"], "C:|xtra|0x204");
        for (const char* shared : {"initialDir", "text1", "text4"})
            EXPECT_EQ(r[std::string(shared) + "@"], r["filter@"]);
        EXPECT_EQ(r["filter"] + r["initialDir"] + r["text1"] + r["text4"], "");
        ExpectTabledLayout(r);
    }
}

// The single-item chooser replaces the field's text on a choice only.
TEST_F(DevaDodTest, ChooseItemFillsTheFieldFromTheChooserWindow) {
    MakeStorageArea("AREA2", {{"data\\model.ctl", "M1\nM2\n"}});
    Host host;
    for (const bool choose : {false, true}) {
        UiDriver single;
        single.WaitForDialog("Choose Model").Then([&](UiDriver& d) {
            EXPECT_FALSE(IsWindowEnabled(d.Item(IDC_AREA))) << "the given area is kept";
            SendMessageA(d.Item(IDC_ITEMS), LB_SETCURSEL, 1, 0);
            d.Click(choose ? IDOK : IDCANCEL);
        });
        bool result = !choose;
        EXPECT_TRUE(single.Run([&] { result = ChooseItem(host.window, Host::kField, 0x400, "C:AREA2"); }))
            << single.Failure();
        EXPECT_EQ(result, choose);
        EXPECT_EQ(host.Text(), choose ? "M2" : "BEFORE");
        auto r = Received();
        EXPECT_EQ(r["call"] + r["device"] + r["area"] + r["flags"] + r["maxFile"], "GetFileNameC:AREA20x800004002048");
        EXPECT_EQ(r["owner"], Hex(reinterpret_cast<uintptr_t>(host.window)));
        EXPECT_EQ(r["title"] + r["start"] + r["text3"] + r["extra"] + r["extraFlags"], "0x0");
        ExpectTabledLayout(r);
    }
    // A chooser may rewrite every text to the size the record promises:
    // each must be a buffer of its own, that large.
    SetEnvironmentVariableA("OPTORA_DEVADOD_FILL", "1");
    EXPECT_FALSE(ChooseItem(host.window, Host::kField, 0x400, "C:AREA2"));
    auto r = Received();
    std::vector<std::pair<uintptr_t, std::size_t>> buffers;
    for (const std::string key : {"filter", "initialDir", "title", "text1", "device", "area", "start", "text3",
                                  "text4", "extra"})
        buffers.push_back({std::stoull(r[key + "@"], nullptr, 16), key == "title" || key == "extra" ? 128 : 260});
    for (std::size_t i = 0; i < buffers.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_TRUE(buffers[i].first + buffers[i].second <= buffers[j].first ||
                        buffers[j].first + buffers[j].second <= buffers[i].first) << i << " overlaps " << j;
    std::string device = "C:", area = "A";
    uint32_t index = 0;
    std::vector<std::string> results;
    EXPECT_EQ(CDevaDodDialog(host.window, true, 8).ChooseItems("T", 0x400, index, device, area, "", results, "", 0), 0);
    EXPECT_EQ(device + area, std::string(518, 'F'));
    SetEnvironmentVariableA("OPTORA_DEVADOD_FILL", nullptr);
}

// What comes back in the result buffer, as another chooser might leave it.
TEST_F(DevaDodTest, ResultsAreTakenFromTheBufferAsTheyFit) {
    struct Case {
        std::string bytes; uint32_t kind; int answer, want; std::vector<std::string> names;
        std::string deviceLeft, device;  // what the chooser leaves in the device buffer, what comes back
    } cases[] = {
        {std::string("A\0BB\0CCCC", 9), 0x400, 1, 1, {"A", "BB"}, "Z:", "Z:"},  // the buffer ends inside the third
        {std::string("\0", 1), 0x400, 1, 0, {}, "Z:", "C:"},                    // a choice of nothing: a cancel
        {std::string("\0", 1), 0x40000000, 1, 1, {}, "Z:", "Z:"},               // areas come back in device and area
        {std::string("A\0\0", 3), 0x400, 0, 0, {}, "Z:", "Z:"},                 // cancelled: what the chooser left
        {std::string("A\0\0", 3), 0x400, 1, 1, {"A"}, std::string(260, 'D'), std::string(259, 'D')},  // no terminator
    };
    struct Scripted : CDevaDodDialog {
        explicit Scripted(const Case& c) : CDevaDodDialog(nullptr, true, 8), c(c) {}
        int RunChooser(FileChoice& record) override {
            std::memcpy(record.open.lpstrFile, c.bytes.data(),
                        std::min<std::size_t>(c.bytes.size(), record.open.nMaxFile));
            std::memcpy(record.device, c.deviceLeft.c_str(), std::min(c.deviceLeft.size() + 1, file_choice::kTextSize));
            sharedWasEmpty = record.text1[0] == '\0';
            std::memcpy(record.text4, "dirty", 6);  // the shared buffer: the next run must start it empty
            return c.answer;
        }
        const Case& c;
        bool sharedWasEmpty = false;
    };
    for (const Case& c : cases) {
        Scripted chooser(c);
        std::string device = "C:", area = "A1";
        uint32_t index = 0;
        std::vector<std::string> results;
        EXPECT_EQ(chooser.ChooseItems("", c.kind, index, device, area, "", results, "", 0), c.want);
        EXPECT_EQ(results, c.names);
        EXPECT_EQ(device, c.device);
        EXPECT_EQ(Stored("Device"), c.device);
        EXPECT_TRUE(chooser.sharedWasEmpty);
    }
}

// Run by the test below from a directory without devadod.dll.
TEST_F(DevaDodTest, DISABLED_WithoutTheChooserNothingIsChosen) {
    ASSERT_FALSE(fs::exists(BesideTestProgram("devadod.dll")));
    Host host;
    std::string device = "D:", area = "AREA3";
    uint32_t index = 5;
    std::vector<std::string> results = {"stale"};
    CDevaDodDialog chooser(nullptr, true, CDevaDodDialog::kBufferSize);
    EXPECT_EQ(chooser.ChooseItems("T", 0x400, index, device, area, "", results, "", 0), 0);
    EXPECT_TRUE(results.empty());
    EXPECT_EQ(device + area + std::to_string(index), "D:AREA35");
    EXPECT_EQ(Stored("Device") + Stored("Storage Area"), "D:AREA3") << "what was passed in is remembered";
    EXPECT_FALSE(ChooseItem(host.window, Host::kField, 0x400, "C:AREA1"));
    EXPECT_EQ(host.Text(), "BEFORE");
}

TEST_F(DevaDodTest, WithoutTheChooserEveryChoiceIsACancel) {
    const CopiesApart alone("optora-without-devadod", {"devadod_dialog_test.exe"});
    const Process run("\"" + alone / "devadod_dialog_test.exe" +
                      "\" --gtest_also_run_disabled_tests --gtest_filter=*DISABLED_WithoutTheChooser*");
    EXPECT_EQ(run.Wait(), 0u);
}
