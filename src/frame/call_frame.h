#pragma once
#include <type_traits>
#include <utility>

#include "frame/module_state.h"
#include "frame/startup.h"

namespace optora {

// Nothing may be thrown across the library boundary: a failure inside an
// entry point ends in the fallback the entry point names (its set's default).
// The library starts up at the first call that comes through here.
template <typename Fn, typename R = std::invoke_result_t<Fn>>
R Shielded(R fallback, Fn&& body) noexcept {
    EnsureStarted();
    try {
        return std::forward<Fn>(body)();
    } catch (...) {
        return fallback;
    }
}

template <typename Fn>
void Shielded(Fn&& body) noexcept {
    EnsureStarted();
    try {
        std::forward<Fn>(body)();
    } catch (...) {
    }
}

}  // namespace optora
