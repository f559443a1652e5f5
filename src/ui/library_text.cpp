#include "ui/library_text.h"

#include "frame/module_state.h"

namespace optora::ui {

std::string LibraryText(UINT id) {
    // A string-table entry holds at most 4097 characters; the terminator
    // always fits because LoadStringA cuts to the buffer.
    char buffer[4100] = {};
    const int length = LoadStringA(LibraryResources(), id, buffer, static_cast<int>(sizeof buffer));
    return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

}  // namespace optora::ui
