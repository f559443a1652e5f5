// Callers on several threads and several processes at once, through
// optora.dll as the suite binds it.
#include <atomic>
#include <set>
#include <thread>
#include <utility>

#include "kestrel_test.h"
#include "optora.h"
#include "optora_library.h"
#include "other_process.h"

using namespace optora::test;

namespace {

std::string ReadShared() {
    HANDLE file = CreateFileA(kDeviceFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "(cannot open)";
    char buffer[2048];
    DWORD got = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) got = 0;
    CloseHandle(file);
    return std::string(buffer, got);
}

// Values the kept records hold, written by another process as 4-byte binaries.
constexpr std::pair<const char*, const char*> kWritten[] = {
    {"Software\\Kestrel\\Arbor\\CutOptions\\CUTGEN_CUT_OPTIONS", "DosExtType"},
    {"Software\\Kestrel\\Arbor\\PlotOptions\\MARKERPLOT_PLOT_OPTIONS", "PlotDosExtType"},
    {"Software\\Kestrel\\Arbor\\OrderOptions", "OverwriteMarker"},
};

std::string WriteCommand(const std::pair<const char*, const char*>& value, int number) {
    return std::string("set ") + value.first + " " + value.second + " 3 0" + std::to_string(number % 10) + "000000";
}

class ConcurrencyTest : public KestrelTest {};

}  // namespace

TEST_F(ConcurrencyTest, GettersOnManyThreadsWhileAnotherProcessWritesEndFresh) {
    OptoraLibrary library;
    ASSERT_TRUE(library.Loaded());
    // Every getter takes no arguments; what they return is looked at once the writer stopped.
    std::vector<void (*)()> getters;
    for (const char* name : {"optora_getcutoptions", "optora_getplotoptions", "optora_getorderoptions",
                             "optora_getverifyoptions", "optora_getoptionsettings", "optora_getnotation",
                             "optora_getgradeoption"}) {
        getters.push_back(library.Entry<void (*)()>(name));
        ASSERT_TRUE(getters.back()) << name;
    }
    library.Entry<void (*)(const char*)>("optora_setcutapp")("CUTGEN_CUT_OPTIONS");
    library.Entry<void (*)(const char*)>("optora_setplotapp")("MARKERPLOT_PLOT_OPTIONS");
    StoreText("Software\\Kestrel\\Quillon", "Model", "M1");
    const char* model = library.Entry<VerifyOptions_tag* (*)()>("optora_getverifyoptions")()->Model.Text;
    const CutOptions_tag* cut = library.Entry<CutOptions_tag* (*)()>("optora_getcutoptions")();
    const PlotOptions_tag* plot = library.Entry<PlotOptions_tag* (*)()>("optora_getplotoptions")();
    const OrderOptions_tag* order = library.Entry<OrderOptions_tag* (*)()>("optora_getorderoptions")();
    const UserEnvItems_tag* environment = library.Entry<UserEnvItems_tag* (*)()>("optora_getoptionsettings")();
    CommandedProcess writer(Beside("kestrel_writer.exe"));
    ASSERT_TRUE(writer.Started());

    std::atomic<bool> stop{false};
    std::atomic<long> calls{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&] {
            for (; !stop; ++calls)
                for (const auto getter : getters) getter();
            for (const auto getter : getters) getter();  // after the writer stopped
        });
    }
    const DWORD start = GetTickCount();
    int round = 0;
    for (; GetTickCount() - start < 2000; ++round)
        for (const auto& value : kWritten) writer.Ask(WriteCommand(value, round));
    for (const auto& value : kWritten) EXPECT_EQ(writer.Ask(WriteCommand(value, 7)), "ok");
    stop = true;
    for (std::thread& thread : threads) thread.join();
    EXPECT_GT(calls.load(), 8);
    EXPECT_GT(round, 8);
    EXPECT_STREQ(model, "M1") << "a text read before other calls stays readable";

    // What the threads' last calls left, then what one more call returns.
    for (const bool call : {false, true}) {
        SCOPED_TRACE(call ? "one more call" : "left by the threads");
        if (call)
            for (const auto getter : getters) getter();
        EXPECT_EQ(cut->DosExtType, 7);
        EXPECT_EQ(plot->PlotDosExtType, 7);
        EXPECT_EQ(order->OverwriteMarker, 7);
        EXPECT_EQ(environment->OverwriteMarker, 7);
    }
}

TEST_F(ConcurrencyTest, TwoProcessesSavingAtOnceLoseNoLineAndNoReaderSeesATornFile) {
    WriteWhole(kDeviceFile, "plot_type=2\nplot_dest=D:\\PLOTS\ncut_dest=E:\\CUT\n");
    // Every whole file the two savers can leave, and nothing else.
    std::set<std::string> whole;
    for (const char* plot : {"2\nplot_dest=D:\\PLOTS", "0\nplot_dest=D:\\B22222", "1\nplot_dest=D:\\B1",
                             "3\nplot_dest=D:\\BFINAL"})
        for (const char* cut : {"E:\\CUT", "E:\\A1", "E:\\A22222", "E:\\AFINAL"})
            whole.insert(std::string("plot_type=") + plot + "\ncut_dest=" + cut + "\n");

    const Process cut(Beside("device_saver.exe", "cut 2500")), plot(Beside("device_saver.exe", "plot 2500"));
    ASSERT_TRUE(cut.Started() && plot.Started());
    HANDLE savers[] = {cut.Handle(), plot.Handle()};
    int reads = 0, bad = 0;
    std::string example;
    while (WaitForMultipleObjects(2, savers, TRUE, 0) == WAIT_TIMEOUT) {
        const std::string bytes = ReadShared();
        ++reads;
        if (!whole.count(bytes)) {
            ++bad;
            example = bytes;
        }
    }
    EXPECT_EQ(cut.Wait(0), 0u);
    EXPECT_EQ(plot.Wait(0), 0u);
    EXPECT_EQ(bad, 0) << "of " << reads << " reads, e.g. '" << example << "'";
    EXPECT_GT(reads, 50);
    EXPECT_EQ(ReadShared(), "plot_type=3\nplot_dest=D:\\BFINAL\ncut_dest=E:\\AFINAL\n");
}
