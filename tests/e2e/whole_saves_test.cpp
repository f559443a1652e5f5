// Saves seen whole: while one program saves a set value by value, another
// program's getter hands out the set as it was before or after, never a mix.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>
#include <thread>

#include "dialog_test.h"
#include "optora.h"
#include "other_process.h"

using namespace optora::test;

namespace {

constexpr const char* kDefaultCut = "Software\\Kestrel\\Arbor\\CutOptions\\DEFAULT_CUT_OPTIONS";
constexpr const char* kVelor = "Software\\Kestrel\\Velor\\Settings";
constexpr int kCutDirectory = 25015, kCutTable = 25022;

// Two complete cut sets that differ in every value, and how the reader prints each.
struct CutSet { const char* file; const char* printed; };
const CutSet kSetA = {
    "\"DosCutPath\"=\"C:\\\\CUTA\"\r\n\"DosCutExtension\"=\"AAA\"\r\n\"CutFormat\"=\"33format\"\r\n"
    "\"CutDefaultParamTbl\"=\"P-AAA\"\r\n\"SaveToStorageArea\"=hex:01,00,00,00\r\n\"Export\"=hex:01,00,00,00\r\n"
    "\"AutoCut\"=hex:01,00,00,00\r\n\"DosNameFormat\"=hex:01,00,00,00\r\n\"DosExtType\"=hex:03,00,00,00\r\n"
    "\"FilenameAppendCnt\"=hex:01,00,00,00\r\n",
    "C:\\CUTA|AAA|33format|P-AAA|1111311"};
const CutSet kSetB = {
    "\"DosCutPath\"=\"C:\\\\CUTB\"\r\n\"DosCutExtension\"=\"BBB\"\r\n\"CutFormat\"=\"43format\"\r\n"
    "\"CutDefaultParamTbl\"=\"P-BBB\"\r\n\"SaveToStorageArea\"=hex:00,00,00,00\r\n\"Export\"=hex:00,00,00,00\r\n"
    "\"AutoCut\"=hex:00,00,00,00\r\n\"DosNameFormat\"=hex:00,00,00,00\r\n\"DosExtType\"=hex:02,00,00,00\r\n"
    "\"FilenameAppendCnt\"=hex:00,00,00,00\r\n",
    "C:\\CUTB|BBB|43format|P-BBB|0000200"};

std::string SettingsFile(const CutSet& set, int bundlesBy) {
    return "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor]\r\n\"Bundles_By\"=hex:0" +
           std::to_string(bundlesBy) + ",00,00,00\r\n\r\n[HKEY_CURRENT_USER\\" + kDefaultCut + "]\r\n" + set.file;
}

DWORD RunCli(const std::string& arguments) { return Process(Beside("optora-cli.exe", arguments)).Wait(); }

class WholeSavesTest : public DialogTest {
protected:
    void TearDown() override {
        std::error_code ignored;
        for (const std::string& file : {files_[0], files_[1], out_}) std::filesystem::remove(file, ignored);
        DialogTest::TearDown();
    }
    void WriteSets() {
        WriteWhole(files_[0], SettingsFile(kSetA, 1));
        WriteWhole(files_[1], SettingsFile(kSetB, 0));
        ASSERT_EQ(RunCli("import \"" + files_[0] + "\""), 0u);
    }
    // Runs write(round) again and again while another process reads the cut
    // set for a few seconds; every record it was handed must be one of these.
    void ExpectOnlyWhole(const std::function<void(int)>& write, std::initializer_list<std::string> whole) {
        const Process reader(Beside("record_reader.exe", "3000"), out_);
        ASSERT_TRUE(reader.Started());
        int rounds = 0;
        for (; reader.Wait(0) == Process::kNoEnd; ++rounds) write(rounds);
        EXPECT_EQ(reader.Wait(), 0u);
        EXPECT_GE(rounds, 2);
        long mixed = 0, calls = 0;
        std::istringstream lines(ReadWhole(out_));
        for (std::string line; std::getline(lines, line);) {
            const long count = std::stol(line);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const std::string record = line.substr(line.find('\t') + 1);
            calls += count;
            if (std::find(whole.begin(), whole.end(), record) != whole.end()) continue;
            mixed += count;
            ADD_FAILURE() << count << " records mixed two saves: " << record;
        }
        EXPECT_EQ(mixed, 0) << "of " << calls << " calls";
    }

    const std::string files_[2] = {(std::filesystem::temp_directory_path() / "optora-a.reg").string(),
                                   (std::filesystem::temp_directory_path() / "optora-b.reg").string()};
    const std::string out_ = (std::filesystem::temp_directory_path() / "optora-reader.txt").string();
};

}  // namespace

