#include "store/registry_key.h"

#include <atomic>
#include <cstring>

namespace optora {
namespace {

constexpr REGSAM kReadAccess = KEY_READ;         // 0x20019
constexpr REGSAM kWriteAccess = KEY_ALL_ACCESS;  // 0xF003F

std::atomic<unsigned long> g_writes{0};

LONG OpenExisting(HKEY parent, const char* path, HKEY* out) {
    return RegOpenKeyExA(parent, path, 0, kReadAccess, out);
}

LONG OpenOrCreate(HKEY parent, const char* path, HKEY* out) {
    return RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, kWriteAccess, nullptr, out,
                           nullptr);
}

}  // namespace

template <typename OpenStep>
bool RegistryKey::Open(const char* subkey, OpenStep step) {
    key_.reset();
    // What was learnt about one key says nothing about another.
    if (subkey_ != (subkey ? subkey : "")) {
        known_.clear();
        subkey_ = subkey ? subkey : "";
    }
    HKEY raw = nullptr;
    if (step(root_, path_.c_str(), &raw) != ERROR_SUCCESS) return false;
    UniqueHKey first(raw);
    if (!subkey) {
        key_ = std::move(first);
        return true;
    }
    raw = nullptr;
    if (step(first.get(), subkey, &raw) != ERROR_SUCCESS) return false;
    key_.reset(raw);
    return true;
}

bool RegistryKey::OpenForReading(const char* subkey) {
    writable_ = false;
    // A missing key still reads what the overlay answers.
    return Open(subkey, OpenExisting) || overlay_ != nullptr;
}

bool RegistryKey::OpenForWriting(const char* subkey) {
    writable_ = Open(subkey, OpenOrCreate);
    return writable_;
}

void RegistryKey::Remember(Known known) const {
    for (Known& k : known_) {
        if (_stricmp(k.name.c_str(), known.name.c_str()) == 0) {
            k = std::move(known);
            return;
        }
    }
    known_.push_back(std::move(known));
}

LONG RegistryKey::Query(const char* name, DWORD* type, BYTE* buffer, DWORD& size) const {
    const DWORD capacity = size;
    const LONG status = RegQueryValueExA(key_.get(), name, nullptr, type, buffer, &size);
    const std::string key = name ? name : "";
    if (status == ERROR_SUCCESS)
        Remember({key, Known::State::Exact, *type, std::vector<BYTE>(buffer, buffer + size), 0});
    else if (status == ERROR_FILE_NOT_FOUND)
        Remember({key, Known::State::Absent, REG_NONE, {}, 0});
    else if (status == ERROR_MORE_DATA)
        Remember({key, Known::State::Longer, REG_NONE, {}, capacity});
    return status;
}

std::optional<std::string> RegistryKey::QueryBytes(const char* name, DWORD capacity) const {
    if (!key_) return std::nullopt;
    std::string bytes(capacity, '\0');
    DWORD type = REG_NONE;
    if (Query(name, &type, reinterpret_cast<BYTE*>(bytes.data()), capacity) != ERROR_SUCCESS) return std::nullopt;
    bytes.resize(capacity);
    return bytes;
}

std::optional<std::string> RegistryKey::Stored(const char* name) const {
    for (const Known& k : known_) {  // what this operation already found
        if (_stricmp(k.name.c_str(), name) != 0) continue;
        if (k.state == Known::State::Absent) return std::nullopt;
        if (k.state == Known::State::Exact && k.bytes.size() <= kTextLimit)
            return std::string(k.bytes.begin(), k.bytes.end());
    }
    return QueryBytes(name, kTextLimit);
}

std::optional<std::string> RegistryKey::Seen(const char* name, DWORD capacity) const {
    if (!overlay_) return QueryBytes(name, capacity);
    std::optional<std::string> answer = overlay_->Read(name, Stored(name));
    if (answer && answer->size() > capacity) return std::nullopt;
    return answer;
}

bool RegistryKey::HeldBack(const char* name, const void* data, DWORD size) const {
    return overlay_ && overlay_->HoldsBack(name, std::string_view(static_cast<const char*>(data), size), Stored(name));
}

bool RegistryKey::ReadRaw(const char* name, void* buffer, DWORD size) const {
    const std::optional<std::string> seen = Seen(name, size);
    if (!seen) return false;
    std::memcpy(buffer, seen->data(), seen->size());
    return true;
}

bool RegistryKey::ReadText(const char* name, std::string& out, const char* defaultText) const {
    const std::optional<std::string> seen = Seen(name, kTextLimit);
    // A text that fills the buffer without its terminator did not fit.
    if (seen && (seen->size() < kTextLimit || seen->find('\0') != std::string::npos)) {
        out = seen->substr(0, seen->find('\0'));
        return true;
    }
    out = defaultText ? defaultText : "";
    return false;
}

RegistryKey::Match RegistryKey::Compare(const char* name, DWORD type, const void* data, DWORD size) const {
    for (const Known& k : known_) {
        if (_stricmp(k.name.c_str(), name) != 0) continue;
        switch (k.state) {
            case Known::State::Absent:
                return Match::Differs;
            case Known::State::Longer:
                return size <= k.longerThan ? Match::Differs : Match::Unknown;
            case Known::State::Exact:
                return k.type == type && k.bytes.size() == size && std::memcmp(k.bytes.data(), data, size) == 0
                           ? Match::Same
                           : Match::Differs;
        }
    }
    return Match::Unknown;
}

bool RegistryKey::Write(const char* name, DWORD type, const void* data, DWORD size) const {
    if (!key_) return false;
    if (HeldBack(name, data, size)) return false;
    ++g_writes;
    const BYTE* bytes = static_cast<const BYTE*>(data);
    if (RegSetValueExA(key_.get(), name, 0, type, bytes, size) != ERROR_SUCCESS) return false;
    Remember({name ? name : "", Known::State::Exact, type, std::vector<BYTE>(bytes, bytes + size), 0});
    return true;
}

bool RegistryKey::Update(const char* name, DWORD type, const void* data, DWORD size) {
    if (overlay_ && !key_) OpenForReading();  // the overlay weighs what is stored
    if (HeldBack(name, data, size)) return false;
    Match match = Compare(name, type, data, size);
    if (match == Match::Same) return true;
    if (!writable_ && !OpenForWriting()) return false;
    if (match == Match::Unknown) {
        // One byte more than expected tells a longer stored value from an equal one.
        std::vector<BYTE> stored(size + 1);
        DWORD storedType = REG_NONE;
        DWORD got = size + 1;
        Query(name, &storedType, stored.data(), got);
        match = Compare(name, type, data, size);
        if (match == Match::Same) return true;
    }
    return Write(name, type, data, size);
}

bool RegistryKey::WriteBinary(const char* name, const void* data, DWORD size) const {
    return Write(name, REG_BINARY, data, size);
}

bool RegistryKey::WriteText(const char* name, const char* text) const {
    if (!text) return false;
    return Write(name, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
}

bool RegistryKey::UpdateBinary(const char* name, const void* data, DWORD size) {
    return Update(name, REG_BINARY, data, size);
}

bool RegistryKey::UpdateText(const char* name, const char* text) {
    if (!text) return false;
    return Update(name, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
}

unsigned long RegistryKey::WritesMade() { return g_writes; }

}  // namespace optora
