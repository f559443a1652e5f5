#include "controls/directory_text.h"

namespace optora {

std::optional<std::string> DirectoryOnDevice(std::string_view text, std::string_view device,
                                             ItemName::LeadBytePredicate isLeadByte) {
    while (!text.empty() && text.front() == '\\') text.remove_prefix(1);
    std::string joined;
    if (text.find(':') == std::string_view::npos) {
        joined = device.empty() ? "C:" : std::string(device);
        joined += '\\';
    }
    joined += text;
    std::string path;
    bool afterSeparator = false;
    for (std::size_t i = 0; i < joined.size(); ++i) {
        const char c = joined[i];
        if (isLeadByte && isLeadByte(static_cast<unsigned char>(c)) && i + 1 < joined.size()) {
            path += c;
            path += joined[++i];
            afterSeparator = false;
        } else if (c != '\\' || !afterSeparator) {
            path += c;
            afterSeparator = c == '\\';
        }
    }
    if (path.size() > kDirectoryLimit) return std::nullopt;
    return path;
}

}  // namespace optora
