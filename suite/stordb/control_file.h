#pragma once
#include <string_view>

namespace stordb {

constexpr std::size_t kMaxControlFileSize = 1 << 20;
constexpr std::size_t kMaxItemName = 20;

// The 1-based line on which the control file text lists name, or 0.
int FindItem(std::string_view content, std::string_view name);

}  // namespace stordb
