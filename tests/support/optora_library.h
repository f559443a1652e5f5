#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace optora::test {

// optora.dll bound by name, as the suite's applications bind it.
class OptoraLibrary {
public:
    explicit OptoraLibrary(const std::string& path = "optora.dll") : module_(LoadLibraryA(path.c_str())) {}
    ~OptoraLibrary() { if (module_) FreeLibrary(module_); }
    OptoraLibrary(const OptoraLibrary&) = delete;
    OptoraLibrary& operator=(const OptoraLibrary&) = delete;

    bool Loaded() const { return module_ != nullptr; }

    template <typename Fn>
    Fn Entry(const char* name) const {
        auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
        EXPECT_NE(fn, nullptr) << name;
        return fn;
    }

private:
    HMODULE module_;
};

}  // namespace optora::test
