#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace optora {

// Something besides the stored value that decides what a key's reads answer
// and which of its writes are left undone: the administrator's policy.
class ValueOverlay {
public:
    virtual ~ValueOverlay() = default;
    // What a read of `name` answers, given its stored bytes (none: missing
    // or unreadable).
    virtual std::optional<std::string> Read(const char* name, const std::optional<std::string>& stored) const = 0;
    // Whether writing these bytes over the stored ones is left undone.
    virtual bool HoldsBack(const char* name, std::string_view bytes, const std::optional<std::string>& stored) const = 0;
};

}  // namespace optora
