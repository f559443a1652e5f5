#include "options/output_paths.h"

namespace optora {

std::string CollapseBackslashes(std::string_view path) {
    std::string result;
    result.reserve(path.size());
    for (char c : path)
        if (c != '\\' || result.empty() || result.back() != '\\') result += c;
    return result;
}

std::string AnchoredPath(std::string_view path, std::string_view driveRoot) {
    std::string anchored;
    if (path.find(':') == std::string_view::npos) anchored = driveRoot;
    anchored += path;
    return CollapseBackslashes(anchored);
}

std::string WithoutDots(std::string_view extension) {
    std::string result;
    for (char c : extension)
        if (c != '.') result += c;
    return result;
}

}  // namespace optora
