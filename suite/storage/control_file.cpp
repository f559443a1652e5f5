#include "control_file.h"

namespace storage {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

bool Listable(std::string_view content) {
    return content.size() <= kMaxControlFileSize && content.find('\0') == std::string_view::npos;
}

// Calls visit(entry) for each item line until it returns true; the
// line it stopped at, or 0.
template <typename Visit>
int EachItem(std::string_view content, Visit visit) {
    if (!Listable(content)) return 0;
    int line = 0;
    while (!content.empty()) {
        ++line;
        const std::size_t end = content.find('\n');
        const std::string_view entry = Trim(content.substr(0, end));
        if (!entry.empty() && entry.size() <= kMaxItemName && visit(entry)) return line;
        if (end == std::string_view::npos) break;
        content.remove_prefix(end + 1);
    }
    return 0;
}

}  // namespace

int FindItem(std::string_view content, std::string_view name) {
    name = Trim(name);
    if (name.empty() || name.size() > kMaxItemName) return 0;
    return EachItem(content, [&](std::string_view entry) { return SameName(entry, name); });
}

std::vector<std::string_view> ListItems(std::string_view content) {
    std::vector<std::string_view> items;
    EachItem(content, [&](std::string_view entry) {
        items.push_back(entry);
        return false;
    });
    return items;
}

}  // namespace storage
