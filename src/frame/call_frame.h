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

// The frame of the entry points that show windows or read resources. Those
// always come from the library (LibraryResources), never from the caller's
// module, so there is no per-thread state to switch: the name says what the
// entry point needs, the shield does the work.
template <typename Fn, typename R = std::invoke_result_t<Fn>>
R Framed(R fallback, Fn&& body) noexcept {
    return Shielded(std::move(fallback), std::forward<Fn>(body));
}

template <typename Fn>
void Framed(Fn&& body) noexcept {
    Shielded(std::forward<Fn>(body));
}

}  // namespace optora
