#include "app/show_hide_win.h"

#include <optional>

#include "app/app_texts.h"
#include "widgets/window_win.h"

namespace kiv {
namespace {

std::optional<bool> ReadMinimizeAnimation() noexcept {
    ANIMATIONINFO info{};
    info.cbSize = sizeof info;
    if (!SystemParametersInfoW(SPI_GETANIMATION, sizeof info, &info, 0)) return std::nullopt;
    return info.iMinAnimate != 0;
}

void Animate(HWND window, const RECT& from, const RECT& to) noexcept {
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

}  // namespace

bool GetMinimizeAnimation() noexcept { return ReadMinimizeAnimation().value_or(false); }

void SetMinimizeAnimation(bool on) noexcept {
    ANIMATIONINFO info{};
    info.cbSize = sizeof info;
    info.iMinAnimate = on ? 1 : 0;
    SystemParametersInfoW(SPI_SETANIMATION, sizeof info, &info, 0);
}

bool GetTaskbarRect(RECT& rect) noexcept {
    HWND taskbar = FindWindowW(texts::kTaskbarClass, nullptr);
    return taskbar && GetWindowRect(taskbar, &rect);
}

bool GetTrayNotifyRect(RECT& rect) noexcept {
    HWND taskbar = FindWindowW(texts::kTaskbarClass, nullptr);
    HWND tray = taskbar ? FindWindowExW(taskbar, nullptr, texts::kTrayNotifyClass, nullptr) : nullptr;
    return tray && GetWindowRect(tray, &rect);
}

RECT TrayAnimationRect(HWND window) noexcept {
    RECT rect{};
    if (GetTrayNotifyRect(rect)) return rect;
    const UINT dpi = WindowDpi(window);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    return RECT{width - ScaleForDpi(100, dpi), height - ScaleForDpi(30, dpi), width, height};
}

// The tray's rectangle is looked up only for the animation that needs it.
void HideToTray(HWND window) {
    if (IsIconic(window)) {
        // Restored without the animation, then hidden: shown again, the
        // window comes back in its normal size. The setting is only touched
        // when it could be read, so that it is always put back as it was.
        const std::optional<bool> saved = ReadMinimizeAnimation();
        if (saved.value_or(false)) SetMinimizeAnimation(false);
        ShowWindow(window, SW_RESTORE);
        if (saved.value_or(false)) SetMinimizeAnimation(true);
    }
    ShowWindow(window, SW_HIDE);
    if (GetMinimizeAnimation()) {
        RECT bounds{};
        GetWindowRect(window, &bounds);
        Animate(window, bounds, TrayAnimationRect(window));
    }
}

void ShowFromTray(HWND window) {
    if (GetMinimizeAnimation()) {
        RECT bounds{};
        GetWindowRect(window, &bounds);
        Animate(window, TrayAnimationRect(window), bounds);
    }
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    // A hidden window is shown on top of its kind: no call to bring it
    // there is needed (and one costs a second full reordering).
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
}

}  // namespace kiv
