// Base classes binding a C++ object to a window. The procedures never let an
// exception reach user32: it is shown in the application's error box.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kiv {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const noexcept { return hwnd_; }
    // Destroys the window while the object still handles its messages.
    void destroy() noexcept;

protected:
    // Registers the class once per process (later calls are no-ops).
    static void registerClass(const wchar_t* className, UINT style = 0, HBRUSH background = nullptr,
                              HICON icon = nullptr, HICON smallIcon = nullptr);
    // Creates the window with this object bound to it from WM_NCCREATE on.
    HWND create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y,
                int width, int height, HWND parent, HMENU menuOrId);

    // Handlers return nullopt to fall through to the default procedure.
    virtual std::optional<LRESULT> onMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
    // Called once the window is gone; the object may be reused afterwards.
    virtual void onDestroyed() {}

    static LRESULT CALLBACK procedure(HWND h, UINT msg, WPARAM wp, LPARAM lp) noexcept;

private:
    // Stops the window's messages from reaching this object; returns the
    // window, which is left to the caller.
    HWND unbind() noexcept;

    HWND hwnd_ = nullptr;
};

// Extends an existing control through SetWindowSubclass.
class Subclass {
public:
    Subclass() = default;
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;
    virtual ~Subclass();

    void attach(HWND control);
    void detach() noexcept;
    HWND hwnd() const noexcept { return hwnd_; }

protected:
    virtual std::optional<LRESULT> onMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
    LRESULT defaultProcedure(UINT msg, WPARAM wp, LPARAM lp) noexcept;

private:
    static LRESULT CALLBACK procedure(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                      DWORD_PTR data) noexcept;
    HWND hwnd_ = nullptr;
};

// Runs a callable and shows any exception it throws in the error box.
template <typename F>
bool Guarded(F&& f) noexcept;

void ReportCurrentException() noexcept;

template <typename F>
bool Guarded(F&& f) noexcept {
    try {
        f();
        return true;
    } catch (...) {
        ReportCurrentException();
        return false;
    }
}

// 96-DPI pixel sizes scaled to a window's DPI.
UINT WindowDpi(HWND hwnd) noexcept;
int ScaleForDpi(int pixelsAt96, UINT dpi) noexcept;

}  // namespace kiv
