#include "store/registry_key.h"

#include <atomic>
#include <cstring>
#include <vector>

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

bool RegistryKey::OpenForReading(const char* subkey) { return Open(subkey, OpenExisting); }

bool RegistryKey::OpenForWriting(const char* subkey) { return Open(subkey, OpenOrCreate); }

bool RegistryKey::ReadRaw(const char* name, void* buffer, DWORD size) const {
    if (!key_) return false;
    DWORD got = size;
    return RegQueryValueExA(key_.get(), name, nullptr, nullptr, static_cast<BYTE*>(buffer), &got) == ERROR_SUCCESS;
}

bool RegistryKey::ReadText(const char* name, std::string& out, const char* defaultText) const {
    char buffer[kTextLimit];
    DWORD got = sizeof buffer;
    if (key_ && RegQueryValueExA(key_.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &got) ==
                    ERROR_SUCCESS) {
        const void* zero = std::memchr(buffer, 0, got);
        out.assign(buffer, zero ? static_cast<const char*>(zero) - buffer : got);
        return true;
    }
    out = defaultText ? defaultText : "";
    return false;
}

bool RegistryKey::Write(const char* name, DWORD type, const void* data, DWORD size) const {
    if (!key_) return false;
    ++g_writes;
    return RegSetValueExA(key_.get(), name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool RegistryKey::Holds(const char* name, DWORD type, const void* data, DWORD size) const {
    // One byte more than expected tells a longer stored value from an equal one.
    std::vector<BYTE> stored(size + 1);
    DWORD storedType = REG_NONE;
    DWORD got = size + 1;
    return RegQueryValueExA(key_.get(), name, nullptr, &storedType, stored.data(), &got) == ERROR_SUCCESS &&
           storedType == type && got == size && std::memcmp(stored.data(), data, size) == 0;
}

bool RegistryKey::WriteBinary(const char* name, const void* data, DWORD size) const {
    return Write(name, REG_BINARY, data, size);
}

bool RegistryKey::WriteText(const char* name, const char* text) const {
    if (!text) return false;
    return Write(name, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
}

bool RegistryKey::UpdateBinary(const char* name, const void* data, DWORD size) const {
    if (!key_) return false;
    return Holds(name, REG_BINARY, data, size) || Write(name, REG_BINARY, data, size);
}

bool RegistryKey::UpdateText(const char* name, const char* text) const {
    if (!key_ || !text) return false;
    const DWORD size = static_cast<DWORD>(std::strlen(text) + 1);
    return Holds(name, REG_SZ, text, size) || Write(name, REG_SZ, text, size);
}

unsigned long RegistryKey::WritesMade() { return g_writes; }

}  // namespace optora
