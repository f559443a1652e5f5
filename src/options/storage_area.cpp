#include "options/storage_area.h"

namespace optora {

std::string StorageAreaPath(std::string_view designation, bool dataDirectory) {
    const std::size_t colon = designation.find(':');
    if (colon == std::string_view::npos || colon == 0) return {};
    std::string path(designation.substr(0, colon + 1));
    path += "\\userroot\\storage\\";
    path += designation.substr(colon + 1);
    if (dataDirectory) path += "\\data\\";
    return path;
}

}  // namespace optora
