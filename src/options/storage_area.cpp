#include "options/storage_area.h"

namespace optora {

Designation SplitDesignation(std::string_view designation) {
    const std::size_t colon = designation.find(':');
    if (colon == std::string_view::npos || colon == 0) return {};
    return {std::string(designation.substr(0, colon + 1)), std::string(designation.substr(colon + 1))};
}

std::string StorageAreaPath(std::string_view designation, bool dataDirectory) {
    const Designation parts = SplitDesignation(designation);
    if (parts.drive.empty()) return {};
    std::string path = parts.drive + "\\userroot\\storage\\" + parts.area;
    if (dataDirectory) path += "\\data\\";
    return path;
}

}  // namespace optora
