#pragma once
#include <cstdint>
#include <string>

namespace optora {

// One value found under an administrator's policy tree, as it was read.
struct PolicyEntry {
    bool machine;      // HKEY_LOCAL_MACHINE, else HKEY_CURRENT_USER
    bool recommended;  // below "Recommended"
    std::string path;  // its key below the tree (and "Recommended"), e.g. "Arbor\CutOptions"
    std::string name;
    uint32_t type;  // the registry's number for it
    std::string data;
};

}  // namespace optora
