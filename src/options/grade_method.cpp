#include "options/grade_method.h"

#include "frame/library_text.h"
#include "frame/notifications.h"
#include "options/kept_value.h"
#include "options/policy_offers.h"
#include "options/policy.h"
#include "optora.h"
#include "res/preferences_ids.h"
#include "store/registry_key.h"
#include "store/registry_paths.h"
#include "store/store_lock.h"

namespace optora {
namespace {

constexpr const char* kGradeMethod = "Grade Method";

std::string MethodText(int index) {
    const auto texts = GradeMethodTexts();
    return index >= 0 && index < static_cast<int>(texts.size()) ? texts[static_cast<size_t>(index)] : std::string();
}

}  // namespace

std::array<std::string, 3> GradeMethodTexts() {
    return {LibraryText(IDS_GRADE_SMALL_LARGE_INCREMENTAL), LibraryText(IDS_GRADE_BASE_CUMULATIVE),
            LibraryText(IDS_GRADE_BASE_INCREMENTAL)};
}

bool ReadGradeMethod(int& index) {
    const auto texts = GradeMethodTexts();
    std::string current = texts[0];
    bool found = false;
    {
        RegistryKey key(HKEY_CURRENT_USER, keys::kGradeOptions);
        key.SetOverlay(PolicyOverlay(keys::kGradeOptions));
        if (key.OpenForReading()) found = key.ReadText(kGradeMethod, current, texts[0].c_str());
    }
    bool matched = false;
    for (size_t i = 0; i < texts.size() && !matched; ++i) {
        if (current == texts[i]) {
            index = static_cast<int>(i);
            matched = true;
        }
    }
    // An administrator's policy names the method in English whatever the
    // language in use.
    const PolicyOffer* offer = FindOffer(*FindOwned(keys::kGradeOptions, kGradeMethod));
    for (int i = 0; !matched && offer->choices[i].value; ++i) {
        if (current == offer->choices[i].value) {
            index = i;
            matched = true;
        }
    }
    if (found) return false;
    RegistryKey key(HKEY_CURRENT_USER, keys::kGradeOptions);
    key.SetOverlay(PolicyOverlay(keys::kGradeOptions));
    key.OpenForWriting();
    key.WriteText(kGradeMethod, current);
    return true;
}

int GradeMethodIndex() {
    static KeptValue kept;
    return kept.Get([](bool&) {
        int index = 0;
        ReadGradeMethod(index);
        return index;
    });
}

void SaveGradeMethod(int index, bool announce) {
    bool written = false;
    {
        const StoreLock hold;
        RegistryKey key(HKEY_CURRENT_USER, keys::kGradeOptions);
        key.SetOverlay(PolicyOverlay(keys::kGradeOptions));
        key.OpenForWriting();  // a failed open makes the write fail quietly
        written = key.WriteText(kGradeMethod, MethodText(index));
    }
    // Closed first: the sender's own windows hear the broadcast and may read.
    if (written && announce) Broadcast(OPTORA_MSG_GRADEOPTIONS, 0, 0, kBroadcastDefault);
}

void SaveGradeMethodIfChanged(int index) {
    std::string stored;
    bool found = false;
    {
        RegistryKey key(HKEY_CURRENT_USER, keys::kGradeOptions);
        key.SetOverlay(PolicyOverlay(keys::kGradeOptions));
        if (key.OpenForReading()) found = key.ReadText(kGradeMethod, stored);
    }
    SaveGradeMethod(index, !found || stored != MethodText(index));
}

}  // namespace optora
