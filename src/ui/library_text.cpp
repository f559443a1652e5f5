#include "ui/library_text.h"

#include "frame/module_state.h"

namespace optora::ui {
namespace {
std::string LoadText(HINSTANCE module, UINT id) {
    // A string-table entry holds at most 4097 characters; the terminator
    // always fits because LoadStringA cuts to the buffer.
    char buffer[4100] = {};
    const int length = LoadStringA(module, id, buffer, static_cast<int>(sizeof buffer));
    return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}
}  // namespace

std::string LibraryText(UINT id) { return LoadText(LibraryResources(), id); }

std::string LibraryTextOrBase(UINT id) {
    std::string text = LibraryText(id);
    return text.empty() ? LoadText(LibraryModuleState().instance, id) : text;
}

}  // namespace optora::ui
