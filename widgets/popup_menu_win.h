// A shortcut menu shown at a point, whose chosen item is handed to a
// callback rather than posted to a window.
#pragma once

#include <windows.h>

#include <functional>

#include "widgets/handles_win.h"

namespace kiv {

class TPopupMenu {
public:
    // Takes over the menu.
    void SetHandle(HMENU menu) noexcept { menu_.reset(menu); }
    HMENU Handle() const noexcept { return menu_.get(); }

    // The component that opened the menu last (set by it before Popup).
    const void* PopupComponent = nullptr;
    // Runs with the command identifier of the item chosen.
    std::function<void(UINT command)> OnCommand;

    // Shows the menu with its top-left corner at the screen point, for the
    // window that is in the foreground, and runs the chosen item.
    void Popup(int x, int y, HWND owner);

private:
    UniqueMenu menu_;
};

// Shows a menu and returns the chosen command identifier (0 for none).
using PopupMenuTracker = std::function<UINT(HMENU menu, int x, int y, HWND owner)>;

// Installs a replacement for TrackPopupMenuEx, so that tests need no person
// to close the menu; returns the previous one. Empty brings the system's back.
PopupMenuTracker SetPopupMenuTracker(PopupMenuTracker tracker);

}  // namespace kiv
