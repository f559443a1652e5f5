// optora-cli: shows and sets the suite's preferences from a console. It binds
// optora.dll by name exactly as the suite's applications do, so what it
// prints is what they see. Settings as a whole (export, import, reset) are
// moved by the registry itself, limited to what the library writes.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>

#include "admx_template.h"
#include "binding.h"
#include "describe.h"
#include "options/policy.h"
#include "options/settings_table.h"
#include "policy_report.h"
#include "settings_commands.h"
#include "show.h"
#include "store/registry_paths.h"
#include "strict_int.h"

namespace {

using optora::cli::kExitFailed;
constexpr int kUsageError = optora::cli::kExitUsage;

using IntGetter = int (*)();
using IntSetter = void (*)(int);

// A single value the command line can get (and perhaps set) by name.
struct Setting {
    const char* name;
    const char* getter;
    const char* setter;     // null when the library has no setter
    const char* valueName;  // set as the Preference dialog stores it; null otherwise
    int lowest, highest;    // what that dialog offers
    const char* key;        // where it is stored, as a policy may lock it
    const char* storedName;
};

const Setting kSettings[] = {
    {"notation", "optora_getnotation", nullptr, "Notation", 0, 1, optora::keys::kArbor, "Notation"},
    {"precision", "optora_getprecision", nullptr, "Precision", 0, 3, optora::keys::kArbor, "Precision"},
    {"alteration", "optora_getalteration", "optora_setalteration", nullptr, 0, 0, optora::keys::kArbor, "Alteration"},
    {"gradeoption", "optora_getgradeoption", "optora_setgradeoption", nullptr, 0, 0, optora::keys::kGradeOptions,
     "Grade Method"},
};

const Setting* FindSetting(const char* name) {
    for (const Setting& s : kSettings)
        if (std::strcmp(s.name, name) == 0) return &s;
    return nullptr;
}

// `show --cutapp NAME --plotapp NAME`: the application names choose which
// stored variant of the cut and plot options the blocks show.
struct AppOption {
    const char* flag;
    const char* setter;
};
const AppOption kAppOptions[] = {{"--cutapp", "optora_setcutapp"}, {"--plotapp", "optora_setplotapp"}};

bool ShowOptionsValid(int argc, char** argv) {
    if (argc % 2 != 0) return false;
    for (int i = 2; i < argc; i += 2) {
        bool known = false;
        for (const AppOption& option : kAppOptions) known = known || std::strcmp(argv[i], option.flag) == 0;
        if (!known) return false;
    }
    return true;
}

int Show(int argc, char** argv) {
    for (int i = 2; i < argc; i += 2)
        for (const AppOption& option : kAppOptions)
            if (std::strcmp(argv[i], option.flag) == 0) {
                if (auto set = Bind<void (*)(char*)>(option.setter)) set(argv[i + 1]);
            }
    for (int i = 0; i < kShowBlockCount; ++i) {
        std::printf("[%s]\n", kShowBlocks[i].title);
        kShowBlocks[i].print();
        std::printf("\n");
    }
    return 0;
}

int Usage(const char* complaint) {
    if (complaint) std::fprintf(stderr, "optora-cli: %s\n", complaint);
    std::fprintf(stderr,
                 "usage: optora-cli show [--cutapp NAME] [--plotapp NAME]\n"
                 "       optora-cli get NAME\n"
                 "       optora-cli set NAME VALUE\n"
                 "       optora-cli export [FILE]\n"
                 "       optora-cli import FILE\n"
                 "       optora-cli reset [SET]\n"
                 "       optora-cli monitor\n"
                 "       optora-cli policy\n"
                 "       optora-cli describe [SET] [--markdown]\n"
                 "       optora-cli admx DIR\n"
                 "names:");
    for (const Setting& s : kSettings) std::fprintf(stderr, " %s", s.name);
    std::fprintf(stderr, "\nsets:");
    for (const optora::OptionSetInfo& set : optora::kOptionSets) std::fprintf(stderr, " %s", set.name);
    std::fprintf(stderr, "\n");
    return kUsageError;
}

int Get(const char* name) {
    const Setting* s = FindSetting(name);
    if (!s) return Usage((std::string("unknown setting '") + name + "'").c_str());
    const IntGetter get = Bind<IntGetter>(s->getter);
    if (!get) return Usage((std::string("this optora.dll has no ") + s->getter).c_str());
    std::printf("%d\n", get());
    return 0;
}

int Set(const char* name, const char* text) {
    const Setting* s = FindSetting(name);
    if (!s) return Usage((std::string("unknown setting '") + name + "'").c_str());
    int value = 0;
    if (!ParseStrictInt(text, value)) return Usage((std::string("not a whole number: '") + text + "'").c_str());
    // The library would hold the write back; saying so beats a silent no-op.
    if (const std::optional<optora::PolicyLock> lock = optora::LockOf(s->key, s->storedName)) {
        std::fprintf(stderr, "optora-cli: %s is locked by policy (%s); nothing was changed\n", name,
                     optora::PolicyLocation(lock->entry).c_str());
        return kExitFailed;
    }
    if (s->valueName) {
        if (value < s->lowest || value > s->highest) {
            std::fprintf(stderr, "optora-cli: %s must be %d to %d\n", name, s->lowest, s->highest);
            return kExitFailed;
        }
        return optora::cli::SetPreferenceText(s->valueName, value);
    }
    const IntSetter set = Bind<IntSetter>(s->setter);
    if (!set) return Usage((std::string("this optora.dll has no ") + s->setter).c_str());
    set(value);
    return 0;
}

// `describe [SET] [--markdown]`, in either order; null when the arguments are not that.
bool DescribeArguments(int argc, char** argv, const optora::OptionSetInfo*& set, bool& markdown) {
    set = nullptr;
    markdown = false;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--markdown") == 0 && !markdown)
            markdown = true;
        else if (!set && (set = optora::FindOptionSet(argv[i])))
            continue;
        else
            return false;
    }
    return argc <= 4;
}

