#include "value_text.h"

#include <cstdio>

#include "settings_file.h"

namespace optora::cli {

std::string RegistryValueText(uint32_t type, const std::string& data) {
    if (type == kTypeText && !data.empty() && data.find('\0') == data.size() - 1)
        return "\"" + data.substr(0, data.size() - 1) + "\"";
    char text[16];
    if (type == kTypeDword && data.size() == 4) {
        std::snprintf(text, sizeof text, "dword:%08lx", static_cast<unsigned long>(StoredInteger(data) & 0xffffffff));
        return text;
    }
    std::string hex;
    AppendHex(hex, FileValue{{}, type, data, 0, {}}, false);
    return hex;
}

std::string OwnedValueText(const OwnedValue& owned, const std::string& bytes) {
    if (owned.type == kTypeText) return "\"" + std::string(StoredText(bytes)) + "\"";
    // Only integers fit four bytes or fewer; wider ones (the seam's double) as they are.
    return bytes.size() <= 4 ? std::to_string(StoredInteger(bytes)) : RegistryValueText(owned.type, bytes);
}

}  // namespace optora::cli
