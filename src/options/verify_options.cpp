#include "options/verify_options.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

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
    if (general_.OpenForReading()) {
        std::string area;
        general_.ReadText(kVerifyStorageArea, area);
        record_.SetStorageArea(area);
    }
    general_.Close();

    if (!digitizing_.OpenForReading()) {
        record_.CategoryChB = 1;
        record_.StartingNumber = 0;
        record_.Type = 0;
    } else {
        ReadTextInto(digitizing_, kCategory, record_.Category);
        int32_t type = 0;
        record_.Type = digitizing_.ReadInt32(kType, type) ? type : 0;
        ReadTextInto(digitizing_, kModel, record_.Model);
        ReadTextInto(digitizing_, kPrefix, record_.Prefix);
        ReadTextInto(digitizing_, kGradeRule, record_.GradeRule);
        // Only a stored 1 means "same as the piece name".
        int32_t sameCategory = 0;
        if (!digitizing_.ReadInt32(kCategoryChB, sameCategory)) sameCategory = 1;
        record_.CategoryChB = sameCategory == 1 ? 1 : 0;
        uint32_t starting = 0;
        record_.StartingNumber = digitizing_.ReadRaw(kStartingNumber, &starting, sizeof starting) ? starting : 0;
        ReadTextInto(digitizing_, kSize, record_.Size);
    }
    digitizing_.Close();
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
    if (general_.UpdateText(kVerifyStorageArea, std::string(record_.StorageArea())) && stored &&
        stored->StorageArea() != record_.StorageArea())
        changes |= kStorageAreaChanged;
    general_.Close();

    // Every value is tried even when one cannot be written.
    bool saved = digitizing_.UpdateText(kCategory, record_.Category.Text);
    saved &= digitizing_.UpdateInt32(kType, record_.Type);
    saved &= digitizing_.UpdateText(kModel, record_.Model.Text);
    saved &= digitizing_.UpdateText(kPrefix, record_.Prefix.Text);
    saved &= digitizing_.UpdateText(kGradeRule, record_.GradeRule.Text);
    saved &= digitizing_.UpdateInt32(kCategoryChB, record_.CategoryChB ? 1 : 0);
    saved &= digitizing_.UpdateBinary(kStartingNumber, &record_.StartingNumber, sizeof record_.StartingNumber);
    saved &= digitizing_.UpdateText(kSize, record_.Size.Text);
    digitizing_.Close();
    return saved ? changes | kDigitizingWritten : changes;
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
