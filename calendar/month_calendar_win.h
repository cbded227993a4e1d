// A wrapper over the system month-calendar control ("SysMonthCal32") that
// keeps every setting itself, so the window can be destroyed and created
// again at any time and comes back as it was.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "calendar/date_time.h"
#include "calendar/month_cal_colors.h"
#include "widgets/handles_win.h"
#include "widgets/procedure_swap_win.h"
#include "widgets/window_win.h"

namespace kiv {

struct ShiftState {
    bool shift = false, ctrl = false, alt = false;
};

// The bound as the error messages show it: the user's short date format.
std::string FormatShortDate(TDateTime value);

class TMonthCalendar {
public:
    TMonthCalendar();
    TMonthCalendar(const TMonthCalendar&) = delete;
    TMonthCalendar& operator=(const TMonthCalendar&) = delete;
    virtual ~TMonthCalendar();

    // The control's window, nullptr before creation and after it is gone
    // (also when Windows destroyed it with its parent).
    HWND hwnd() const noexcept { return hook_.hwnd(); }
    bool HandleAllocated() const noexcept { return hwnd() != nullptr; }
    // Creates the window if needed; throws std::logic_error without a parent.
    void HandleNeeded();
    // The new window shows the months the old one showed, and has the
    // keyboard focus if the old one had it.
    void RecreateWnd();
    // Scrolls the panes so that the months from first to last are the ones
    // shown (as many as fit, from first), keeping the selection.
    void ShowMonths(TDateTime first, TDateTime last);
    // The months on show: the first day of the first pane, the last day of
    // the last, and how many panes; nullopt without a window.
    struct MonthSpan {
        TDateTime first = 0;
        TDateTime last = 0;
        int count = 0;
    };
    std::optional<MonthSpan> VisibleMonths() const noexcept;
    void DestroyHandle() noexcept;

    virtual void SetParent(HWND parent);
    HWND ParentWindow() const noexcept { return parent_; }

    // Every setter stores its value even without a window and leaves it
    // unchanged when it throws.
    TDateTime Date() const noexcept { return date_; }
    // Takes the day only: the stored time of day is kept.
    void SetDate(TDateTime value);
    TDateTime EndDate() const noexcept { return endDate_; }
    void SetEndDate(TDateTime value);
    TDateTime MinDate() const noexcept { return minDate_; }
    void SetMinDate(TDateTime value);  // 0 = no minimum
    TDateTime MaxDate() const noexcept { return maxDate_; }
    void SetMaxDate(TDateTime value);  // 0 = no maximum
    bool MultiSelect() const noexcept { return multiSelect_; }
    void SetMultiSelect(bool value);
    int MaxSelectRange() const noexcept { return maxSelectRange_; }
    void SetMaxSelectRange(int days);
    int FirstDayOfWeek() const noexcept { return firstDayOfWeek_; }
    void SetFirstDayOfWeek(int day);  // 0 = Monday .. 6 = Sunday, 7 = the locale's
    bool ShowToday() const noexcept { return showToday_; }
    void SetShowToday(bool value);
    bool ShowTodayCircle() const noexcept { return showTodayCircle_; }
    void SetShowTodayCircle(bool value);
    bool WeekNumbers() const noexcept { return weekNumbers_; }
    void SetWeekNumbers(bool value);

    TMonthCalColors& CalColors() noexcept { return colors_; }
    // Sends the colours again, for when the system colours changed.
    void RefreshColors() noexcept;

    int Width() const noexcept;
    int Height() const noexcept;
    void SetSize(int width, int height) noexcept;

    // A frame of the background colour round the control's panes, in
    // pixels on every side; the window's size includes it.
    int FrameMargin() const noexcept { return frameMargin_; }
    void SetFrameMargin(int pixels) noexcept;

    // The control's minimum size for one month; false without a window.
    bool GetMinReqSize(int& width, int& height) const noexcept;

    // A WM_NOTIFY that the control sent to its parent, handed on by the
    // parent. Day-state requests are answered for any month-calendar child.
    std::optional<LRESULT> HandleNotify(NMHDR& header);

    std::function<void(WORD key, ShiftState shift)> OnKeyUp;

    // The bold days of `count` months from (year, month) on, month may run
    // past 12: one mask per month, bit d-1 for day d. Asked when the control
    // wants them; it must be a lookup. Unset, no day is bold.
    std::function<void(int year, int month, MONTHDAYSTATE* states, int count)> OnGetMonthInfo;
    // Asks OnGetMonthInfo again for every month the control shows, in part
    // too, and hands the answer to the control.
    void RefreshDayStates() noexcept;

    // Marks a call into the program's own handlers from inside one of the
    // control's messages. Meanwhile the control is not destroyed under its
    // own window procedure: a re-creation hides the old window and closes it
    // once the message loop gets to it.
    class BusyScope {
    public:
        explicit BusyScope(TMonthCalendar& c) noexcept : c_(c) { ++c_.busy_; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;
        ~BusyScope() { --c_.busy_; }

    private:
        TMonthCalendar& c_;
    };

protected:
    // Creates the window and puts the stored state on it.
    virtual void CreateWnd();

private:
    std::optional<LRESULT> OnControlMessage(UINT msg, WPARAM wp, LPARAM lp);
    void FillDayStates(const SYSTEMTIME& first, int count) noexcept;
    void ApplyStoredState();
    void ApplyRange(TDateTime minDate, TDateTime maxDate);
    bool SendRange(TDateTime minDate, TDateTime maxDate) const noexcept;
    bool SendCurSel(TDateTime value) const noexcept;
    bool SendSelRange(TDateTime start, TDateTime end) const noexcept;
    void SendSelection();
    void SendFirstDayOfWeek() const noexcept;
    void SetStyleBit(DWORD bit, bool on) const noexcept;
    void EnsureFont();
    void PaintFrame() const noexcept;

    // The control is this object's from creation to destruction, so its
    // procedure is swapped rather than subclassed (see ProcedureSwap).
    ProcedureSwap hook_{[this](UINT msg, WPARAM wp, LPARAM lp) { return OnControlMessage(msg, wp, lp); }};
    HWND parent_ = nullptr;
    UniqueFont font_;
    UINT fontDpi_ = 0;
    int busy_ = 0;
    int frameMargin_ = 0;

    TDateTime date_;
    TDateTime endDate_ = 0;
    TDateTime minDate_ = 0;
    TDateTime maxDate_ = 0;
    bool multiSelect_ = false;
    int maxSelectRange_ = 31;
    int firstDayOfWeek_ = 7;
    bool showToday_ = true;
    bool showTodayCircle_ = true;
    bool weekNumbers_ = false;
    int width_ = 191;
    int height_ = 154;
    TMonthCalColors colors_;
    // Answer to the day-state request; the control copies it right away.
    std::array<MONTHDAYSTATE, 64> dayStates_{};
};

}  // namespace kiv