int Describe(const optora::OptionSetInfo* set, bool markdown) {
    const std::string text = optora::cli::DescribeSettings(set, markdown);
    _setmode(_fileno(stdout), _O_BINARY);  // docs/settings.md has LF line ends
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0 ? 0
                                                                                                      : kExitFailed;
}

// `admx DIR`: optora.admx in DIR, its language files in DIR\en-US and DIR\de-DE.
int WriteAdministrativeTemplates(const std::string& dir) {
    for (const optora::cli::TemplateFile& file : optora::cli::AdministrativeTemplates()) {
        const std::string folder = file.folder.empty() ? dir : dir + "\\" + file.folder;
        if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            std::fprintf(stderr, "optora-cli: cannot create %s (error %lu)\n", folder.c_str(), GetLastError());
            return kExitFailed;
        }
        const std::string path = folder + "\\" + file.name;
        std::ofstream out(path, std::ios::binary);
        if (!out.write(file.text.data(), file.text.size()) || !out.flush()) {
            std::fprintf(stderr, "optora-cli: cannot write %s\n", path.c_str());
            return kExitFailed;
        }
    }
    return 0;
}

}  // namespace

HMODULE OptoraLibrary() {
    static HMODULE library = LoadLibraryA("optora.dll");
    return library;
}

int main(int argc, char** argv) {
    if (argc < 2) return Usage(nullptr);
    const std::string command = argv[1];
    const bool known = (command == "show" && ShowOptionsValid(argc, argv)) || (command == "get" && argc == 3) ||
                       (command == "set" && argc == 4) || (command == "export" && argc <= 3) ||
                       (command == "import" && argc == 3) || (command == "monitor" && argc == 2) ||
                       (command == "policy" && argc == 2) ||
                       (command == "reset" && (argc == 2 || (argc == 3 && optora::FindOptionSet(argv[2]))));
    const optora::OptionSetInfo* describedSet = nullptr;
    bool markdown = false;
    if (command == "describe") {
        if (!DescribeArguments(argc, argv, describedSet, markdown))
            return Usage("describe takes a set name and --markdown, each at most once");
        return Describe(describedSet, markdown);
    }
    if (command == "admx") return argc == 3 ? WriteAdministrativeTemplates(argv[2]) : Usage("admx takes a folder");
    if (!known) return Usage((std::string("unknown command or wrong arguments: '") + command + "'").c_str());

    if (command == "export") return optora::cli::ExportSettings(argc == 3 ? argv[2] : nullptr);
    if (command == "import") return optora::cli::ImportSettings(argv[2]);
    if (command == "monitor") return optora::cli::MonitorSettings();
    if (command == "policy") return optora::cli::ReportPolicy();
    if (!OptoraLibrary()) {
        std::fprintf(stderr, "optora-cli: cannot load optora.dll (error %lu)\n", GetLastError());
        return kExitFailed;
    }
    if (command == "reset") return optora::cli::ResetSettings(argc == 3 ? argv[2] : nullptr);
    if (command == "show") return Show(argc, argv);
    if (command == "get") return Get(argv[2]);
    return Set(argv[2], argv[3]);
}
