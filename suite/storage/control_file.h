#pragma once
#include <string_view>
#include <vector>

// The control files of a storage area, as the suite's stand-ins read them:
// item names one per line (LF or CR LF), blanks around a name ignored, names
// compared without regard to ASCII case, at most 20 bytes (longer lines are
// no items). A text larger than 1 MiB or holding a zero byte lists nothing.
namespace storage {

constexpr std::size_t kMaxControlFileSize = 1 << 20;
constexpr std::size_t kMaxItemName = 20;

// The 1-based line on which the control file text lists name, or 0.
int FindItem(std::string_view content, std::string_view name);

// Every item the text lists, in file order (views into content).
std::vector<std::string_view> ListItems(std::string_view content);

}  // namespace storage
