#include "controls/file_list.h"

namespace optora {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Rooted names ("\dir", "X:...") are never placed under the folder prefix.
bool IsRooted(std::string_view name) {
    return (!name.empty() && name[0] == '\\') || (name.size() > 1 && name[1] == ':');
}

bool HasWildcard(std::string_view name) { return name.find_first_of("*?") != std::string_view::npos; }

bool EndsWithSeparator(std::string_view path, ItemName::LeadBytePredicate isLeadByte) {
    return !path.empty() && IsSeparator(path.back()) && DirectoryLength(path, isLeadByte) == path.size();
}

// The names of the text: the first, then (when wanted) the further ones.
std::vector<std::string_view> SplitNames(std::string_view text, bool all) {
    std::vector<std::string_view> names;
    while (!text.empty()) {
        const std::size_t end = text.find(';');
        const std::string_view name = TrimItemSpace(text.substr(0, end));
        if (!name.empty()) {
            names.push_back(name);
            if (!all) break;
        }
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return names;
}

std::string FolderPath(std::string_view name, const FileListRules& rules, const FileSystemView& files) {
    std::string path = files.fullPath(std::string(name)).value_or(std::string(name));
    const bool slashed = EndsWithSeparator(path, files.isLeadByte);
    if (rules.folderTrailingSlash && !slashed)
        path += '\\';
    else if (!rules.folderTrailingSlash && slashed && !(path.size() == 3 && path[1] == ':'))
        path.pop_back();
    return path;
}

class ListBuilder {
public:
    ListBuilder(FileList& list, const FileListRules& rules, const FileSystemView& files)
        : list_(list), rules_(rules), files_(files) {}

    void AddThroughWildcards(std::string_view name) {
        if (!rules_.expandWildcards || !HasWildcard(name)) return Add(std::string(name));
        const std::string pattern = IsRooted(name) ? std::string(name) : list_.folderPrefix + std::string(name);
        const auto full = files_.fullPath(pattern);
        if (!full) return;
        for (const std::string& match : files_.matchingFiles(*full)) {
            Add(match);
            if (!rules_.allowMultiple) break;
        }
    }

private:
    void Add(std::string name) {
        if (rules_.resolveShortcuts && IsShortcutName(name)) name = files_.resolveShortcut(name);
        const std::string& prefix = list_.folderPrefix;
        if (!prefix.empty() && name.compare(0, prefix.size(), prefix) == 0) name.erase(0, prefix.size());
        list_.entries.push_back(std::move(name));
    }

    FileList& list_;
    const FileListRules& rules_;
    const FileSystemView& files_;
};

}  // namespace

std::size_t DirectoryLength(std::string_view path, ItemName::LeadBytePredicate isLeadByte) {
    std::size_t length = path.size() > 1 && path[1] == ':' ? 2 : 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (isLeadByte && isLeadByte(static_cast<unsigned char>(path[i])))
            ++i;
        else if (IsSeparator(path[i]))
            length = i + 1;
    }
    return length;
}

bool IsShortcutName(std::string_view name) {
    if (name.size() < 4) return false;
    std::string extension(name.substr(name.size() - 4));
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return extension == ".lnk" || extension == ".pif";
}

FileList ParseFileList(std::string_view text, const FileListRules& rules, const FileSystemView& files) {
    FileList list;
    const std::vector<std::string_view> names = SplitNames(text, !rules.folder && rules.allowMultiple);
    if (names.empty()) return list;
    if (rules.folder) {
        list.entries.push_back(FolderPath(names.front(), rules, files));
        return list;
    }
    const std::string_view first = names.front();
    const std::size_t directory = DirectoryLength(first, files.isLeadByte);
    list.folderPrefix = std::string(first.substr(0, directory));
    ListBuilder builder(list, rules, files);
    builder.AddThroughWildcards(first.substr(directory));
    for (std::size_t i = 1; i < names.size(); ++i) builder.AddThroughWildcards(names[i]);
    return list;
}

std::string EntryPath(const FileList& list, const std::string& entry, const FileListRules& rules,
                      const FileSystemView& files) {
    std::string path = IsRooted(entry) ? entry : list.folderPrefix + entry;
    path = files.fullPath(path).value_or(path);
    if (rules.resolveShortcuts && IsShortcutName(path)) path = files.resolveShortcut(path);
    return path;
}

std::string DroppedFilesText(const std::vector<std::string>& paths, ItemName::LeadBytePredicate isLeadByte) {
    if (paths.empty()) return {};
    std::string text = paths.front();
    const std::string_view directory(paths.front().data(), DirectoryLength(paths.front(), isLeadByte));
    for (std::size_t i = 1; i < paths.size(); ++i) {
        std::string_view name = paths[i];
        if (!directory.empty() && name.substr(0, directory.size()) == directory) name.remove_prefix(directory.size());
        text += "; ";
        text += name;
    }
    return text;
}

std::string ChosenFilesText(const std::vector<std::string>& paths, ItemName::LeadBytePredicate isLeadByte) {
    if (paths.empty()) return {};
    std::string text = paths.front();
    for (std::size_t i = 1; i < paths.size(); ++i) {
        text += "; ";
        text += paths[i].substr(DirectoryLength(paths[i], isLeadByte));
    }
    return text;
}

std::vector<std::string> SplitQuotedNames(std::string_view text) {
    if (text.empty()) return {};
    if (text.front() != '"') return {std::string(text)};
    std::vector<std::string> names;
    std::size_t at = 0;
    while ((at = text.find('"', at)) != std::string_view::npos) {
        const std::size_t end = text.find('"', at + 1);
        if (end == std::string_view::npos) break;
        if (end > at + 1) names.emplace_back(text.substr(at + 1, end - at - 1));
        at = end + 1;
    }
    return names;
}

}  // namespace optora
