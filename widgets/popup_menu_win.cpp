#include "widgets/popup_menu_win.h"

#include <utility>

namespace kiv {
namespace {
PopupMenuTracker& Tracker() {
    static PopupMenuTracker tracker;
    return tracker;
}
}  // namespace

void TPopupMenu::Popup(int x, int y, HWND owner) {
    if (!menu_) return;
    UINT command = 0;
    if (Tracker()) {
        command = Tracker()(menu_.get(), x, y, owner);
    } else {
        command = static_cast<UINT>(TrackPopupMenuEx(menu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                     x, y, owner, nullptr));
    }
    if (command && OnCommand) OnCommand(command);
}

PopupMenuTracker SetPopupMenuTracker(PopupMenuTracker tracker) { return std::exchange(Tracker(), std::move(tracker)); }

}  // namespace kiv
