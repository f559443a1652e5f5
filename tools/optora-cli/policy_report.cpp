#include "policy_report.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "options/cut_options.h"
#include "options/plot_options.h"
#include "options/policy.h"
#include "settings_commands.h"
#include "store/registry_paths.h"
#include "store/unique_resource.h"
#include "value_text.h"

namespace optora::cli {
namespace {

using Judged = PolicySnapshot::Judged;

struct Stored {
    DWORD type;
    std::string data;
};

std::optional<Stored> ReadUserValue(const std::string& path, const char* name) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return std::nullopt;
    const UniqueHKey key(raw);
    DWORD type = REG_NONE, size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    std::string data(size, '\0');
    if (RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    return Stored{type, data};
}

// The key the library reads an application's variant from: an application
// without a variant of its own reads the shared default one.
std::string VariantPath(const OwnedValue& owned, const std::string& application) {
    if (!owned.variants) return owned.key;
    const char* variant = std::strcmp(owned.key, keys::kCutOptions) == 0 ? CutVariant(application.c_str())
                                                                          : PlotVariant(application.c_str());
    return std::string(owned.key) + '\\' + variant;
}

std::vector<std::string> Subkeys(const char* path) {
    std::vector<std::string> names;
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &raw) != ERROR_SUCCESS) return names;
    const UniqueHKey key(raw);
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        const LONG result = RegEnumKeyExA(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result == ERROR_SUCCESS) names.emplace_back(name, length);
    }
    return names;
}

// The applications a policy for every application reaches: each with a
// stored variant or a policy of its own, then (empty) any other.
std::vector<std::string> ApplicationsOf(const PolicySnapshot& policy, const OwnedValue& owned) {
    std::vector<std::string> found;
    const auto add = [&found](const std::string& application) {
        for (const std::string& known : found)
            if (EqualsNoCase(known, application)) return;
        found.push_back(application);
    };
    for (const std::string& subkey : Subkeys(owned.key))
        if (VariantPath(owned, subkey) == std::string(owned.key) + '\\' + subkey) add(subkey);
    for (const Judged& judged : policy.Entries())
        if (judged.judgement.owned == &owned && !judged.judgement.application.empty())
            add(judged.judgement.application);
    add("");
    return found;
}

struct ForApplication {
    std::string application;  // empty: any application without a line of its own
    std::optional<Stored> stored;
    std::optional<std::string> effective;
};

ForApplication Reading(const PolicySnapshot& policy, const OwnedValue& owned, const std::string& application) {
    ForApplication reading{application, ReadUserValue(VariantPath(owned, application), owned.name), std::nullopt};
    std::optional<std::string> bytes;
    if (reading.stored) bytes = reading.stored->data;
    reading.effective = policy.Effective(owned, application, bytes);
    return reading;
}

std::string Decides(const PolicyEntry& entry) { return "not applied: " + SourceText(entry) + " decides"; }

// Whether this valid entry is what the library reads for the application.
std::string Status(const PolicySnapshot& policy, const Judged& judged, const ForApplication& reading) {
    const PolicyJudgement& judgement = judged.judgement;
    if (judgement.status != PolicyStatus::Applied) return StatusText(judgement.status);
    const auto mandatory = policy.Mandatory(*judgement.owned, reading.application);
    if (mandatory && mandatory->entry != &judged.entry) return Decides(*mandatory->entry);
    if (!judged.entry.recommended) return StatusText(PolicyStatus::Applied);
    const auto recommended = policy.Recommended(*judgement.owned, reading.application);
    if (recommended->entry != &judged.entry) return Decides(*recommended->entry);
    if (reading.effective != judgement.stored) return "not applied: the user's own value decides";
    return StatusText(PolicyStatus::Applied);
}

void PrintField(const char* label, const std::string& text) { std::printf("  %-12s %s\n", label, text.c_str()); }

void PrintBlock(const PolicySnapshot& policy, const Judged& judged) {
    const PolicyJudgement& judgement = judged.judgement;
    std::printf("%s\n", PolicyLocation(judged.entry).c_str());
    PrintField("source", SourceText(judged.entry));
    PrintField("set to", RegistryValueText(judged.entry.type, judged.entry.data));
    if (!judgement.owned) {
        PrintField("effective", "(not a value of the library)");
        PrintField("status", StatusText(judgement.status));
        return;
    }
    const OwnedValue& owned = *judgement.owned;
    const bool everyApplication = owned.variants && judgement.application.empty();
    std::vector<ForApplication> readings;
    if (everyApplication)
        for (const std::string& application : ApplicationsOf(policy, owned))
            readings.push_back(Reading(policy, owned, application));
    else
        readings.push_back(Reading(policy, owned, judgement.application));
    const auto prefix = [everyApplication](const ForApplication& reading) -> std::string {
        if (!everyApplication) return "";
        return (reading.application.empty() ? std::string("any other application") : reading.application) + ": ";
    };
    for (const ForApplication& reading : readings)
        PrintField(&reading == &readings.front() ? "effective" : "",
                   prefix(reading) + (reading.effective ? OwnedValueText(owned, *reading.effective)
                                                         : std::string("(default: ") + owned.byDefault + ")"));
    for (const ForApplication& reading : readings)
        PrintField(&reading == &readings.front() ? "user's own" : "",
                   prefix(reading) + (reading.stored ? RegistryValueText(reading.stored->type, reading.stored->data)
                                                     : "(none)"));
    // A policy for every application is judged where no application's own decides.
    PrintField("status", Status(policy, judged, readings.back()));
}

}  // namespace

int ReportPolicy() {
    const std::shared_ptr<const PolicySnapshot> policy = CurrentPolicy();
    if (policy->Empty()) {
        std::printf("No policy is set.\n");
        return kExitDone;
    }
    bool first = true;
    for (const Judged& judged : policy->Entries()) {
        if (!first) std::printf("\n");
        first = false;
        PrintBlock(*policy, judged);
    }
    return std::fflush(stdout) == 0 ? kExitDone : kExitFailed;
}

}  // namespace optora::cli
