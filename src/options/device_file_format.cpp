#include "options/device_file_format.h"

namespace optora {
namespace {

// Older tools skip the leading run of these characters and take the one
// character after it as the type: "plot_type=12" is type 1.
constexpr std::string_view kTypeLineCharacters = "plot_type=";  // as a set of characters

std::string Destination(std::string_view text, std::string_view tag) {
    const std::size_t at = text.find(tag);
    std::string_view value;
    if (at != std::string_view::npos) {
        value = text.substr(at + tag.size());
        value = value.substr(0, value.find('\n'));
    }
    std::string result;
    if (value.find(':') == std::string_view::npos) result = "C:\\";
    for (char c : value)
        if (c != '\r' && c != '\n') result += c;
    return result;
}

}  // namespace

DeviceDestinations ParseDeviceFile(std::string_view bytes) {
    std::string_view text = bytes.substr(0, kDeviceFileReadLimit);
    text = text.substr(0, text.find('\0'));

    DeviceDestinations record;
    const std::size_t run = text.find_first_not_of(kTypeLineCharacters);
    const std::size_t runLength = run == std::string_view::npos ? text.size() : run;
    if (runLength > 0 && runLength < text.size()) {
        const char digit = text[runLength];
        record.plotType = (digit >= '0' && digit <= '9') ? digit - '0' : 0;
    }
    record.plotDestination = Destination(text, "plot_dest=");
    record.cutDestination = Destination(text, "cut_dest=");
    return record;
}

std::string FormatDeviceFile(const DeviceDestinations& record) {
    std::string text = "plot_type=";
    text += std::to_string(record.plotType);
    text += "\nplot_dest=";
    text += record.plotDestination;
    text += "\ncut_dest=";
    text += record.cutDestination;
    text += '\n';
    return text;
}

}  // namespace optora
