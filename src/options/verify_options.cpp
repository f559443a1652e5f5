#include "options/verify_options.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "options/registry_paths.h"
#include "options/storage_area.h"
#include "store/registry_key.h"
#include "store/storage_database.h"

namespace optora {
namespace {

// Every empty text points here; only other texts were allocated.
constexpr char kEmptyText[] = "";

void Release(OptoraText& text) {
    if (text.Text != kEmptyText) delete[] text.Text;
    text.Text = kEmptyText;
}

// The record's texts, in the order the registry values are written.
constexpr OptoraText VerifyOptions_tag::*kTexts[] = {&VerifyOptions_tag::Model, &VerifyOptions_tag::GradeRule,
                                                     &VerifyOptions_tag::Prefix, &VerifyOptions_tag::Category,
                                                     &VerifyOptions_tag::Size};

// The control-file path is built in a buffer of this size; a longer one
// cannot name a file the database would read.
constexpr std::size_t kControlFilePathSize = 256;

constexpr const char* kVerifyStorageArea = "VerifyStorageArea";
constexpr const char* kCategory = "Category";
constexpr const char* kType = "Type";
constexpr const char* kModel = "Model";
constexpr const char* kPrefix = "Prefix";
constexpr const char* kGradeRule = "GradeRule";
constexpr const char* kCategoryChB = "CategoryChB";
constexpr const char* kStartingNumber = "StartingNumber";
constexpr const char* kSize = "Size";

bool AnsiLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

void ReadTextInto(const RegistryKey& key, const char* name, OptoraText& field) {
    std::string text;
    key.ReadText(name, text);
    VerifyOptions::Assign(field, text);
}

}  // namespace

VerifyOptions::VerifyOptions() noexcept : VerifyOptions_tag() {
    for (auto text : kTexts) (this->*text).Text = kEmptyText;
}

VerifyOptions::~VerifyOptions() {
    for (auto text : kTexts) Release(this->*text);
}

std::string_view VerifyOptions::StorageArea() const {
    return {VerifyStorageArea, strnlen(VerifyStorageArea, sizeof VerifyStorageArea - 1)};
}

void VerifyOptions::SetStorageArea(std::string_view designation) {
    const std::size_t length = std::min(designation.size(), sizeof VerifyStorageArea - 1);
    std::memmove(VerifyStorageArea, designation.data(), length);
    VerifyStorageArea[length] = '\0';
}

void VerifyOptions::Assign(OptoraText& text, std::string_view value) {
    const std::size_t length = strnlen(value.data(), value.size());  // C readers stop at a zero
    if (length == 0) {
        Release(text);
        return;
    }
    std::unique_ptr<char[]> copy(new char[length + 1]);
    std::memcpy(copy.get(), value.data(), length);
    copy[length] = '\0';
    Release(text);
    text.Text = copy.release();
}

ItemName AnsiItemName(std::string_view text, bool characterRule, bool upperCase) {
    return ItemName(text, characterRule, upperCase, AnsiLeadByte);
}

bool StorageAreaExists(std::string_view designation) {
    const std::string path = StorageAreaPath(designation, false);
    return !path.empty() && StorageAreaListed(path.c_str());
}

bool GradeRuleExists(const VerifyOptions& record) {
    const std::string_view gradeRule = VerifyOptions::Read(record.GradeRule);
    if (gradeRule.empty()) return true;
    const ItemKind& kind = record.Type == 1 ? kPieceKind : kRuleTableKind;
    const std::string controlFile = StorageAreaPath(record.StorageArea(), true) + kind.controlFile;
    if (controlFile.size() >= kControlFilePathSize) return false;
    return ControlFileLists(controlFile.c_str(), record.GradeRule.Text);
}

void NormalizeModel(VerifyOptions& record) {
    const std::string_view model = TrimItemSpace(VerifyOptions::Read(record.Model));
    if (model.empty()) {
        VerifyOptions::Assign(record.Model, model);
        return;
    }
    const ItemName name = AnsiItemName(model, true, true);
    VerifyOptions::Assign(record.Model, name.View());
}

void VerifyOptionsStore::Validate() {
    // Callers write into the record they were given; keep it terminated.
    record_.SetStorageArea(record_.StorageArea());
    if (!StorageAreaExists(record_.StorageArea())) record_.SetStorageArea(kDefaultStorageArea);
    NormalizeModel(record_);
    if (!GradeRuleExists(record_)) VerifyOptions::Assign(record_.GradeRule, {});
}

void VerifyOptionsStore::Load() {
    RegistryKey general(HKEY_CURRENT_USER, keys::kArbor);
    if (general.OpenForReading()) {
        std::string area;
        general.ReadText(kVerifyStorageArea, area);
        record_.SetStorageArea(area);
    }
    general.Close();

    RegistryKey digitizing(HKEY_CURRENT_USER, keys::kQuillon);
    if (!digitizing.OpenForReading()) {
        record_.CategoryChB = 1;
        record_.StartingNumber = 0;
        record_.Type = 0;
    } else {
        ReadTextInto(digitizing, kCategory, record_.Category);
        int32_t type = 0;
        record_.Type = digitizing.ReadInt32(kType, type) ? type : 0;
        ReadTextInto(digitizing, kModel, record_.Model);
        ReadTextInto(digitizing, kPrefix, record_.Prefix);
        ReadTextInto(digitizing, kGradeRule, record_.GradeRule);
        // Only a stored 1 means "same as the piece name".
        int32_t sameCategory = 0;
        if (!digitizing.ReadInt32(kCategoryChB, sameCategory)) sameCategory = 1;
        record_.CategoryChB = sameCategory == 1 ? 1 : 0;
        uint32_t starting = 0;
        record_.StartingNumber = digitizing.ReadRaw(kStartingNumber, &starting, sizeof starting) ? starting : 0;
        ReadTextInto(digitizing, kSize, record_.Size);
    }
    digitizing.Close();
    Validate();
}

bool VerifyOptionsStore::Save(uint32_t& changes) {
    Validate();
    VerifyOptions stored;
    VerifyOptionsStore(stored).Load();
    changes = Write(&stored);
    return (changes & kDigitizingWritten) != 0;
}

// Values already stored as they are are not written again, so a getter
// that finds the set normalised writes nothing.
uint32_t VerifyOptionsStore::Write(const VerifyOptions* stored) {
    uint32_t changes = 0;
    RegistryKey general(HKEY_CURRENT_USER, keys::kArbor);
    if (general.OpenForWriting()) {
        if (stored && stored->StorageArea() != record_.StorageArea()) changes |= kStorageAreaChanged;
        general.UpdateText(kVerifyStorageArea, std::string(record_.StorageArea()));
    }
    general.Close();

    RegistryKey digitizing(HKEY_CURRENT_USER, keys::kQuillon);
    if (!digitizing.OpenForWriting()) return changes;
    digitizing.UpdateText(kCategory, record_.Category.Text);
    digitizing.UpdateInt32(kType, record_.Type);
    digitizing.UpdateText(kModel, record_.Model.Text);
    digitizing.UpdateText(kPrefix, record_.Prefix.Text);
    digitizing.UpdateText(kGradeRule, record_.GradeRule.Text);
    digitizing.UpdateInt32(kCategoryChB, record_.CategoryChB ? 1 : 0);
    digitizing.UpdateBinary(kStartingNumber, &record_.StartingNumber, sizeof record_.StartingNumber);
    digitizing.UpdateText(kSize, record_.Size.Text);
    return changes | kDigitizingWritten;
}

VerifyOptions& LibraryVerifyOptions() noexcept {
    static VerifyOptions record;
    return record;
}

void RefreshVerifyOptions(VerifyOptions& record) {
    // The load validates; nobody reads change flags here, so the stored set
    // is not loaded a second time to compute them.
    VerifyOptionsStore store(record);
    store.Load();
    store.Write(nullptr);
}

}  // namespace optora
