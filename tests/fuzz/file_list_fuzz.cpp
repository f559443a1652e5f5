// Any typed text must read into a list that keeps the field's promises: no
// name holds a separator or outer blanks, a single field gives one name, a
// folder ends as asked.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "controls/file_list.h"
#include "fuzz_check.h"

using namespace optora;

namespace {
bool Cp932Lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t bits = data[0];
    const FileListRules rules{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0, (bits & 16) != 0};
    FileSystemView files;
    files.fullPath = [](const std::string& path) -> std::optional<std::string> {
        if (path.size() > 260) return std::nullopt;
        return path.size() > 1 && path[1] == ':' ? path : "C:\\cwd\\" + path;
    };
    files.matchingFiles = [](const std::string& pattern) {
        return std::vector<std::string>{pattern.substr(0, pattern.size() / 2), pattern};
    };
    files.resolveShortcut = [](const std::string& path) { return path + ".target"; };
    files.isLeadByte = (bits & 32) ? Cp932Lead : nullptr;

    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const FileList list = ParseFileList(text, rules, files);
    Check(rules.allowMultiple && !rules.folder ? true : list.entries.size() <= 1);
    for (const std::string& entry : list.entries) {
        Check(entry.find(';') == std::string::npos);
        const std::string path = EntryPath(list, entry, rules, files);
        if (rules.folder && rules.folderTrailingSlash) Check(!path.empty() && (path.back() == '\\' || path.back() == '/'));
    }
    for (const std::string& name : SplitQuotedNames(text)) Check(text.front() != '"' || name.find('"') == std::string::npos);
    const std::vector<std::string> paths(list.entries.begin(), list.entries.end());
    Check(DroppedFilesText(paths, files.isLeadByte).size() >= ChosenFilesText(paths, files.isLeadByte).size());
    UpperCaseAnsi(text, files.isLeadByte);
    return 0;
}
