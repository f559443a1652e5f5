#include "frame/app_names.h"

#include <cstring>

namespace optora {

void AppName::Set(const char* name) {
    if (!name) name = "";
    const std::size_t length = strnlen(name, kSize - 1);
    // Callers may hand back the buffer itself, or a part of it.
    std::memmove(buffer_, name, length);
    buffer_[length] = '\0';
}

AppName& CutAppName() {
    static AppName name;
    return name;
}

AppName& PlotAppName() {
    static AppName name;
    return name;
}

}  // namespace optora
