// The options command, the global hot key, and what they share with the
// tray icon.
#include "app/app_texts.h"
#include "app/main_window_win.h"
#include "app/topmost_pause_win.h"
#include "options/options_win.h"
#include "widgets/flag_scope.h"
#include "widgets/message_box_win.h"

namespace kiv {

void TfMain_calendar::mnOptionsClick() {
    if (optionsOpen_) return;
    FlagScope opened(optionsOpen_);
    MainTray::MenuPause trayMenu(tray_);

    // Lowered and, unless confirmed, put back as the window stands now, which
    // the View menu may have changed since the settings were applied.
    TopmostPause topmost(*this);
    // A hidden window stays hidden: the dialog stands in for it on the taskbar.
    if (ShowOptionsDialog(state_.Settings, hwnd(), &markedDays_.Files())) {
        // Confirmed, the settings decide.
        topmost.Release();
        ApplySettings();
        SaveSettings();
        if (state_.Settings.AlwaysOnTop) SetTopmost(true);
    }
    // Showing the year made a new calendar window, which the focus left with the old one.
    if (GetActiveWindow() == hwnd()) FocusCalendar();
}

void TfMain_calendar::RegisterHotKeySetting() {
    // Switching the hot key off releases it at once: a user who turns it off
    // expects it to stop working.
    if (!tray_.RegisterHotKey(hwnd(), state_.Settings))
        ShowMessageBox(hwnd(), texts::kHotKeyInUse, texts::kErrorCaption, MB_OK | MB_ICONERROR);
}


}  // namespace kiv
