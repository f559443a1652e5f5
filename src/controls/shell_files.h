#pragma once
#include <windows.h>

#include <string>

#include "controls/file_list.h"
#include "options/ansi_lead_byte.h"
#include "store/unique_resource.h"

namespace optora {

// COM for the length of one shell call. Only a thread without COM is
// initialised here, and only that initialisation is undone: a caller's
// apartment, whichever it is, is left as it was.
class ComScope {
public:
    ComScope();
    ~ComScope();
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised_ = false;
};

template <typename Interface>
struct ComReleaseTraits {
    using Handle = Interface*;
    static Handle None() { return nullptr; }
    static void Close(Handle object) { object->Release(); }
};
template <typename Interface>
using UniqueCom = UniqueResource<ComReleaseTraits<Interface>>;


// The target of a shortcut file (".lnk", ".pif"); the path itself when it
// cannot be read.
std::string ResolveShortcut(const std::string& path);

// The file system the file edit fields read their names against.
const FileSystemView& WindowsFileSystem();

bool IsDirectory(const std::string& path);
bool IsFile(const std::string& path);

}  // namespace optora
