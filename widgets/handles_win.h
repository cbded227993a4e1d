// Move-only owners for the Windows handles the program holds.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace kiv {

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle h) noexcept : handle_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::invalid(); }
    Handle release() noexcept { return std::exchange(handle_, Traits::invalid()); }
    void reset(Handle h = Traits::invalid()) noexcept {
        Handle old = std::exchange(handle_, h);
        if (old != Traits::invalid()) Traits::close(old);
    }

private:
    Handle handle_ = Traits::invalid();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { CloseHandle(h); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { RegCloseKey(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { DestroyIcon(h); }
};
template <typename T>
struct GdiObjectTraits {
    using Handle = T;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { DeleteObject(h); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { DeleteDC(h); }
};
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { GlobalFree(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { DestroyMenu(h); }
};
struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { ImageList_Destroy(h); }
};
struct AcceleratorTraits {
    using Handle = HACCEL;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { DestroyAcceleratorTable(h); }
};
struct HookTraits {
    using Handle = HHOOK;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { UnhookWindowsHookEx(h); }
};
// For a window no other window owns; one owned by another is reset before its owner goes.
struct WindowTraits {
    using Handle = HWND;
    static Handle invalid() noexcept { return nullptr; }
    // An owned window may have gone with its owner already.
    static void close(Handle h) noexcept {
        if (IsWindow(h)) DestroyWindow(h);
    }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueDc = UniqueHandle<MemoryDcTraits>;  // any DC made with CreateDC
using UniqueGlobal = UniqueHandle<GlobalMemoryTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniqueAccelerators = UniqueHandle<AcceleratorTraits>;
using UniqueHook = UniqueHandle<HookTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;

// A device context borrowed from a window with GetDC.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() { if (dc_) ReleaseDC(hwnd_, dc_); }
    HDC get() const noexcept { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// Selects a GDI object into a DC for the lifetime of the guard.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(SelectObject(dc, obj)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() { if (old_) SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Locks movable global memory for the lifetime of the guard.
template <typename T>
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL memory) noexcept
        : memory_(memory), data_(memory ? static_cast<T*>(GlobalLock(memory)) : nullptr) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard() { if (data_) GlobalUnlock(memory_); }
    T* get() const noexcept { return data_; }

private:
    HGLOBAL memory_;
    T* data_;
};

// A registered global hot key, unregistered with its owner.
class HotKeyRegistration {
public:
    HotKeyRegistration() noexcept = default;
    HotKeyRegistration(const HotKeyRegistration&) = delete;
    HotKeyRegistration& operator=(const HotKeyRegistration&) = delete;
    ~HotKeyRegistration() { reset(); }

    bool registerKey(HWND hwnd, int id, UINT modifiers, UINT key) noexcept {
        reset();
        if (!RegisterHotKey(hwnd, id, modifiers, key)) return false;
        hwnd_ = hwnd;
        id_ = id;
        return true;
    }
    void reset() noexcept {
        if (hwnd_) UnregisterHotKey(hwnd_, id_);
        hwnd_ = nullptr;
    }
    bool registered() const noexcept { return hwnd_ != nullptr; }

private:
    HWND hwnd_ = nullptr;
    int id_ = 0;
};

}  // namespace kiv
