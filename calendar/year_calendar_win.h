// The calendar that shows one whole year: twelve month panes in 1, 2, 3, 4,
// 6 or 12 columns, always sized to fit them exactly. A plain panel stands
// between it and the owner's window and receives its notifications.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "calendar/month_calendar_win.h"
#include "calendar/year_size.h"
#include "widgets/window_win.h"

namespace kiv {

class TYearCalendarParent : public Window {
public:
    static constexpr const wchar_t* kClassName = L"KivYearCalendarParent";

    TYearCalendarParent(TMonthCalendar& calendar, std::function<void()> onSelection,
                        std::function<void(bool)> setExplicitSelect);

    // Creates the panel in `parent`, or moves it there when it exists.
    void PlaceIn(HWND parent, int left, int top, int width, int height);
    // Forgets the calendar: from now on notifications are left alone.
    void Detach() noexcept;

protected:
    std::optional<LRESULT> onMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    TMonthCalendar* calendar_;
    std::function<void()> onSelection_;
    // Handed over for a pick the user makes explicitly; no notification
    // calls it yet.
    std::function<void(bool)> setExplicitSelect_;
};

class TYearCalendar : public TMonthCalendar {
public:
    // No window yet; Columns 4, MaxSelectRange 9999, single selection.
    TYearCalendar();
    ~TYearCalendar() override;

    // The panel becomes a child of `parent` and the calendar a child of the panel.
    void SetParent(HWND parent) override;
    HWND panel() const noexcept;

    void RecreateCalendar() { RecreateWnd(); }

    bool ExplicitSelect() const noexcept { return explicitSelect_; }
    void SetExplicitSelect(bool value) noexcept { explicitSelect_ = value; }

    int Columns() const noexcept { return columns_; }
    // Throws ERangeError("Invalid value for columns") outside 1, 2, 3, 4, 6,
    // 12; resizes and raises OnSelectionChange even for the current value.
    void SetColumns(int columns);

    // Sizes calendar and panel to the year, then raises OnSelectionChange.
    // Does nothing until a parent is set.
    void AdjustSize();
    // The year size, measured with the today line; false without a window,
    // the values then left as they were.
    bool CanAutoSize(int& width, int& height);
    // The year size is the smallest the calendar may become.
    void ConstrainedResize(int& minWidth, int& minHeight, int& maxWidth, int& maxHeight);

    // Places the panel inside the parent; the calendar stays at the panel's
    // origin, its frame a margin round the panes.
    void SetBounds(int left, int top);
    // Where the control puts its panes at its current font and DPI, as it
    // reports them itself; nullopt without a window or when its answers do
    // not add up.
    std::optional<PaneLayout> MeasurePanes();

    void DoSelectionChange();
    std::function<void()> OnSelectionChange;

protected:
    void CreateWnd() override;

private:
    int Margin() const noexcept;

    std::unique_ptr<TYearCalendarParent> panel_;
    // The last measured layout and the one-month size and styles it was measured at.
    std::optional<PaneLayout> panes_;
    int panesMonthWidth_ = 0;
    int panesMonthHeight_ = 0;
    bool panesWeekNumbers_ = false;
    int columns_ = 4;
    bool explicitSelect_ = false;
    int left_ = 0;
    int top_ = 0;
};

}  // namespace kiv
