// The main window's tray entry points: the date it shows, and showing and
// hiding the window from the icon.
#include "app/main_window_win.h"
#include "app/show_hide_win.h"

namespace kiv {

void TfMain_calendar::UpdateNotifyIcon() {
    const TDateTime today = clock_.Today();
    tray_.Update(state_.Settings, today, markedDays_.Files().Days().EventsOn(today));
}

void TfMain_calendar::ShowFromTray() { kiv::ShowFromTray(hwnd()); }

void TfMain_calendar::HideToTray() { kiv::HideToTray(hwnd()); }

void TfMain_calendar::mnShowClick() {
    if (!IsWindowVisible(hwnd())) {
        ShowFromTray();
    } else if (IsIconic(hwnd())) {
        // Minimised, the window is visible but out of sight: show it as the
        // second start does.
        ShowWindow(hwnd(), SW_RESTORE);
        SetForegroundWindow(hwnd());
    }
}

void TfMain_calendar::NotifyIconClick() {
    const bool visible = IsWindowVisible(hwnd()) != FALSE;
    if (state_.Settings.SingleClick) {
        if (visible)
            HideToTray();
        else
            ShowFromTray();
    } else if (visible) {
        SetForegroundWindow(hwnd());
    }
}

void TfMain_calendar::mnCloseClick() { HideToTray(); }

}  // namespace kiv
