// Takes a topmost main window out of the topmost band while a dialog of its
// own is up, and puts it back afterwards.
#pragma once

#include "app/main_window_win.h"

namespace kiv {

class TopmostPause {
public:
    explicit TopmostPause(TfMain_calendar& window)
        : window_(window), topmost_(window.IsChecked(Command::AlwaysOnTop)) {
        if (topmost_) window_.SetTopmost(false);
    }
    TopmostPause(const TopmostPause&) = delete;
    TopmostPause& operator=(const TopmostPause&) = delete;
    ~TopmostPause() {
        if (topmost_) window_.SetTopmost(true);
    }
    // Leaves the band to whatever sets it next, rather than putting it back.
    void Release() noexcept { topmost_ = false; }

private:
    TfMain_calendar& window_;
    bool topmost_;
};

}  // namespace kiv