TEST_F(WholeSavesTest, AGetterNeverHandsOutHalfOfAnImport) {
    WriteSets();
    ExpectOnlyWhole([&](int round) { RunCli("import \"" + files_[(round + 1) % 2] + "\""); },
                    {kSetA.printed, kSetB.printed});
}

TEST_F(WholeSavesTest, AGetterNeverHandsOutHalfOfTheCutDialogsOk) {
    WriteSets();
    for (const char* directory : {"C:\\CUTA", "C:\\CUTB"}) std::filesystem::create_directories(directory);
    const auto cut = library_.Entry<void (*)(HWND)>("optora_docutoptions");
    ExpectOnlyWhole(
        [&](int round) {
            const char* letter = round % 2 ? "A" : "B";
            Drive("Default Cut Options", [&] { cut(nullptr); }, [letter](UiDriver& d) {
                d.TypeText(kCutDirectory, std::string("C:\\CUT") + letter);
                d.TypeText(kCutTable, std::string("P-") + letter + letter + letter);
                d.Click(IDOK);
            });
        },
        {kSetA.printed, "C:\\CUTB|AAA|33format|P-BBB|1111311"});
}

// A program killed while it held the lock hands it over: the next load
// goes ahead at once, and lets it go for other programs.
TEST_F(WholeSavesTest, ALockWhoseHolderDiedIsTakenOver) {
    WriteSets();
    const auto get = library_.Entry<CutOptions_tag* (*)()>("optora_getcutoptions");
    EXPECT_STREQ(get()->DosCutPath, "C:\\CUTA");
    {
        CommandedProcess holder(Beside("kestrel_writer.exe"));
        ASSERT_EQ(holder.Ask("hold Local\\KestrelOptionStore"), "ok");
        ASSERT_EQ(holder.Ask(std::string("set ") + kDefaultCut + " DosCutPath 1 433a5c4b494c4c454400"), "ok");
        holder.Ask("die");
    }
    const DWORD start = GetTickCount();
    EXPECT_STREQ(get()->DosCutPath, "C:\\KILLED");
    EXPECT_LT(GetTickCount() - start, 5000u) << "taken over, not waited for";
    DWORD free = WAIT_FAILED;  // and let go again: another thread finds it free
    std::thread([&free] {
        const HANDLE lock = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, "Local\\KestrelOptionStore");
        free = lock ? WaitForSingleObject(lock, 0) : WAIT_FAILED;
        if (free == WAIT_OBJECT_0) ReleaseMutex(lock);
        if (lock) CloseHandle(lock);
    }).join();
    EXPECT_EQ(free, WAIT_OBJECT_0);
    EXPECT_EQ(RunCli("import \"" + files_[1] + "\""), 0u);
    EXPECT_STREQ(get()->DosCutPath, "C:\\CUTB");
}

// A load that repairs its set writes back only what it found missing, even
// when another program stores the shared "Bundles_By" while it loads.
TEST_F(WholeSavesTest, ARepairingLoadKeepsWhatAnotherProgramStoredMeanwhile) {
    const struct { const char* app; const char* getter; } kLoads[] = {
        {"optora_setcutapp", "optora_getcutoptions"}, {"optora_setplotapp", "optora_getplotoptions"}};
    for (const auto& load : kLoads) {
        SCOPED_TRACE(load.getter);
        for (const char* key : {kArbor, kVelor}) StoreInt32(key, "Bundles_By", 1);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kestrel\\Arbor\\CutOptions");
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kestrel\\Arbor\\PlotOptions");
        WriteWhole(kDeviceFile, "plot_type=1\nplot_dest=C:\\P\ncut_dest=C:\\C\n");
        library_.Entry<void (*)(const char*)>(load.app)("NEWAPP");
        // The incomplete set makes the load read the device file, under its
        // lock: the other program holds that lock while it stores.
        CommandedProcess other(Beside("kestrel_writer.exe"));
        ASSERT_EQ(other.Ask("hold Local\\KestrelDeviceDestinationFile"), "ok");
        const auto getter = library_.Entry<void* (*)()>(load.getter);
        std::thread loading(getter);
        Sleep(500);
        for (const char* key : {kArbor, kVelor})
            EXPECT_EQ(other.Ask(std::string("set ") + key + " Bundles_By 3 07000000"), "ok");
        EXPECT_EQ(other.Ask("release"), "ok");
        loading.join();
        for (const char* key : {kArbor, kVelor}) EXPECT_EQ(RequireStored(key, "Bundles_By").Int32(), 7) << key;
    }
}
