#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "store/item_name.h"

namespace optora {

// The longest directory the cut and plot records hold.
constexpr std::size_t kDirectoryLimit = 255;

// The directory a typed text names: leading backslashes dropped, a text
// without a drive placed on the device's drive (empty: "C:"), runs of
// backslashes made one, where a double-byte character's second byte is no
// backslash. Nothing when that does not fit kDirectoryLimit.
std::optional<std::string> DirectoryOnDevice(std::string_view text, std::string_view device,
                                             ItemName::LeadBytePredicate isLeadByte);

}  // namespace optora
