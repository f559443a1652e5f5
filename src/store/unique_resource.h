#pragma once
#include <windows.h>

namespace optora {

// Sole owner of an OS handle: move-only, closed on destruction. Traits give
// the handle type, its "nothing" value and how to close it.
template <typename Traits>
class UniqueResource {
public:
    using Handle = typename Traits::Handle;

    UniqueResource() = default;
    explicit UniqueResource(Handle handle) : handle_(handle) {}
    ~UniqueResource() { reset(); }
    UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::None(); }
    Handle release() {
        const Handle handle = handle_;
        handle_ = Traits::None();
        return handle;
    }
    void reset(Handle handle = Traits::None()) {
        if (handle_ != Traits::None()) Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::None();
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle None() { return nullptr; }
    static void Close(Handle key) { RegCloseKey(key); }
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle file) { CloseHandle(file); }
};

// Events, processes, threads and other kernel objects, whose "nothing" is null.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle None() { return nullptr; }
    static void Close(Handle object) { CloseHandle(object); }
};

// Ownership of a mutex whose handle lives elsewhere: closing lets it go.
struct HeldMutexTraits {
    using Handle = HANDLE;
    static Handle None() { return nullptr; }
    static void Close(Handle mutex) { ReleaseMutex(mutex); }
};

struct MenuTraits {
    using Handle = HMENU;
    static Handle None() { return nullptr; }
    static void Close(Handle menu) { DestroyMenu(menu); }
};

// Pens, brushes, bitmaps: delete only once selected out of every DC.
template <typename Object>
struct GdiObjectTraits {
    using Handle = Object;
    static Handle None() { return nullptr; }
    static void Close(Handle object) { DeleteObject(object); }
};

// A DC this program created (CreateCompatibleDC), not one borrowed from a window.
struct CreatedDcTraits {
    using Handle = HDC;
    static Handle None() { return nullptr; }
    static void Close(Handle dc) { DeleteDC(dc); }
};

using UniqueHKey = UniqueResource<RegistryKeyTraits>;
using UniqueFile = UniqueResource<FileHandleTraits>;  // files: INVALID_HANDLE_VALUE is "none"
using UniqueKernelHandle = UniqueResource<KernelHandleTraits>;
using HeldMutex = UniqueResource<HeldMutexTraits>;
using UniqueMenu = UniqueResource<MenuTraits>;
using UniqueBitmap = UniqueResource<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = UniqueResource<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueResource<GdiObjectTraits<HPEN>>;
using UniqueCreatedDc = UniqueResource<CreatedDcTraits>;

}  // namespace optora
