#pragma once
#include <windows.h>

namespace optora {

// Sole owner of an open registry key: move-only, closed on destruction.
class UniqueHKey {
public:
    UniqueHKey() = default;
    explicit UniqueHKey(HKEY key) : key_(key) {}
    ~UniqueHKey() { reset(); }
    UniqueHKey(UniqueHKey&& other) noexcept : key_(other.release()) {}
    UniqueHKey& operator=(UniqueHKey&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHKey(const UniqueHKey&) = delete;
    UniqueHKey& operator=(const UniqueHKey&) = delete;

    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    HKEY release() {
        HKEY key = key_;
        key_ = nullptr;
        return key;
    }
    void reset(HKEY key = nullptr) {
        if (key_) RegCloseKey(key_);
        key_ = key;
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace optora
