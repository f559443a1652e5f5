#include "settings_commands.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "binding.h"
#include "frame/notifications.h"
#include "optora.h"
#include "policy_locks.h"
#include "settings_registry.h"
#include "store/registry_key.h"
#include "store/registry_paths.h"
#include "store/store_lock.h"

namespace optora::cli {
namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "optora-cli: %s\n", message.c_str());
    return kExitFailed;
}

int Report(const Changes& changes) {
    for (const std::string& failure : changes.failures) std::fprintf(stderr, "optora-cli: %s\n", failure.c_str());
    return changes.failures.empty() ? kExitDone : kExitFailed;
}

// The repairing loads of the library write a set's defaults back; each
// emptied variant is loaded under its own application name.
void WriteDefaultsBack(const Changes& changes, const std::vector<std::string>& emptied) {
    const struct {
        const char* parent;
        const char* setApp;
        const char* load;
    } kVariantSets[] = {{keys::kCutOptions, "optora_setcutapp", "optora_getcutoptions"},
                        {keys::kPlotOptions, "optora_setplotapp", "optora_getplotoptions"}};
    for (const std::string& path : emptied)
        for (const auto& variants : kVariantSets) {
            if (OwnedKey(path) != std::string(variants.parent)) continue;
            std::string application = path.substr(std::min(path.size(), std::strlen(variants.parent) + 1));
            if (auto setApp = Bind<void (*)(char*)>(variants.setApp)) setApp(application.data());
            if (auto load = Bind<void* (*)()>(variants.load)) load();
        }
    const struct {
        OptionSet set;
        const char* load;
    } kRepairing[] = {{OptionSet::Order, "optora_getorderoptions"},
                      {OptionSet::Verify, "optora_getverifyoptions"},
                      {OptionSet::GradeOption, "optora_getgradeoption"}};
    for (const auto& repairing : kRepairing)
        if (changes.sets.count(repairing.set))
            if (auto load = Bind<void* (*)()>(repairing.load)) load();
}

// What is stored at one moment, never half of a save in progress.
SettingsFile StoredSettingsWhole() {
    const StoreLock hold;
    return ReadStoredSettings(true);
}

}  // namespace

int ExportSettings(const char* path) {
    std::vector<std::string> skipped;
    const std::string text = FormatSettingsFile(ExportableSettings(StoredSettingsWhole(), skipped));
    for (const std::string& note : skipped)
        std::fprintf(stderr, "optora-cli: left out %s\n", note.c_str());
    if (!path) {
        _setmode(_fileno(stdout), _O_BINARY);  // the CR LF of the file as it is
        return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0
                   ? kExitDone
                   : Fail("cannot write to standard output");
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return out ? kExitDone : Fail(std::string("cannot write ") + path);
}

int ImportSettings(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail(std::string("cannot read ") + path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SettingsFile file;
    std::optional<FileError> error = ParseSettingsFile(text, file);
    if (!error) error = CheckSettingsFile(file);
    if (error) return Fail(std::string(path) + ":" + std::to_string(error->line) + ": " + error->message +
                           "; nothing was imported");
    Changes changes;
    {
        const StoreLock hold;  // the suite's getters see the file applied whole or not at all
        std::vector<std::string> locked;
        changes = ApplySettings(WithoutLockedValues(file, locked));
        for (const std::string& location : locked)
            std::fprintf(stderr, "optora-cli: left alone, locked by policy: %s\n", location.c_str());
    }
    AnnounceChanges(changes);
    return Report(changes);
}

int ResetSettings(const char* setName) {
    std::set<OptionSet> sets;
    for (const OptionSetInfo& info : kOptionSets)
        if (!setName || std::strcmp(setName, info.name) == 0) sets.insert(info.set);
    std::vector<std::string> emptied;
    Changes changes;
    {
        const StoreLock hold;  // a getter elsewhere sees the sets before or after, repaired
        changes = DeleteSettings(sets, emptied);
        WriteDefaultsBack(changes, emptied);
    }
    AnnounceChanges(changes);
    return Report(changes);
}

// As the Preference dialog's OK does it: the number as text, written and
// announced only when the stored text differs.
int SetPreferenceText(const char* valueName, int value) {
    {
        const StoreLock hold;
        RegistryKey key(HKEY_CURRENT_USER, keys::kArbor);
        if (!key.OpenForWriting()) return Fail(std::string("cannot open or create ") + keys::kArbor);
        const std::string text = std::to_string(value);
        std::string old;
        key.ReadText(valueName, old);
        if (old == text) return kExitDone;
        if (!key.WriteText(valueName, text)) return Fail(std::string("cannot write ") + valueName);
    }
    Broadcast(OPTORA_MSG_PREFERENCES, 0, 0, kBroadcastDefault);
    return kExitDone;
}

}  // namespace optora::cli
