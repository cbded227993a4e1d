#include "app/screen_geometry.h"

#include <cstdlib>

namespace kiv {

TaskbarMargins ComputeTaskbarMargins(const std::optional<Rect>& taskbar) {
    TaskbarMargins m;
    if (!taskbar) {
        m.marginY = 30;
        return m;
    }
    const int width = std::abs(taskbar->left - taskbar->right);
    const int height = std::abs(taskbar->top - taskbar->bottom);
    if (width > height) {
        m.marginY = height;
        if (taskbar->top <= 0) m.fitTop = taskbar->bottom;
    } else {
        m.marginX = width;
        if (taskbar->left <= 0) m.fitLeft = taskbar->right;
    }
    return m;
}

FitResult FitWindowToCalendar(const FitInput& in) {
    const int t = in.toolbarHeight;
    int clientWidth = in.calendarWidth;
    int clientHeight = in.calendarHeight + t;
    int outerWidth = clientWidth + in.frameWidth;
    int outerHeight = clientHeight + in.frameHeight;

    const int usableWidth = in.monitor.width() - in.taskbar.marginX;
    const int usableHeight = in.monitor.height() - in.taskbar.marginY;

    if (outerWidth > usableWidth) {
        // Too wide: the horizontal scroll bar needs room below the calendar.
        outerWidth = usableWidth;
        clientWidth = outerWidth - in.frameWidth;
        clientHeight = in.calendarHeight + t + in.horzScrollBar;
        outerHeight = clientHeight + in.frameHeight;
    }
    if (outerHeight > usableHeight) {
        outerHeight = usableHeight;
        clientHeight = outerHeight - in.frameHeight;
        clientWidth = in.calendarWidth + in.vertScrollBar;
        outerWidth = clientWidth + in.frameWidth;
    }
    if (outerWidth > usableWidth) {
        outerWidth = usableWidth;
        clientWidth = outerWidth - in.frameWidth;
    }

    FitResult r;
    r.clientWidth = clientWidth;
    r.clientHeight = clientHeight;
    // Centred on the monitor when there is room; else against the taskbar's edge.
    const int left = usableWidth > outerWidth ? in.monitor.left + (in.monitor.width() - outerWidth) / 2
                                              : in.taskbar.fitLeft;
    const int top = usableHeight > outerHeight ? in.monitor.top + (in.monitor.height() - outerHeight) / 2
                                               : in.taskbar.fitTop;
    r.window = Rect{left, top, left + outerWidth, top + outerHeight};
    return r;
}

}  // namespace kiv
