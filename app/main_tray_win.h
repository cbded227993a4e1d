// The main window's part in the notification area: the icon with today's
// date, its menu (kept closed while a box of the window is up), and the
// global hot key that acts as a click on the icon.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calendar/date_time.h"
#include "settings/calendar_settings.h"
#include "trayicon/date_icon.h"
#include "trayicon/notify_icon_win.h"
#include "widgets/handles_win.h"
#include "widgets/popup_menu_win.h"

namespace kiv {

class MainTray {
public:
    // Adds the icon for the window; the menu is the caller's to fill.
    void Create(HWND window, std::function<void()> onClick, std::function<void()> onDblClick,
                std::function<void(UINT command)> onCommand);

    TNotifyIcon& Icon() noexcept { return icon_; }
    TPopupMenu& Menu() noexcept { return menu_; }

    // Shows today's date as the settings draw it, with today's events under
    // it in the tooltip, or the program's icon. The icon is rebuilt and sent
    // to the shell only when what it shows differs from what it showed last.
    void Update(const CalendarSettings& settings, TDateTime today, const std::vector<std::wstring>& events = {});
    // After a DPI change: the next update rebuilds the icon even if nothing
    // else differs.
    void Invalidate() noexcept { shown_.reset(); }

    // Registers the settings' hot key for the window; false when another
    // program holds it. Switched off, it is released at once.
    bool RegisterHotKey(HWND window, const CalendarSettings& settings);
    void ReleaseHotKey() noexcept { hotKey_.reset(); }
    // True when a WM_HOTKEY's lParam is the settings' key as it stands now.
    static bool IsHotKey(LPARAM lp, const CalendarSettings& settings);

    // Keeps the menu away while it lives, so that a right click on the icon
    // only beeps; the menu comes back when the last pause ends.
    class MenuPause {
    public:
        explicit MenuPause(MainTray& tray) : tray_(tray) {
            if (tray_.pauses_++ == 0) tray_.icon_.PopupMenu = nullptr;
        }
        MenuPause(const MenuPause&) = delete;
        MenuPause& operator=(const MenuPause&) = delete;
        ~MenuPause() {
            if (--tray_.pauses_ == 0) tray_.icon_.PopupMenu = &tray_.menu_;
        }

    private:
        MainTray& tray_;
    };

private:
    // What the icon shows; equal keys draw the same picture and tooltip.
    struct Shown {
        bool date = false;
        int day = 0;
        int size = 16;  // pixels square
        DateIconStyle style;
        std::wstring toolTip;
        bool operator==(const Shown& other) const;
    };

    TNotifyIcon icon_;
    TPopupMenu menu_;
    int pauses_ = 0;
    HotKeyRegistration hotKey_;
    std::optional<Shown> shown_;
};

}  // namespace kiv
