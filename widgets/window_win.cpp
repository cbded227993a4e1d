#include "widgets/window_win.h"

#include <commctrl.h>

#include <exception>
#include <stdexcept>
#include <utility>

#include "widgets/application_win.h"

namespace kiv {

void ReportCurrentException() noexcept {
    try {
        throw;
    } catch (const std::exception& e) {
        Application::instance().showException(e);
    } catch (...) {
        Application::instance().showUnknownException();
    }
}

Window::~Window() {
    // Only the base is left: the window's last messages go to the default
    // procedure, never to a handler of the derived object.
    if (HWND h = unbind()) DestroyWindow(h);
}

void Window::destroy() noexcept {
    if (hwnd_) DestroyWindow(hwnd_);
}

HWND Window::unbind() noexcept {
    HWND h = std::exchange(hwnd_, nullptr);
    if (h && IsWindow(h) && GetWindowLongPtrW(h, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this))
        SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    return h;
}

void Window::registerClass(const wchar_t* className, UINT style, HBRUSH background, HICON icon,
                           HICON smallIcon) {
    WNDCLASSEXW wc{};
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, className, &wc)) return;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = &Window::procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    if (!RegisterClassExW(&wc)) throw std::runtime_error("Cannot register a window class");
}

HWND Window::create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x,
                    int y, int width, int height, HWND parent, HMENU menuOrId) {
    HWND h = CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menuOrId,
                             GetModuleHandleW(nullptr), this);
    if (!h) throw std::runtime_error("Cannot create a window");
    return h;
}

LRESULT CALLBACK Window::procedure(HWND h, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        if (self) {
            self->hwnd_ = h;
            SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    std::optional<LRESULT> handled;
    if (self) {
        try {
            handled = self->onMessage(msg, wp, lp);
        } catch (...) {
            ReportCurrentException();
        }
    }
    if (msg == WM_NCDESTROY && self) {
        SetWindowLongPtrW(h, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        try {
            self->onDestroyed();
        } catch (...) {
            ReportCurrentException();
        }
    }
    return handled ? *handled : DefWindowProcW(h, msg, wp, lp);
}

Subclass::~Subclass() { detach(); }

void Subclass::attach(HWND control) {
    detach();
    // Keyed by the object, so that several objects can watch one window.
    if (!SetWindowSubclass(control, &Subclass::procedure, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(this)))
        throw std::runtime_error("Cannot subclass a control");
    hwnd_ = control;
}

void Subclass::detach() noexcept {
    if (hwnd_) RemoveWindowSubclass(hwnd_, &Subclass::procedure, reinterpret_cast<UINT_PTR>(this));
    hwnd_ = nullptr;
}

LRESULT Subclass::defaultProcedure(UINT msg, WPARAM wp, LPARAM lp) noexcept {
    return DefSubclassProc(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK Subclass::procedure(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<Subclass*>(data);
    std::optional<LRESULT> handled;
    try {
        handled = self->onMessage(msg, wp, lp);
    } catch (...) {
        ReportCurrentException();
    }
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(h, &Subclass::procedure, id);
        self->hwnd_ = nullptr;
        return DefSubclassProc(h, msg, wp, lp);
    }
    return handled ? *handled : DefSubclassProc(h, msg, wp, lp);
}

UINT WindowDpi(HWND hwnd) noexcept {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && hwnd) {
        UINT dpi = getDpiForWindow(hwnd);
        if (dpi) return dpi;
    }
    HDC dc = GetDC(nullptr);
    int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

int ScaleForDpi(int pixelsAt96, UINT dpi) noexcept { return MulDiv(pixelsAt96, static_cast<int>(dpi), 96); }

}  // namespace kiv
