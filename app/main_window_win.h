// The main window: the year calendar in its scroll box under the toolbar and
// the menu bar, the day-change timer, and the window's life cycle.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "settings/calendar_settings.h"
#include "app/clock.h"
#include "app/main_menu.h"
#include "app/main_toolbar_win.h"
#include "app/printer_win.h"
#include "calendar/year_calendar_win.h"
#include "resources/menu_images_win.h"
#include "trayicon/notify_icon_win.h"
#include "widgets/handles_win.h"
#include "widgets/popup_menu_win.h"
#include "widgets/scroll_box_win.h"
#include "widgets/window_win.h"

namespace kiv {

class TfMain_calendar final : public Window {
public:
    explicit TfMain_calendar(const Clock& clock);
    ~TfMain_calendar() override;

    // Creates the (hidden) window: everything the construction hook sets up,
    // ending with loading and applying the settings.
    void Create();

    // Year display and commands.
    void ShowYear(int year);
    void UpdateSelectedDate();
    void FitWindow();
    void SetTopmost(bool on);
    void RunCommand(Command command);
    void TimerTick();
    // The timer's message: one tick at a time, its failure reported.
    void OnTimer();
    void CalendarKeyUp(WORD key, ShiftState shift);

    // Settings.
    void LoadSettings();
    void SaveSettings();
    void ApplySettings();
    void HideOnFirstIdle();
    void mnOptionsClick();

    // Showing and hiding, and the tray icon.
    void ShowFromTray();
    void HideToTray();
    void mnShowClick();
    void NotifyIconClick();
    void mnCloseClick();
    // Rebuilds the tray icon and its tooltip for today.
    void UpdateNotifyIcon();

    bool IsChecked(Command command) const;
    HMENU MainMenu() const noexcept { return mainMenu_.get(); }
    HACCEL Accelerators() const noexcept { return accelerators_.get(); }
    MainToolbar& ToolBar() noexcept { return toolbar_; }
    TYearCalendar& Calendar() noexcept { return calendar_; }
    TScrollBox& ScrollBox() noexcept { return scrollBox_; }

    std::uint16_t CurrentYear = 0;
    std::uint16_t CurrentMonth = 0;
    TDateTime TodayAtLastCheck = 0;
    TDateTime LastSelectedDate = 0;
    int TaskbarMarginX = 0;
    int TaskbarMarginY = 0;
    int FitLeft = 0;
    int FitTop = 0;
    bool ShowingYear = false;
    bool HiddenOnce = false;
    CalendarSettings Settings;
    TNotifyIcon NotifyIcon;
    TPopupMenu PopupMenu;  // the tray icon's menu

    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kTimerInterval = 5000;

protected:
    std::optional<LRESULT> onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // Construction pieces.
    void BuildMenu();
    int MenuImageSize() const;
    void BuildAccelerators();
    void ReadTaskbarMargins();
    void LayoutChildren();

    // Commands.
    void SetChecked(Command command, bool checked);
    void ColumnsClick(Command command);
    void ShowToolbarClick();
    void ShowWeekNumbersClick();
    void AlwaysOnTopClick();
    void GoToYearClick();
    void GoButtonClick();
    void FormShow();
    void FormPaint();
    void OnActivationMessage();
    void OnActivateApp(bool active);
    void OnSysColorChange();
    bool NavigateByKey(const MSG& msg);
    void MoveFocus(bool backward);
    void SetCloseShortCut(ShortCut shortcut);
    void SetBorderless(bool borderless);
    void CreateNotifyIcon();
    void FocusCalendar();
    void RegisterHotKeySetting();
    void OnHotKey(LPARAM lp);
    void DetachTrayMenu();
    void AttachTrayMenu();
    void TrayIconClicked();

    // Printing, help and about.
    class PrintPreparation;
    class TopmostPause;
    class TrayMenuPause;
    void mnPrintSetupClick();
    void mnPrintClick();
    void mnViewHelpClick();
    void mnAboutClick();

    const Clock& clock_;
    TYearCalendar calendar_;
    TScrollBox scrollBox_;
    MainToolbar toolbar_;
    UniqueMenu mainMenu_;
    UniqueAccelerators accelerators_;
    MenuImages menuImages_;
    UniqueIcon imgIcon_;  // the tray's icon when it shows no date
    ShortCut closeShortCut_ = 0;
    bool borderless_ = false;
    bool creating_ = false;
    bool topmost_ = false;  // raised by SetTopmost (some systems leave WS_EX_TOPMOST unset)
    bool fitPending_ = false;
    bool tickRunning_ = false;
    int viewFirstMonth_ = 1;  // of the view on the calendar
    PrinterChoice printer_;
    bool optionsOpen_ = false;
    int trayMenuPauses_ = 0;  // the menu comes back when the last pause ends
    HotKeyRegistration hotKey_;
    HWND lastFocus_ = nullptr;  // the child that had the focus when the window was left
    bool tearingDown_ = false;  // the object itself is destroying the window
};

// Takes a topmost window out of the topmost band while a dialog of its own
// is up, and puts it back afterwards.
class TfMain_calendar::TopmostPause {
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

// Keeps the tray icon's menu away while a box of the window is up, so that
// a right click on the icon only beeps; the menu comes back however the box
// ends.
class TfMain_calendar::TrayMenuPause {
public:
    explicit TrayMenuPause(TfMain_calendar& window) : window_(window) { window_.DetachTrayMenu(); }
    TrayMenuPause(const TrayMenuPause&) = delete;
    TrayMenuPause& operator=(const TrayMenuPause&) = delete;
    ~TrayMenuPause() { window_.AttachTrayMenu(); }

private:
    TfMain_calendar& window_;
};

}  // namespace kiv
