// The DLL as the suite binds it: by file name, then every entry point by name.
#include <set>
#include <string>

#include "kestrel_test.h"
#include "optora.h"
#include "optora_library.h"

using namespace optora::test;

namespace {

const std::set<std::string> kExpectedExports = {
    "optora_getnotation",          "optora_getprecision",
    "optora_getalteration",        "optora_setalteration",
    "optora_getbroadcastid",       "optora_getbroadcastid_gradeopt",
    "optora_getbroadcastalt",      "optora_getbroadcastid_cutopt",
    "optora_getbroadcastid_plotopt", "optora_getbroadcastid_orderopt",
    "optora_getbroadcastid_verifyopt",
    "optora_setcutapp",            "optora_getcutapp",
    "optora_setplotapp",           "optora_getplotapp",
    "optora_getcutoptions",        "optora_getplotoptions",
    "_optora_getcutoptions",       "_optora_getplotoptions",
    "optora_getorderoptions",      "optora_getverifyoptions",
    "optora_dopreferences",        "optora_dopreferences_devarea",
    "optora_dopreferences_devarea_name", "_optora_dopreferences",
    "_optora_getnotation",         "_optora_getprecision",
    "_optora_getbroadcastid",      "_optora_getbroadcastid_gradeopt",
    "_optora_getbroadcastalt",     "_optora_getbroadcastid_cutopt",
    "_optora_getbroadcastid_plotopt", "_optora_getbroadcastid_orderopt",
    "_optora_getbroadcastid_verifyopt",
    "_optora_getorderoptions",     "_optora_getverifyoptions",
    "optora_getoptionsettings",    "_optora_getoptionsettings",
    "optora_dopreferences_noarea", "optora_dogradeoptions",
    "optora_getgradeoption",       "optora_setgradeoption",
    "_optora_dogradeoptions",      "_optora_getgradeoption",
    "_optora_setgradeoption",
    "optora_doorderoptions",       "_optora_doorderoptions",
};

std::set<std::string> ExportedNames(HMODULE module) {
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto* directory = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    auto* names = reinterpret_cast<const DWORD*>(base + directory->AddressOfNames);
    std::set<std::string> result;
    for (DWORD i = 0; i < directory->NumberOfNames; ++i) result.insert(reinterpret_cast<const char*>(base + names[i]));
    return result;
}

class ExportsTest : public KestrelTest {
protected:
    template <typename Fn>
    Fn Entry(const char* name) const {
        return library_.Entry<Fn>(name);
    }
    OptoraLibrary library_;
};

using IntFn = int (*)();

}  // namespace

TEST_F(ExportsTest, ExportsExactlyTheUndecoratedNamesThatBehave) {
    ASSERT_TRUE(library_.Loaded());
    EXPECT_EQ(ExportedNames(GetModuleHandleA("optora.dll")), kExpectedExports);
}

TEST_F(ExportsTest, UnderscoreTwinsBehaveAsTheirPlainEntryPoints) {
    const char* const twins[] = {"getnotation", "getprecision", "getbroadcastid", "getbroadcastid_gradeopt",
                                 "getbroadcastalt", "getbroadcastid_cutopt", "getbroadcastid_plotopt",
                                 "getbroadcastid_orderopt", "getbroadcastid_verifyopt", "getgradeoption"};
    auto compare = [&](const char* state) {
        for (const char* twin : twins) {
            const std::string plain = std::string("optora_") + twin;
            auto a = Entry<IntFn>(plain.c_str());
            auto b = Entry<IntFn>(("_" + plain).c_str());
            if (a && b) {
                EXPECT_EQ(a(), b()) << plain << " with " << state;
            }
        }
    };
    compare("nothing stored, metric region");
    SetRegionalMeasurement(true);
    StoreText("Software\\Kestrel\\Arbor", "Precision", "3");
    compare("US region, precision 3");
    StoreText("Software\\Kestrel\\Arbor", "Notation", "0");
    compare("notation 0");
    EXPECT_EQ(Entry<IntFn>("optora_getbroadcastid_verifyopt")(),
              static_cast<int>(RegisterWindowMessageA("VerifyStorageAreaChanged")))
        << "the caller's process sees the same identifier";
}

TEST_F(ExportsTest, ApplicationNamesLiveInTheLibrary) {
    auto setCut = Entry<void (*)(char*)>("optora_setcutapp");
    auto getCut = Entry<char* (*)()>("optora_getcutapp");
    auto getPlot = Entry<char* (*)()>("optora_getplotapp");
    EXPECT_STREQ(getCut(), "");
    char* const buffer = getCut();
    char name[] = "CUTGEN_CUT_OPTIONS";
    setCut(name);
    name[0] = 'X';  // the library keeps its own copy
    EXPECT_STREQ(getCut(), "CUTGEN_CUT_OPTIONS");
    EXPECT_EQ(getCut(), buffer) << "always the same buffer";
    EXPECT_STREQ(getPlot(), "") << "the two names are separate";
    setCut(nullptr);
}

TEST_F(ExportsTest, UserEnvironmentGetterHandsOutOneRecordAndReloadsIt) {
    using Getter = UserEnvItems_tag* (*)();
    UserEnvItems_tag* first = Entry<Getter>("optora_getoptionsettings")();
    EXPECT_EQ(first->GroupCount, 4);
    EXPECT_FALSE(KeyExists("Software\\Kestrel")) << "no key at all: nothing is created";

    StoreInt32("Software\\Kestrel\\Arbor\\PlotOptions", "DosPlotType", 3);
    EXPECT_EQ(Entry<Getter>("_optora_getoptionsettings")(), first);
    EXPECT_EQ(first->DosPlotType, 3);
    EXPECT_STREQ(first->CutFormat, "42format") << "the cut group came from its loader";
}
