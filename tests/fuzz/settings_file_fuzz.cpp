// Any bytes given to `optora-cli import` must parse without fault, and what
// parses must write out and read back to itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_check.h"
#include "settings_check.h"

using namespace optora::cli;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SettingsFile file;
    if (ParseSettingsFile(std::string_view(reinterpret_cast<const char*>(data), size), file)) return 0;
    CheckSettingsFile(file);
    const std::string written = FormatSettingsFile(file);
    SettingsFile again;
    Check(!ParseSettingsFile(written, again));
    Check(FormatSettingsFile(again) == written);
    std::size_t k = 0;
    for (const FileKey& key : file.keys) {
        if (key.values.empty()) continue;
        Check(k < again.keys.size() && again.keys[k].path == key.path);
        Check(again.keys[k].values.size() == key.values.size());
        for (std::size_t v = 0; v < key.values.size(); ++v) {
            Check(again.keys[k].values[v].name == key.values[v].name);
            Check(again.keys[k].values[v].type == key.values[v].type);
            Check(again.keys[k].values[v].data == key.values[v].data);
        }
        ++k;
    }
    Check(k == again.keys.size());
    Check(file.device.has_value() == again.device.has_value());
    if (file.device) {
        Check(again.device->plotType == file.device->plotType);
        Check(again.device->plotDestination == file.device->plotDestination);
        Check(again.device->cutDestination == file.device->cutDestination);
    }
    return 0;
}
