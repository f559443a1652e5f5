#include "options/verify_options.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "options/ansi_lead_byte.h"
#include "options/policy.h"
#include "options/storage_area.h"
#include "store/change_watch.h"
#include "store/registry_key.h"
#include "store/store_lock.h"
#include "store/storage_database.h"

namespace optora {
namespace {

// A text starts as this shared empty text. Any other text lives in a buffer
// of ours whose capacity is stored just before it; a later text that fits is
// written in place, so a pointer a caller read earlier stays readable. The
// buffer's last byte stays zero, so even a reader racing a rewrite stops
// inside it.
constexpr char kEmptyText[] = "";
constexpr std::size_t kHeader = sizeof(std::size_t);
constexpr std::size_t kMinimumCapacity = 64;  // item names and the other texts fit

char* BlockOf(const char* text) { return const_cast<char*>(text) - kHeader; }

std::size_t CapacityOf(const char* text) {
    if (text == kEmptyText) return 0;
    std::size_t capacity = 0;
    std::memcpy(&capacity, BlockOf(text), kHeader);
    return capacity;
}

void Release(OptoraText& text) {
    if (text.Text != kEmptyText) delete[] BlockOf(text.Text);
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
    if (length < CapacityOf(text.Text)) {
        char* buffer = const_cast<char*>(text.Text);
        std::memmove(buffer, value.data(), length);  // the value may be part of this very text
        buffer[length] = '\0';
        return;
    }
    if (length == 0) return;  // still the shared empty text
    const std::size_t capacity = std::max(length + 1, kMinimumCapacity);
    std::unique_ptr<char[]> block(new char[kHeader + capacity]);
    std::memcpy(block.get(), &capacity, kHeader);
    char* buffer = block.get() + kHeader;
    std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
    buffer[capacity - 1] = '\0';
    Release(text);
    block.release();
    text.Text = buffer;
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

bool StorageAreaAccepted(std::string_view designation) {
    if (StorageAreaPath(designation, false).empty()) return false;
    return !StorageDatabaseAvailable() || StorageAreaExists(designation);
}

bool GradeRuleAccepted(const VerifyOptions& record) { return !StorageDatabaseAvailable() || GradeRuleExists(record); }

void VerifyOptionsStore::Validate() {
    // Callers write into the record they were given; keep it terminated.
    record_.SetStorageArea(record_.StorageArea());
    if (!StorageAreaAccepted(record_.StorageArea())) record_.SetStorageArea(kDefaultStorageArea);
    NormalizeModel(record_);
    if (!GradeRuleAccepted(record_)) VerifyOptions::Assign(record_.GradeRule, {});
}

void VerifyOptionsStore::Govern() {
    general_.SetOverlay(PolicyOverlay(keys::kArbor));
    digitizing_.SetOverlay(PolicyOverlay(keys::kQuillon));
}

void VerifyOptionsStore::Load() {
    const StoreLock hold;
    Govern();
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
    const StoreLock hold;
    Validate();
    VerifyOptions stored;
    VerifyOptionsStore(stored).Load();
    changes = Write(&stored);
    return (changes & kDigitizingWritten) != 0;
}

// Values already stored as they are are not written again, so a getter
// that finds the set normalised writes nothing.
uint32_t VerifyOptionsStore::Write(const VerifyOptions* stored) {
    Govern();
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

void RefreshVerifyOptions(VerifyOptions& record) {
    // The load validates; nobody reads change flags here, so the stored set
    // is not loaded a second time to compute them.
    const StoreLock hold;
    KestrelChangeWatch().Look();  // once for both keys' policy, read and write
    const ChangeWatch::JustLooked looked;
    VerifyOptionsStore store(record);
    store.Load();
    store.Write(nullptr);
}

}  // namespace optora
