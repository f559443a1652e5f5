#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/unique_resource.h"
#include "store/value_overlay.h"

namespace optora {

// One registry key of an option set. Reads never create anything; writes
// open-or-create the whole path. Integers are stored as REG_BINARY in memory
// order, texts as REG_SZ with their terminator, because that is what the
// suite's other programs read.
//
// The object remembers what its reads and writes found, across closing and
// reopening, so that a load followed by a save through the same object
// queries each value once. It lives for one such operation.
class RegistryKey {
public:
    static constexpr DWORD kTextLimit = 256;  // ReadText's buffer, terminator included

    RegistryKey(HKEY root, std::string path) : root_(root), path_(std::move(path)) {}
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool OpenForReading(const char* subkey = nullptr);
    bool OpenForWriting(const char* subkey = nullptr);
    bool IsOpen() const { return static_cast<bool>(key_); }
    void Close() {
        key_.reset();
        writable_ = false;
    }

    // False when the value is missing, larger than size, or nothing is open.
    bool ReadRaw(const char* name, void* buffer, DWORD size) const;
    // The text read, else the default (or empty); never leaves out undefined.
    // A value without a terminator that fills the whole buffer is refused.
    bool ReadText(const char* name, std::string& out, const char* defaultText = nullptr) const;

    bool WriteBinary(const char* name, const void* data, DWORD size) const;
    bool WriteText(const char* name, const char* text) const;
    bool WriteText(const char* name, const std::string& text) const { return WriteText(name, text.c_str()); }

    // Write only when the stored type or bytes differ: a save that repeats
    // what is stored wakes no program watching the key. The key is opened
    // for writing when something must be written. True when the value holds
    // these bytes afterwards.
    bool UpdateBinary(const char* name, const void* data, DWORD size);
    bool UpdateText(const char* name, const char* text);
    bool UpdateText(const char* name, const std::string& text) { return UpdateText(name, text.c_str()); }
    bool UpdateInt32(const char* name, int32_t value) { return UpdateBinary(name, &value, sizeof value); }

    // The encodings every option set uses for its fields.
    bool ReadInt32(const char* name, int32_t& out) const { return ReadRaw(name, &out, sizeof out); }
    bool WriteInt32(const char* name, int32_t value) const { return WriteBinary(name, &value, sizeof value); }

    const std::string& Path() const { return path_; }

    // From now on reads answer what the overlay says (a missing key opens
    // for reading), and writes it holds back are not made (and report
    // failure). Null: the stored values alone.
    void SetOverlay(std::shared_ptr<const ValueOverlay> overlay) { overlay_ = std::move(overlay); }

    // Values this process has written through any key; lets tests tell a
    // save that wrote nothing from one that rewrote identical bytes.
    static unsigned long WritesMade();

private:
    // What a query or write found for one value.
    struct Known {
        std::string name;
        enum class State { Absent, Exact, Longer } state;
        DWORD type = REG_NONE;
        std::vector<BYTE> bytes;  // Exact: the value; Longer: empty, the value exceeds longerThan
        DWORD longerThan = 0;
    };
    enum class Match { Same, Differs, Unknown };

    template <typename OpenStep>
    bool Open(const char* subkey, OpenStep step);
    LONG Query(const char* name, DWORD* type, BYTE* buffer, DWORD& size) const;
    void Remember(Known known) const;
    Match Compare(const char* name, DWORD type, const void* data, DWORD size) const;
    // A value's bytes, none when missing or longer than capacity.
    std::optional<std::string> QueryBytes(const char* name, DWORD capacity) const;
    // Its stored bytes for the overlay, from what this object already found.
    std::optional<std::string> Stored(const char* name) const;
    // What a read sees: the overlay's answer, else the stored bytes.
    std::optional<std::string> Seen(const char* name, DWORD capacity) const;
    bool HeldBack(const char* name, const void* data, DWORD size) const;
    bool Write(const char* name, DWORD type, const void* data, DWORD size) const;
    bool Update(const char* name, DWORD type, const void* data, DWORD size);

    HKEY root_;
    std::string path_;
    std::string subkey_;
    UniqueHKey key_;
    bool writable_ = false;
    mutable std::vector<Known> known_;
    std::shared_ptr<const ValueOverlay> overlay_;
};

}  // namespace optora
