#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "options/policy_rules.h"
#include "store/value_overlay.h"

namespace optora {

// The policy values of both hives as the process last read them, read again
// when the change watch saw either policy tree change.
std::shared_ptr<const PolicySnapshot> CurrentPolicy();

// The overlay for one owned key (the table's spelling) and application (empty
// for a set without variants); null while no policy touches the key, so
// reads and writes go on exactly as without policy. Its reads answer the
// effective values; it holds back every write of a locked value, and a write
// of the recommended value where that is what applies anyway (a repair
// putting it back, or a user confirming it), so that it stays the
// administrator's to change.
std::shared_ptr<const ValueOverlay> PolicyOverlay(const char* ownedKey, std::string_view application = {});

// The mandatory policy that locks a value, if any: its source for a tooltip
// or a message.
struct PolicyLock {
    PolicyEntry entry;
    std::string stored;
};
std::optional<PolicyLock> LockOf(const char* ownedKey, const char* name, std::string_view application = {});

}  // namespace optora
