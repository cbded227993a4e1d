#include "calendar/year_calendar_win.h"

#include <commctrl.h>

#include <stdexcept>

#include "calendar/year_size.h"

namespace kiv {

TYearCalendarParent::TYearCalendarParent(TMonthCalendar& calendar, std::function<void()> onSelection,
                                         std::function<void(bool)> setExplicitSelect)
    : calendar_(&calendar), onSelection_(std::move(onSelection)), setExplicitSelect_(std::move(setExplicitSelect)) {}

void TYearCalendarParent::PlaceIn(HWND parent, int left, int top, int width, int height) {
    if (HWND h = hwnd()) {
        ::SetParent(h, parent);
        SetWindowPos(h, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    registerClass(kClassName, 0, nullptr);
    create(kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, left, top, width, height, parent, nullptr);
}

void TYearCalendarParent::Detach() noexcept {
    calendar_ = nullptr;
    onSelection_ = nullptr;
    setExplicitSelect_ = nullptr;
}

std::optional<LRESULT> TYearCalendarParent::onMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lp);
            if (!calendar_ || !header) return std::nullopt;
            const bool fromCalendar = header->hwndFrom == calendar_->hwnd();
            TMonthCalendar::BusyScope busy(*calendar_);
            std::optional<LRESULT> result = calendar_->HandleNotify(*header);
            // The handler may re-create the calendar; only the code read
            // beforehand is used from here on.
            if (fromCalendar && header->code == MCN_SELCHANGE && onSelection_) {
                auto callback = onSelection_;
                callback();
            }
            return result;
        }
        case WM_ERASEBKGND: {
            // The panel shows its parent's colour where the calendar does not cover it.
            RECT r{};
            GetClientRect(hwnd(), &r);
            HWND parent = GetParent(hwnd());
            auto brush = parent ? reinterpret_cast<HBRUSH>(GetClassLongPtrW(parent, GCLP_HBRBACKGROUND)) : nullptr;
            FillRect(reinterpret_cast<HDC>(wp), &r, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        default:
            return std::nullopt;
    }
}

TYearCalendar::TYearCalendar() {
    SetMaxSelectRange(9999);
    panel_ = std::make_unique<TYearCalendarParent>(
        *this, [this] { DoSelectionChange(); }, [this](bool value) { SetExplicitSelect(value); });
}

TYearCalendar::~TYearCalendar() {
    // The panel first forgets the calendar, so that nothing the control
    // sends while it goes reaches a half-destroyed object.
    panel_->Detach();
    DestroyHandle();
    panel_.reset();
}

void TYearCalendar::SetParent(HWND parent) {
    panel_->PlaceIn(parent, left_, top_, Width(), Height());
    TMonthCalendar::SetParent(panel_->hwnd());
}

HWND TYearCalendar::panel() const noexcept { return panel_ ? panel_->hwnd() : nullptr; }

void TYearCalendar::CreateWnd() {
    if (!panel()) throw std::logic_error("Control has no parent window");
    TMonthCalendar::CreateWnd();
    // The scroll buttons move by a whole year; the stored month delta of 1
    // was sent first by the base.
    SendMessageW(hwnd(), MCM_SETMONTHDELTA, 12, 0);
    // A null date makes the today mark follow the system date.
    SendMessageW(hwnd(), MCM_SETTODAY, 0, 0);
}

void TYearCalendar::SetColumns(int columns) {
    CheckColumns(columns);
    columns_ = columns;
    AdjustSize();
}

bool TYearCalendar::CanAutoSize(int& width, int& height) {
    // The owner usually hides the today line, but the year size is measured
    // with it: it leaves room below the last row of panes.
    const bool showToday = ShowToday();
    SetShowToday(true);
    int monthWidth = 0;
    int monthHeight = 0;
    const bool measured = GetMinReqSize(monthWidth, monthHeight);
    SetShowToday(showToday);
    if (!measured) return false;
    const YearSize size = YearSizeFor(columns_, monthWidth, monthHeight);
    width = size.width;
    height = size.height;
    return true;
}

void TYearCalendar::ConstrainedResize(int& minWidth, int& minHeight, int&, int&) {
    CanAutoSize(minWidth, minHeight);
}

void TYearCalendar::AdjustSize() {
    HWND panelWindow = panel();
    if (!panelWindow) return;
    HandleNeeded();
    int width = Width();
    int height = Height();
    CanAutoSize(width, height);
    SetSize(width, height);
    SetWindowPos(panelWindow, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    DoSelectionChange();
}

void TYearCalendar::SetBounds(int left, int top) {
    left_ = left;
    top_ = top;
    if (HWND p = panel()) SetWindowPos(p, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TYearCalendar::DoSelectionChange() {
    if (OnSelectionChange) {
        auto callback = OnSelectionChange;
        callback();
    }
}

}  // namespace kiv
