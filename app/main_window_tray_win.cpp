// The main window's tray icon: the date it shows, and showing and hiding
// the window from it.
#include "app/app_texts.h"
#include "app/main_window_win.h"
#include "app/show_hide_win.h"
#include "widgets/color_win.h"
#include "calendar/date_format_win.h"
#include "resources/pixmap_win.h"
#include "trayicon/date_icon.h"

namespace kiv {

void TfMain_calendar::CreateNotifyIcon() {
    imgIcon_ = LoadProgramIcon(GetSystemMetrics(SM_CXSMICON));
    // As a form declares it: the properties are read first, and the icon is
    // added once when loading ends.
    NotifyIcon.Create(hwnd());
    NotifyIcon.SetVisible(true);
    NotifyIcon.SetIcon(imgIcon_.get());
    NotifyIcon.PopupMenu = &PopupMenu;
    NotifyIcon.OnClick = [this](const void*) { NotifyIconClick(); };
    NotifyIcon.OnDblClick = [this](const void*) { mnShowClick(); };
    NotifyIcon.RightClickBeepOnNoMenu = true;
    NotifyIcon.Loaded();
}

void TfMain_calendar::UpdateNotifyIcon() {
    if (!Settings.ShowDateInNotifyIcon) {
        NotifyIcon.SetIcon(imgIcon_.get());
        return;
    }
    const TDateTime today = clock_.Today();
    NotifyIcon.SetToolTip(
        DateToolTip(texts::kApplicationTitle, ShortDateText(today), LongDateText(today), Settings.LongDateFormat));
    DateIconStyle style;
    style.transparent = Settings.TransparentIcon;
    style.smallNumbers = Settings.UseSmallNumbers;
    style.boldNumbers = Settings.BoldNumbers;
    style.color = ColorToRGB(Settings.NotifyIconColor);
    const DateIconImage image = ComposeDateIcon(DecodeDate(today).day, style);
    NotifyIcon.SetIcon(CreateIconFromPixmap(image.IconPixels()));
}

void TfMain_calendar::ShowFromTray() { kiv::ShowFromTray(hwnd()); }

void TfMain_calendar::HideToTray() { kiv::HideToTray(hwnd()); }

void TfMain_calendar::mnShowClick() {
    if (!IsWindowVisible(hwnd())) ShowFromTray();
}

void TfMain_calendar::NotifyIconClick() {
    const bool visible = IsWindowVisible(hwnd()) != FALSE;
    if (Settings.SingleClick) {
        if (visible)
            HideToTray();
        else
            ShowFromTray();
    } else if (visible) {
        SetForegroundWindow(hwnd());
    }
}

void TfMain_calendar::mnCloseClick() { HideToTray(); }

// The options command keeps the tray menu closed while its dialog is up.
void TfMain_calendar::DetachTrayMenu() { NotifyIcon.PopupMenu = nullptr; }
void TfMain_calendar::AttachTrayMenu() { NotifyIcon.PopupMenu = &PopupMenu; }

// The hot key acts as a single click on the icon.
void TfMain_calendar::TrayIconClicked() { NotifyIconClick(); }

}  // namespace kiv
