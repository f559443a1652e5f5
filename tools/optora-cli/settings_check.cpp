#include "settings_check.h"

namespace optora::cli {
namespace {

std::string Shown(const OwnedValue& owned, std::string_view data) {
    if (owned.type == kTypeText) return "\"" + std::string(StoredText(data)) + "\"";
    if (owned.allowed.kind == Allowed::FiniteNumber) return "no finite number";
    return std::to_string(StoredInteger(data));
}

const char* TypeName(uint32_t type) {
    switch (type) {
        case kTypeText: return "a text (REG_SZ)";
        case kTypeBinary: return "binary (REG_BINARY)";
        case kTypeDword: return "a dword (REG_DWORD)";
        default: return "another type";
    }
}

}  // namespace

std::string Refusal(std::string_view path, const FileValue& value) {
    if (!OwnedKey(path)) return "the key is not one the library writes";
    const OwnedValue* owned = FindOwned(path, value.name);
    if (!owned) return "\"" + value.name + "\" is not a value the library writes in this key";
    const std::string name = "\"" + value.name + "\" ";
    switch (CheckContent(*owned, value.type, value.data)) {
        case ContentFault::None: return {};
        case ContentFault::WrongType:
            return name + "must be " + TypeName(owned->type) + ", not " + TypeName(value.type);
        case ContentFault::WrongSize:
            return name + "must hold " + std::to_string(owned->size) + " bytes, not " + std::to_string(value.data.size());
        case ContentFault::TooLong:
            return name + "is longer than the library " + (owned->size == kTextLimit ? "reads (" : "stores (") +
                   std::to_string(owned->size - 1) + " characters)";
        case ContentFault::NotAllowed:
            return name + "holds " + Shown(*owned, value.data) + ", which no part of the library stores there (" +
                   AllowedText(*owned) + ")";
    }
    return {};
}

std::string AllowedText(const OwnedValue& owned) {
    const Allowed& allowed = owned.allowed;
    switch (allowed.kind) {
        case Allowed::Range: return std::to_string(allowed.lowest) + " to " + std::to_string(allowed.highest);
        case Allowed::FiniteNumber: return "any finite number";
        case Allowed::Choices: {
            std::string text;
            for (const char* const* choice = allowed.choices; *choice; ++choice)
                text += std::string(text.empty() ? "" : choice[1] ? ", " : " or ") +
                        (**choice ? "\"" + std::string(*choice) + "\"" : "empty");
            return text;
        }
        case Allowed::Anything: break;
    }
    if (owned.type == kTypeText) return "any text up to " + std::to_string(owned.size - 1) + " characters";
    return "any " + std::to_string(owned.size * 8) + "-bit integer";
}

std::optional<FileError> CheckSettingsFile(const SettingsFile& file) {
    for (const FileKey& key : file.keys) {
        if (!OwnedKey(key.path)) return FileError{key.line, "the key is not one the library writes"};
        for (const FileValue& value : key.values) {
            std::string why = Refusal(key.path, value);
            if (!why.empty()) return FileError{value.line, std::move(why)};
        }
    }
    if (file.device) {
        // What older tools would read back from the file must be what was asked.
        const std::string bytes = FormatDeviceFile(*file.device);
        const DeviceDestinations again = ParseDeviceFile(bytes);
        if (bytes.size() > kDeviceFileReadLimit || again.plotType != file.device->plotType ||
            again.plotDestination != file.device->plotDestination ||
            again.cutDestination != file.device->cutDestination)
            return FileError{file.deviceLine,
                             "the device file cannot hold these lines (a plot type of one digit, destinations with "
                             "a drive, at most 1040 bytes)"};
    }
    return std::nullopt;
}

}  // namespace optora::cli
