// Record getters that answer from their last load while nothing it read has
// changed, against another process changing what they read.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <random>

#include "kestrel_test.h"
#include "optora.h"
#include "optora_library.h"
#include "other_process.h"
#include "policy_values.h"

using namespace optora::test;

namespace {

constexpr const char* kKestrel = "Software\\Kestrel";

std::string Hex(const void* data, std::size_t size) {
    std::string hex;
    for (const auto* byte = static_cast<const uint8_t*>(data); size--; ++byte)
        hex += {"0123456789abcdef"[*byte >> 4], "0123456789abcdef"[*byte & 15]};
    return hex.empty() ? "-" : hex;
}
std::string Hex(const std::string& bytes) { return Hex(bytes.data(), bytes.size()); }

// The getters that keep their answers, with their records' sizes; no size:
// a single value.
struct KeptGetter { const char* name; std::size_t size; };
constexpr KeptGetter kGetters[] = {
    {"optora_getcutoptions", sizeof(CutOptions_tag)},
    {"optora_getplotoptions", sizeof(PlotOptions_tag)},
    {"optora_getorderoptions", sizeof(OrderOptions_tag)},
    {"optora_getoptionsettings", sizeof(UserEnvItems_tag)},
    {"optora_getnotation", 0},
    {"optora_getprecision", 0},
    {"optora_getalteration", 0},
};

// optora.dll loaded afresh: it reads OPTORA_CHANGE_WATCH as it loads.
struct Library {
    Library() { for (const KeptGetter& getter : kGetters) getters.push_back(library.Entry<void* (*)()>(getter.name)); }
    OptoraLibrary library;
    std::vector<void* (*)()> getters;
    void (*setCutApp)(char*) = library.Entry<void (*)(char*)>("optora_setcutapp");
    void (*setPlotApp)(char*) = library.Entry<void (*)(char*)>("optora_setplotapp");
};

const char* const kKeys[] = {
    "Software\\Kestrel\\Arbor\\CutOptions\\DEFAULT_CUT_OPTIONS",
    "Software\\Kestrel\\Arbor\\CutOptions\\CUTGEN_CUT_OPTIONS",
    "Software\\Kestrel\\Arbor\\CutOptions", "Software\\Kestrel\\Arbor\\PlotOptions\\DEFAULT_PLOT_OPTIONS",
    "Software\\Kestrel\\Arbor\\PlotOptions\\ZID_PLOT_OPTIONS", "Software\\Kestrel\\Arbor\\PlotOptions",
    "Software\\Kestrel\\Arbor\\OrderOptions", "Software\\Kestrel\\Arbor", "Software\\Kestrel\\Velor\\Settings",
    "Software\\Kestrel\\ZID", "Software\\Policies\\Kestrel\\Arbor",
    "Software\\Policies\\Kestrel\\Arbor\\CutOptions\\CUTGEN_CUT_OPTIONS",
    "Software\\Policies\\Kestrel\\Recommended\\Arbor\\PlotOptions",
};
const char* const kNames[] = {
    "DosCutPath", "SaveToStorageArea", "Export", "CutFormat", "AutoCut", "DosCutExtension", "CutDefaultParamTbl",
    "DosPlotType", "DosPlotPath", "DefaultPlotQueue", "DefaultPlotMedia", "DefaultPlotOutput", "AutoPlot",
    "ImagePath", "ImageType", "WastePercentage", "OverwriteMarker", "SplitPieceSeam", "LayruleMethod", "Bundles_By",
    "PATH", "Notation", "Precision", "Alteration",
};
const char* const kData[] = {"-", "00", "01000000", "02000000", "ffffffff", "0100000000000000", "433a5c4100",
                             "4a50454700", "2e504c5400", "5100", "45", "443a5c5a494400", "3100", "3300"};
const DWORD kTypes[] = {REG_SZ, REG_BINARY, REG_DWORD};
// The first two have the same size.
const char* const kDeviceFiles[] = {
    "plot_type=1\nplot_dest=D:\\P1\ncut_dest=E:\\C1\n",
    "plot_type=2\nplot_dest=D:\\P2\ncut_dest=E:\\C2\n",
    "plot_type=0\nplot_dest=D:\\PLOTS\ncut_dest=E:\\CUTS\n",
};
char kAppNames[][24] = {"", "CUTGEN_CUT_OPTIONS", "ZID_PLOT_OPTIONS", "MARKERPLOT_PLOT_OPTIONS", "OTHER"};

// Every answer of the getters, then the registry and the device file as left.
struct Outcome { std::vector<std::string> answers; std::map<std::string, std::string> stored; };

Outcome RunSequence(unsigned seed, bool watch, int steps) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kKestrel);
    ClearPolicies();
    DeleteFileA(kDeviceFile);
    SetEnvironmentVariableA("OPTORA_CHANGE_WATCH", watch ? nullptr : "off");
    Library optora;
    CommandedProcess writer(Beside("kestrel_writer.exe"));
    EXPECT_TRUE(writer.Started());
    std::mt19937 random(seed);
    const auto pick = [&random](const auto& list) -> const auto& {
        return list[random() % (sizeof list / sizeof list[0])];
    };
    Outcome outcome;
    std::vector<unsigned char*> handedOut(std::size(kGetters), nullptr);
    for (int step = 0; step < steps; ++step) {
        switch (random() % 12) {
            case 0:
            case 1: {
                const std::string key = pick(kKeys), name = pick(kNames);
                const DWORD type = pick(kTypes);
                writer.Ask("set " + key + " " + name + " " + std::to_string(type) + " " + pick(kData));
                break;
            }
            case 2: writer.Ask(std::string("del ") + pick(kKeys) + " " + pick(kNames)); break;
            case 3:
                if (random() % 10 == 0) writer.Ask(std::string("tree ") + kKestrel);
                else if (random() % 5 == 0) writer.Ask("nofile");
                else writer.Ask((random() % 2 ? "file " : "sametimes ") + Hex(pick(kDeviceFiles)));
                break;
            case 4: {  // the caller writes into a record it was handed
                const std::size_t which = random() % handedOut.size();
                if (handedOut[which] && kGetters[which].size) handedOut[which][random() % kGetters[which].size] ^= 1 + random() % 255;
                break;
            }
            case 5:
                (random() % 2 ? optora.setCutApp : optora.setPlotApp)(kAppNames[random() % std::size(kAppNames)]);
                break;
            default: {
                const std::size_t which = random() % handedOut.size();
                std::string answer;
                if (kGetters[which].size) {
                    handedOut[which] = static_cast<unsigned char*>(optora.getters[which]());
                    answer = Hex(handedOut[which], kGetters[which].size);
                } else {
                    answer = std::to_string(reinterpret_cast<int (*)()>(reinterpret_cast<void (*)()>(optora.getters[which]))());
                }
                outcome.answers.push_back(std::to_string(step) + " " + kGetters[which].name + " " + answer);
            }
        }
    }
    outcome.stored = RegistryTree(kKestrel);
    for (const auto& [key, value] : RegistryTree("Software\\Policies\\Kestrel")) outcome.stored[key] = value;
    outcome.stored["device file"] = ReadWhole(kDeviceFile);
    SetEnvironmentVariableA("OPTORA_CHANGE_WATCH", nullptr);
    return outcome;
}

