// The main window: the year calendar in its scroll box under the toolbar and
// the menu bar, the day-change timer, and the window's life cycle. The tray
// icon and printing are parts of their own; the handlers here are the
// window's entry points to them.
#pragma once

#include <windows.h>

#include <vector>

#include "app/clock.h"
#include "app/main_menu.h"
#include "app/main_print_win.h"
#include "app/main_toolbar_win.h"
#include "app/main_tray_win.h"
#include "app/main_window_state.h"
#include "app/year_view.h"
#include "calendar/year_calendar_win.h"
#include "widgets/handles_win.h"
#include "widgets/scroll_box_win.h"
#include "widgets/window_win.h"

namespace kiv {

class TfMain_calendar final : public Window {
public:
    explicit TfMain_calendar(const Clock& clock);
    ~TfMain_calendar() override;

    void Create();  // hidden; ends by loading and applying the settings

    void ShowYear(int year);
    void UpdateSelectedDate();
    void FitWindow();
    void SetTopmost(bool on);
    void RunCommand(Command command);
    void TimerTick();
    void OnTimer();  // one tick at a time, its failure reported
    void CalendarKeyUp(WORD key, ShiftState shift);
    void LoadSettings();
    void SaveSettings();
    void ApplySettings();
    void HideOnFirstIdle();
    void mnOptionsClick();
    void ShowFromTray();
    void HideToTray();
    void mnShowClick();
    void NotifyIconClick();
    void mnCloseClick();
    void UpdateNotifyIcon();  // today's date in the tray icon and its tooltip

    bool IsChecked(Command command) const;
    HMENU MainMenu() const noexcept { return mainMenu_.get(); }
    HACCEL Accelerators() const noexcept { return accelerators_.get(); }
    MainToolbar& ToolBar() noexcept { return toolbar_; }
    TYearCalendar& Calendar() noexcept { return calendar_; }
    TScrollBox& ScrollBox() noexcept { return scrollBox_; }
    MainTray& Tray() noexcept { return tray_; }
    MainWindowState& State() noexcept { return state_; }

    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kTimerInterval = 5000;

protected:
    std::optional<LRESULT> onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void BuildMenu();
    int MenuImageSize() const;
    void BuildAccelerators();
    void ReadTaskbarMargins();
    void LayoutChildren();
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
    void OnDpiChanged(const RECT& suggested);
    bool NavigateByKey(const MSG& msg);
    void MoveFocus(bool backward);
    void SetCloseShortCut(ShortCut shortcut);
    void SetBorderless(bool borderless);
    void FocusCalendar();
    void RegisterHotKeySetting();
    bool CalendarShows(const DateRange& range, TDateTime selected, TDateTime today) const;
    void mnPrintSetupClick();
    void mnPrintClick();
    void mnViewHelpClick();
    void mnAboutClick();

    const Clock& clock_;
    MainWindowState state_;
    TYearCalendar calendar_;
    TScrollBox scrollBox_;
    MainToolbar toolbar_;
    MainTray tray_;
    CalendarPrint print_;
    UniqueMenu mainMenu_;
    UniqueAccelerators accelerators_;
    std::vector<UniqueBitmap> menuImages_;
    ShortCut closeShortCut_ = 0;
    bool borderless_ = false;
    bool creating_ = false;
    bool topmost_ = false;  // raised by SetTopmost (some systems leave WS_EX_TOPMOST unset)
    bool fitPending_ = false;
    bool tickRunning_ = false;
    bool optionsOpen_ = false;
    bool tearingDown_ = false;  // the object itself is destroying the window
    int viewFirstMonth_ = 1;    // of the view on the calendar
    TDateTime calendarToday_ = 0;  // today as the control marks it: the day it was laid out
    HWND lastFocus_ = nullptr;  // the child that had the focus when the window was left
};

}  // namespace kiv
