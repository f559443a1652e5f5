#pragma once
#include <cstddef>

namespace optora {

// A caller-chosen application name selecting a per-application variant of
// the cut or plot options. Callers get the buffer's address and may read it
// at any time, so it is a fixed, always terminated array.
class AppName {
public:
    static constexpr std::size_t kSize = 104;

    // Null clears the name; a name that does not fit is cut to kSize - 1 bytes.
    void Set(const char* name);
    char* Buffer() { return buffer_; }
    const char* Text() const { return buffer_; }

private:
    char buffer_[kSize] = {};
};

AppName& CutAppName();
AppName& PlotAppName();

}  // namespace optora