class KeptRecordsTest : public KestrelTest {};

TEST_F(KeptRecordsTest, AnswerAndStoreExactlyAsWithoutTheWatch) {
    char given[16] = {};
    const unsigned seed = GetEnvironmentVariableA("OPTORA_TEST_SEED", given, sizeof given)
                              ? unsigned(std::strtoul(given, nullptr, 10))
                              : unsigned(GetTickCount());
    SCOPED_TRACE("seed " + std::to_string(seed) + " (OPTORA_TEST_SEED repeats it)");
    const int kSteps = 8000;  // about 1300 calls of each getter
    const Outcome watched = RunSequence(seed, true, kSteps);
    const Outcome loaded = RunSequence(seed, false, kSteps);
    ASSERT_EQ(watched.answers.size(), loaded.answers.size());
    for (std::size_t i = 0; i < watched.answers.size(); ++i)
        ASSERT_EQ(watched.answers[i], loaded.answers[i]) << "answer " << i;
    EXPECT_EQ(watched.stored, loaded.stored);
}

// Another process rewrites the device file, then says so; the next call must
// return what it holds.
TEST_F(KeptRecordsTest, NeverStaleAfterAnotherProcessRewroteTheDeviceFile) {
    Library optora;
    CommandedProcess writer(Beside("kestrel_writer.exe"));
    ASSERT_TRUE(writer.Started());
    // Rewritten, then rewritten again at the same size with its times put
    // back to what the last load saw while those were recent: only its bytes
    // tell.
    int stale = 0;
    for (int round = 0; round < 1000; ++round) {
        for (const char* command : {"file ", "sametimes "}) {
            char expected[16];
            std::snprintf(expected, sizeof expected, "E:\\%s%04d", command[0] == 'f' ? "A" : "B", round);
            ASSERT_EQ(writer.Ask(command + Hex(std::string("plot_type=1\nplot_dest=D:\\P\ncut_dest=") + expected + "\n")),
                      "ok");
            for (int call = 0; call < 2; ++call)  // the second after the library's own save fired the watch
                if (std::strcmp(static_cast<CutOptions_tag*>(optora.getters[0]())->DosCutPath, expected) != 0)
                    ++stale;
        }
    }
    EXPECT_EQ(stale, 0) << "device file";
}

}  // namespace
