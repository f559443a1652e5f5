#include "frame/library_text.h"

#include "frame/module_state.h"

namespace optora {
namespace {
std::string LoadText(HINSTANCE module, UINT id) {
    // A string-table entry holds at most 4097 characters; the terminator
    // always fits because LoadStringA cuts to the buffer.
    char buffer[4100] = {};
    const int length = LoadStringA(module, id, buffer, static_cast<int>(sizeof buffer));
    return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}
}  // namespace

// A language library of the library's version may still lack a string (one
// that follows only the resource contract does): the library's own then.
std::string LibraryText(UINT id, const char* fallback) {
    const HINSTANCE own = LibraryModuleState().instance;
    std::string text = LoadText(LibraryResources(), id);
    if (text.empty() && LibraryResources() != own) text = LoadText(own, id);
    return text.empty() ? std::string(fallback) : text;
}

}  // namespace optora
