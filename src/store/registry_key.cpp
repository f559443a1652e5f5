#include "store/registry_key.h"

#include <cstring>

namespace optora {
namespace {

constexpr REGSAM kReadAccess = KEY_READ;         // 0x20019
constexpr REGSAM kWriteAccess = KEY_ALL_ACCESS;  // 0xF003F

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
        // A text that fills the buffer without its terminator did not fit.
        const void* zero = std::memchr(buffer, 0, got);
        if (zero || got < sizeof buffer) {
            out.assign(buffer, zero ? static_cast<const char*>(zero) - buffer : got);
            return true;
        }
    }
    out = defaultText ? defaultText : "";
    return false;
}

bool RegistryKey::WriteBinary(const char* name, const void* data, DWORD size) const {
    if (!key_) return false;
    return RegSetValueExA(key_.get(), name, 0, REG_BINARY, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool RegistryKey::WriteText(const char* name, const char* text) const {
    if (!key_ || !text) return false;
    const DWORD size = static_cast<DWORD>(std::strlen(text) + 1);
    return RegSetValueExA(key_.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size) == ERROR_SUCCESS;
}

}  // namespace optora
