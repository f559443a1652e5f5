#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/item_name.h"

namespace optora {

// How the text of a file edit field is read.
struct FileListRules {
    bool folder = false;  // one folder name; otherwise file names
    bool allowMultiple = false;
    bool folderTrailingSlash = false;
    bool expandWildcards = false;
    bool resolveShortcuts = false;
};

// The file system as the reading of a field sees it, so that the rules run
// and are tested without one.
struct FileSystemView {
    // The absolute form of a path; nothing when it cannot be made or does not
    // fit a path buffer.
    std::function<std::optional<std::string>(const std::string&)> fullPath;
    // Full paths of the files (never folders) an absolute pattern matches.
    std::function<std::vector<std::string>(const std::string&)> matchingFiles;
    // The target of a shortcut file; the name itself when it cannot be read.
    std::function<std::string(const std::string&)> resolveShortcut;
    ItemName::LeadBytePredicate isLeadByte = nullptr;
};

struct FileList {
    std::string folderPrefix;          // drive and directory of the first file name
    std::vector<std::string> entries;  // without the prefix where they began with it
};

// Names are separated by ";"; blanks around each are ignored. A folder field
// gives one full path; a file field the first name and, when several are
// allowed, every further one, wildcards expanded and shortcuts resolved as
// the rules say.
FileList ParseFileList(std::string_view text, const FileListRules& rules, const FileSystemView& files);

// The full path an entry of the list stands for; an empty entry stands for
// the folder prefix.
std::string EntryPath(const FileList& list, const std::string& entry, const FileListRules& rules,
                      const FileSystemView& files);

// The length of the drive and directory part of a path (up to and with its
// last "\" or "/", else a drive "X:"); a double-byte character is never
// taken for a separator.
std::size_t DirectoryLength(std::string_view path, ItemName::LeadBytePredicate isLeadByte);

// ".lnk" and ".pif" files, in any case.
bool IsShortcutName(std::string_view name);

// What a drop of files gives: the first path whole, every later one after
// "; " and without the first one's directory when it lies in it.
std::string DroppedFilesText(const std::vector<std::string>& paths, ItemName::LeadBytePredicate isLeadByte);

// What a file dialog's choice gives: the first path whole, every later one
// after "; " as its name and extension.
std::string ChosenFilesText(const std::vector<std::string>& paths, ItemName::LeadBytePredicate isLeadByte);

// The names of a file dialog's selection text ("a.txt" "b.txt"); a text
// without quotes is one name.
std::vector<std::string> SplitQuotedNames(std::string_view text);

}  // namespace optora
