#pragma once
#include <cstdint>
#include <string_view>

#include "optora.h"
#include "store/item_name.h"
#include "store/registry_key.h"
#include "store/registry_paths.h"

namespace optora {

// A VerifyOptions_tag that owns its texts: every text starts as the shared
// empty text and is released on destruction. Only records made this way may
// be handed to the operations below.
class VerifyOptions : public VerifyOptions_tag {
public:
    VerifyOptions() noexcept;
    ~VerifyOptions();
    VerifyOptions(const VerifyOptions&) = delete;
    VerifyOptions& operator=(const VerifyOptions&) = delete;

    // VerifyStorageArea, read up to its terminator or its last byte.
    std::string_view StorageArea() const;
    // Cut to OPTORA_STORAGE_AREA_SIZE - 1 bytes.
    void SetStorageArea(std::string_view designation);

    static std::string_view Read(const OptoraText& text) { return text.Text ? text.Text : ""; }
    // Keeps the old text when the new one cannot be allocated.
    static void Assign(OptoraText& text, std::string_view value);
};

// Change flags reported by Save.
inline constexpr uint32_t kStorageAreaChanged = 1;
inline constexpr uint32_t kDigitizingWritten = 2;

// Load, check and store one record of digitize options; it does not own it.
class VerifyOptionsStore {
public:
    explicit VerifyOptionsStore(VerifyOptions& record)
        : record_(record), general_(HKEY_CURRENT_USER, keys::kArbor), digitizing_(HKEY_CURRENT_USER, keys::kQuillon) {}

    void Load();
    void Validate();
    // True exactly when the digitizing values were written (flag 2).
    bool Save(uint32_t& changes);
    // Stores the record as it is, value by value where it differs, and
    // returns the change flags (the area's against stored, when given).
    uint32_t Write(const VerifyOptions* stored);

private:
    void Govern();  // the administrator's policy over both keys
    VerifyOptions& record_;
    // Shared by Load and Write, so a write after a load queries nothing twice.
    RegistryKey general_;
    RegistryKey digitizing_;
};

// True when the storage-area database knows the designation's directory.
bool StorageAreaExists(std::string_view designation);
// True when GradeRule is empty or listed in its kind's control file of the
// record's storage area.
bool GradeRuleExists(const VerifyOptions& record);
// What Validate keeps and the dialog accepts. Without the storage-area
// database no area or rule can be judged missing, and an install mistake must
// not replace what the user stored; a designation without a drive part names
// no directory either way.
bool StorageAreaAccepted(std::string_view designation);
bool GradeRuleAccepted(const VerifyOptions& record);
// Model trimmed and made an item name (upper case, character rule).
void NormalizeModel(VerifyOptions& record);

// An item name in the process's ANSI code page.
ItemName AnsiItemName(std::string_view text, bool characterRule, bool upperCase);

// Load, check once more and write back normalised, telling nobody.
void RefreshVerifyOptions(VerifyOptions& record);

}  // namespace optora
