#pragma once
#include <optional>
#include <string>

namespace optora {

// The device and storage area the chooser last worked in, kept under
// "Arbor" where the suite's other programs look for them too.
struct RememberedArea {
    std::string device;  // empty where none is stored
    std::string area;
};

// None when the key cannot be opened; each caller has its own defaults.
std::optional<RememberedArea> ReadRememberedArea();
void RememberArea(const std::string& device, const std::string& area);

}  // namespace optora
