// Where the main window goes: the room the taskbar leaves, and the fitting
// of the window to the calendar and the monitor.
#pragma once

#include <optional>

namespace kiv {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const noexcept { return right - left; }
    int height() const noexcept { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct TaskbarMargins {
    int marginX = 0;  // width taken by a vertical taskbar
    int marginY = 0;  // height taken by a horizontal taskbar
    int fitLeft = 0;  // left edge for a window as wide as the usable width
    int fitTop = 0;   // top edge for a window as tall as the usable height
    friend bool operator==(const TaskbarMargins&, const TaskbarMargins&) = default;
};

// From the taskbar's screen rectangle, or nullopt when there is no taskbar.
TaskbarMargins ComputeTaskbarMargins(const std::optional<Rect>& taskbar);

struct FitInput {
    int calendarWidth = 0, calendarHeight = 0;
    int toolbarHeight = 0;                  // 0 when the toolbar is hidden
    int horzScrollBar = 0, vertScrollBar = 0;  // thickness of the scroll box's bars
    int frameWidth = 0, frameHeight = 0;    // outer size minus client size
    Rect monitor;                           // the full monitor the window is on
    TaskbarMargins taskbar;
};

struct FitResult {
    Rect window;       // outer rectangle in screen coordinates
    int clientWidth = 0, clientHeight = 0;
    friend bool operator==(const FitResult&, const FitResult&) = default;
};

FitResult FitWindowToCalendar(const FitInput& in);

}  // namespace kiv
