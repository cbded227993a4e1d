// The options command, the global hot key, and what they share with the
// tray icon.
#include "app/app_texts.h"
#include "app/main_window_win.h"
#include "settings/shortcut.h"
#include "options/options_win.h"
#include "widgets/flag_scope.h"
#include "widgets/message_box_win.h"

namespace kiv {

void TfMain_calendar::mnOptionsClick() {
    if (optionsOpen_) return;
    FlagScope opened(optionsOpen_);
    TrayMenuPause trayMenu(*this);

    // Lowered and, unless confirmed, put back as the window stands now, which
    // the View menu may have changed since the settings were applied.
    TopmostPause topmost(*this);
    // A hidden window stays hidden: the dialog stands in for it on the taskbar.
    if (ShowOptionsDialog(Settings, hwnd())) {
        // Confirmed, the settings decide.
        topmost.Release();
        ApplySettings();
        SaveSettings();
        if (Settings.AlwaysOnTop) SetTopmost(true);
    }
    // Showing the year made a new calendar window, which the focus left with the old one.
    if (GetActiveWindow() == hwnd()) FocusCalendar();
}

void TfMain_calendar::RegisterHotKeySetting() {
    // Switching the hot key off releases it at once: a user who turns it off
    // expects it to stop working.
    hotKey_.reset();
    if (!Settings.UseHotkey) return;
    const HotKeyParts parts = ShortCutToHotKey(Settings.Hotkey, Settings.WinHotkey);
    if (!hotKey_.registerKey(hwnd(), 0, parts.modifiers, parts.key))
        ShowMessageBox(hwnd(), texts::kHotKeyInUse, texts::kErrorCaption, MB_OK | MB_ICONERROR);
}

void TfMain_calendar::OnHotKey(LPARAM lp) {
    // The stored setting decides, as it stands when the key is pressed.
    const HotKeyParts parts = ShortCutToHotKey(Settings.Hotkey, Settings.WinHotkey);
    if (HIWORD(lp) == parts.key && LOWORD(lp) == parts.modifiers) TrayIconClicked();
}

}  // namespace kiv
