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

int TYearCalendar::Margin() const noexcept { return ScaleForDpi(3, WindowDpi(panel())); }

namespace {

// What the control reports at a point of its client area: the kind of place
// and the pane it belongs to (-1 outside every pane).
struct PaneHit {
    UINT kind = 0;
    int pane = -1;
    bool title() const noexcept { return (kind & MCHT_TITLE) == MCHT_TITLE && pane >= 0; }
};

PaneHit HitAt(HWND control, int x, int y) noexcept {
    MCHITTESTINFO info{};
    info.cbSize = sizeof info;
    info.pt = POINT{x, y};
    info.iOffset = -1;
    const auto kind = static_cast<UINT>(SendMessageW(control, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    return {kind, info.iOffset};
}

}  // namespace

std::optional<PaneLayout> TYearCalendar::MeasurePanes() {
    HWND control = hwnd();
    int w = 0, h = 0;
    if (!control || !GetMinReqSize(w, h) || w <= 0 || h <= 0) return std::nullopt;
    if (panes_ && panesMonthWidth_ == w && panesMonthHeight_ == h && panesWeekNumbers_ == WeekNumbers()) return panes_;

    // Two panes by two, with room to spare but not for a third: the control
    // centres them, and its hit test tells where each one starts and ends.
    const int probeWidth = 2 * w + w / 2, probeHeight = 2 * h + h / 2;
    const int oldWidth = Width(), oldHeight = Height();
    SetWindowPos(control, nullptr, 0, 0, probeWidth, probeHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    const int midX = probeWidth / 4;
    int top = -1;
    for (int y = 0; y < probeHeight / 2 && top < 0; ++y)
        if (const PaneHit hit = HitAt(control, midX, y); hit.title() && hit.pane == 0) top = y;
    int left = -1, secondLeft = -1;
    for (int x = 0; top >= 0 && x < probeWidth && secondLeft < 0; ++x) {
        const PaneHit hit = HitAt(control, x, top + 1);
        if (left < 0 && hit.title() && hit.pane == 0) left = x;
        if (hit.title() && hit.pane == 1) secondLeft = x;
    }
    int secondTop = -1, bottom = -1;
    if (left >= 0) {
        const int x = left + w / 2;
        for (int y = top + h / 2; y < probeHeight && secondTop < 0; ++y)
            if (const PaneHit hit = HitAt(control, x, y); hit.title() && hit.pane == 2) secondTop = y;
        for (int y = secondTop - 1; y > top && bottom < 0; --y)
            if (HitAt(control, x, y).pane == 0) bottom = y + 1;
    }
    SetWindowPos(control, nullptr, 0, 0, oldWidth, oldHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    if (top < 0 || secondLeft < 0 || secondTop < 0) return std::nullopt;

    PaneLayout layout;
    layout.monthWidth = w;
    layout.gapX = secondLeft - left - w;
    // A control that does not tell which pane its empty cells belong to is
    // taken to space its rows as it spaces its columns.
    layout.gapY = bottom > top ? secondTop - bottom : layout.gapX;
    layout.monthHeight = secondTop - top - layout.gapY;
    layout.todayHeight = h - layout.monthHeight;
    if (!IsPlausible(layout)) return std::nullopt;
    panes_ = layout;
    panesMonthWidth_ = w;
    panesMonthHeight_ = h;
    panesWeekNumbers_ = WeekNumbers();
    return panes_;
}

void TYearCalendar::SetColumns(int columns) {
    CheckColumns(columns);
    columns_ = columns;
    AdjustSize();
}

bool TYearCalendar::CanAutoSize(int& width, int& height) {
    // The one-month size is asked with the today line, whose height is
    // then known; the year holds it only when it is shown.
    const bool showToday = ShowToday();
    SetShowToday(true);
    int monthWidth = 0;
    int monthHeight = 0;
    const bool measured = GetMinReqSize(monthWidth, monthHeight);
    const std::optional<PaneLayout> panes = measured ? MeasurePanes() : std::nullopt;
    SetShowToday(showToday);
    if (!measured) return false;
    // A control whose panes cannot be told apart gets the classic spacing.
    const YearSize size = panes ? YearSizeFor(columns_, *panes, showToday, Margin())
                                : YearSizeFor(columns_, monthWidth, monthHeight);
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
    // The panes fill the control's client area; its frame is the margin.
    SetFrameMargin(Margin());
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
