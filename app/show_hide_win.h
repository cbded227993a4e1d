// Hiding a window to the notification area and showing it from there, with
// the system's window animation between the two.
#pragma once

#include <windows.h>

namespace kiv {

// Restores a minimised window (without animation, so that it comes back in
// its normal size next time), hides it and animates it into the tray.
void HideToTray(HWND window);
// Animates the window out of the tray, shows it and brings it forward.
void ShowFromTray(HWND window);

// The system's minimise animation; false when it cannot be read.
bool GetMinimizeAnimation() noexcept;
// For this session only: not saved to the profile, not broadcast.
void SetMinimizeAnimation(bool on) noexcept;

// The screen rectangles of the taskbar's notification area and of the
// taskbar itself; false when there is none.
bool GetTrayNotifyRect(RECT& rect) noexcept;
bool GetTaskbarRect(RECT& rect) noexcept;

// Where the animation runs to and from: the notification area, or else the
// bottom-right corner of the primary screen (100 x 30 at 96 DPI).
RECT TrayAnimationRect(HWND window) noexcept;

}  // namespace kiv
