#include "calendar/month_calendar_win.h"

#include "calendar/date_format_win.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "calendar/calendar_errors.h"
#include "widgets/color_win.h"
#include "calendar/month_cal_rules.h"

namespace kiv {
namespace {

SYSTEMTIME ToSystemTime(TDateTime value) noexcept {
    const CivilDate day = DecodeDate(value);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(day.year);
    st.wMonth = static_cast<WORD>(day.month);
    st.wDay = static_cast<WORD>(day.day);
    st.wDayOfWeek = static_cast<WORD>(DayOfWeekFromSunday(value));
    return st;
}

std::optional<CivilDate> FromSystemTime(const SYSTEMTIME& st) noexcept {
    if (st.wYear == 0) return std::nullopt;
    return CivilDate{st.wYear, st.wMonth, st.wDay};
}

TDateTime Now() noexcept {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    const auto day = TryEncodeDate(st.wYear, st.wMonth, st.wDay);
    const double time = (st.wHour * 3600000.0 + st.wMinute * 60000.0 + st.wSecond * 1000.0 + st.wMilliseconds) /
                        86400000.0;
    return day ? *day + time : 0;
}

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.resize(static_cast<size_t>(size) - 1);
    return out;
}

[[noreturn]] void ThrowBound(BoundCheck check, TDateTime minDate, TDateTime maxDate) {
    if (check == BoundCheck::kBeforeMinimum)
        throw EMonthCalError("Date is less than minimum of " + FormatShortDate(minDate));
    throw EMonthCalError("Date exceeds maximum of " + FormatShortDate(maxDate));
}

void InitDateClasses() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}

constexpr int kControlId = 1;

}  // namespace

std::string FormatShortDate(TDateTime value) { return Utf8(ShortDateText(value).c_str()); }

TMonthCalendar::TMonthCalendar() : date_(Now()) {
    colors_.SetSink([this](int index, TColor color) {
        if (HWND h = hwnd()) SendMessageW(h, MCM_SETCOLOR, static_cast<WPARAM>(index), ColorToRGB(color));
    });
}

TMonthCalendar::~TMonthCalendar() {
    colors_.SetSink(nullptr);
    DestroyHandle();
}

void TMonthCalendar::HandleNeeded() {
    if (!HandleAllocated()) CreateWnd();
}

void TMonthCalendar::RecreateWnd() {
    HWND old = hwnd();
    if (!old) return;
    const std::optional<MonthSpan> shown = VisibleMonths();
    HWND focus = GetFocus();
    const bool focused = focus && (focus == old || IsChild(old, focus));
    DestroyHandle();
    CreateWnd();
    if (shown) ShowMonths(shown->first, shown->last);
    if (focused) SetFocus(hwnd());
}

void TMonthCalendar::DestroyHandle() noexcept {
    HWND h = hwnd();
    if (!h) return;
    hook_.detach();
    if (busy_ > 0) {
        // Inside one of this window's own messages: destroying it now would
        // pull its state away from the procedure that is still running.
        ShowWindow(h, SW_HIDE);
        PostMessageW(h, WM_CLOSE, 0, 0);
    } else {
        DestroyWindow(h);
    }
}

void TMonthCalendar::SetParent(HWND parent) {
    parent_ = parent;
    if (HWND h = hwnd()) ::SetParent(h, parent);
}

void TMonthCalendar::EnsureFont() {
    const UINT dpi = WindowDpi(parent_);
    if (font_ && fontDpi_ == dpi) return;
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    wcscpy_s(lf.lfFaceName, L"Tahoma");
    UniqueFont font(CreateFontIndirectW(&lf));
    if (!font) throw std::runtime_error("Cannot create the calendar font");
    // A window still using the old font is destroyed before it, by the callers.
    font_ = std::move(font);
    fontDpi_ = dpi;
}

void TMonthCalendar::CreateWnd() {
    if (!parent_ || !IsWindow(parent_)) throw std::logic_error("Control has no parent window");
    InitDateClasses();
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | MCS_DAYSTATE;
    if (!showToday_) style |= MCS_NOTODAY;
    if (!showTodayCircle_) style |= MCS_NOTODAYCIRCLE;
    if (weekNumbers_) style |= MCS_WEEKNUMBERS;
    if (multiSelect_) style |= MCS_MULTISELECT;
    EnsureFont();
    HWND h = CreateWindowExW(0, MONTHCAL_CLASSW, L"", style, 0, 0, width_, height_, parent_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)), GetModuleHandleW(nullptr),
                             nullptr);
    if (!h) throw EMonthCalError("This control requires version 4.70 or greater of COMCTL32.DLL");
    try {
        hook_.attach(h);
    } catch (...) {
        DestroyWindow(h);
        throw;
    }
    if (frameMargin_ > 0)  // the window was measured before the frame was ours to give
        SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    ApplyStoredState();
}

void TMonthCalendar::ApplyStoredState() {
    HWND h = hwnd();
    for (int i = 0; i < TMonthCalColors::kCount; ++i)
        SendMessageW(h, MCM_SETCOLOR, static_cast<WPARAM>(i), ColorToRGB(colors_.Get(i)));
    if ((minDate_ != 0 || maxDate_ != 0) && !SendRange(minDate_, maxDate_))
        throw EMonthCalError("Failed to set calendar min/max range");
    if (multiSelect_ && !SendMessageW(h, MCM_SETMAXSELCOUNT, static_cast<WPARAM>(maxSelectRange_), 0))
        throw EMonthCalError("Failed to set maximum selection range");
    SendMessageW(h, MCM_SETMONTHDELTA, 1, 0);
    SendFirstDayOfWeek();
    SendSelection();
    // A new window does not ask for its bold days on every system.
    RefreshDayStates();
}

bool TMonthCalendar::SendRange(TDateTime minDate, TDateTime maxDate) const noexcept {
    SYSTEMTIME range[2] = {};
    WPARAM flags = 0;
    if (minDate != 0) {
        range[0] = ToSystemTime(minDate);
        flags |= GDTR_MIN;
    }
    if (maxDate != 0) {
        range[1] = ToSystemTime(maxDate);
        flags |= GDTR_MAX;
    }
    return SendMessageW(hwnd(), MCM_SETRANGE, flags, reinterpret_cast<LPARAM>(range)) != 0;
}

bool TMonthCalendar::SendCurSel(TDateTime value) const noexcept {
    SYSTEMTIME st = ToSystemTime(value);
    return SendMessageW(hwnd(), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st)) != 0;
}

bool TMonthCalendar::SendSelRange(TDateTime start, TDateTime end) const noexcept {
    SYSTEMTIME range[2] = {ToSystemTime(start), ToSystemTime(end)};
    return SendMessageW(hwnd(), MCM_SETSELRANGE, 0, reinterpret_cast<LPARAM>(range)) != 0;
}

void TMonthCalendar::SendSelection() {
    if (multiSelect_) {
        if (!SendSelRange(date_, endDate_)) throw EMonthCalError("Failed to set calendar selected range");
    } else if (!SendCurSel(date_)) {
        throw EMonthCalError("Failed to set calendar date or time");
    }
}

void TMonthCalendar::ShowMonths(TDateTime first, TDateTime last) {
    const std::optional<MonthSpan> shown = VisibleMonths();
    if (!shown) return;
    // The control scrolls only as far as needed to show a date it is given:
    // a date before the first pane becomes the first pane, one after the last
    // the last. Giving it the first month and then the last one that fits
    // leaves the panes starting at the first month, wherever they had started.
    const TDateTime end = shown->count > 0 ? std::min(last, EndOfMonthAfter(first, shown->count - 1)) : last;
    for (TDateTime day : {first, end}) {
        if (multiSelect_)
            SendSelRange(day, day);
        else
            SendCurSel(day);
    }
    SendSelection();
    RefreshDayStates();
}

std::optional<TMonthCalendar::MonthSpan> TMonthCalendar::VisibleMonths() const noexcept {
    HWND h = hwnd();
    if (!h) return std::nullopt;
    SYSTEMTIME range[2] = {};
    const auto count =
        static_cast<int>(SendMessageW(h, MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(range)));
    const std::optional<CivilDate> first = FromSystemTime(range[0]), last = FromSystemTime(range[1]);
    if (!first || !last) return std::nullopt;
    const auto firstDay = TryEncodeDate(first->year, first->month, 1);
    const auto lastDay = TryEncodeDate(last->year, last->month, DaysInMonth(last->year, last->month));
    if (!firstDay || !lastDay) return std::nullopt;
    return MonthSpan{*firstDay, *lastDay, count};
}

void TMonthCalendar::SendFirstDayOfWeek() const noexcept {
    int day = firstDayOfWeek_;
    if (day == kLocaleFirstDayOfWeek) {
        wchar_t digit[4] = {};
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, digit, 4);
        day = FirstDayFromLocaleDigit(digit);
    }
    SendMessageW(hwnd(), MCM_SETFIRSTDAYOFWEEK, 0, day);
}

void TMonthCalendar::SetDate(TDateTime value) {
    const TDateTime newDate = WithTimeOf(value, date_);
    const BoundCheck check = CheckBounds(newDate, minDate_, maxDate_);
    if (check != BoundCheck::kInside) ThrowBound(check, minDate_, maxDate_);
    if (HandleAllocated()) {
        const bool sent = multiSelect_ ? SendSelRange(newDate, endDate_) : SendCurSel(newDate);
        if (!sent) {
            if (multiSelect_) {
                SendSelRange(date_, endDate_);
                throw EMonthCalError("Failed to set calendar selected range");
            }
            SendCurSel(date_);
            throw EMonthCalError("Failed to set calendar date or time");
        }
    }
    date_ = newDate;
}

void TMonthCalendar::SetEndDate(TDateTime value) {
    const TDateTime day = DateOf(value);
    if (day == DateOf(endDate_)) return;
    if (multiSelect_) {
        if (HandleAllocated() && !SendSelRange(date_, day))
            throw EMonthCalError("Failed to set calendar selected range");
        endDate_ = day;
    } else if (HandleAllocated() && !SendCurSel(date_)) {
        throw EMonthCalError("Failed to set calendar date or time");
    }
}

void TMonthCalendar::SetMinDate(TDateTime value) {
    const TDateTime day = DateOf(value);
    if (maxDate_ != 0 && day != 0 && day > DateOf(maxDate_))
        throw EMonthCalError("Date exceeds maximum of " + FormatShortDate(maxDate_));
    if (day != minDate_) ApplyRange(day, maxDate_);
}

void TMonthCalendar::SetMaxDate(TDateTime value) {
    const TDateTime day = DateOf(value);
    if (minDate_ != 0 && day != 0 && day < DateOf(minDate_))
        throw EMonthCalError("Date is less than minimum of " + FormatShortDate(minDate_));
    if (day != maxDate_) ApplyRange(minDate_, day);
}

void TMonthCalendar::ApplyRange(TDateTime minDate, TDateTime maxDate) {
    const CalendarSelection current{date_, endDate_};
    const CalendarSelection moved = ClampSelection(current, minDate, maxDate);
    if (HandleAllocated() && !SendRange(minDate, maxDate)) throw EMonthCalError("Failed to set calendar min/max range");
    minDate_ = minDate;
    maxDate_ = maxDate;
    date_ = moved.date;
    endDate_ = moved.endDate;
    // The control moves its own selection into the range; this keeps the two
    // the same however it rounds.
    if (HandleAllocated() && moved != current) {
        if (multiSelect_) SendSelRange(date_, endDate_);
        else SendCurSel(date_);
    }
}

void TMonthCalendar::SetMultiSelect(bool value) {
    if (value == multiSelect_) return;
    multiSelect_ = value;
    endDate_ = value ? DateOf(date_) : 0;
    RecreateWnd();
}

void TMonthCalendar::SetMaxSelectRange(int days) {
    // The control takes no count below one; storing one would only fail at
    // the next creation of the window.
    if (days < 1) throw EMonthCalError("Failed to set maximum selection range");
    if (multiSelect_ && HandleAllocated() && !SendMessageW(hwnd(), MCM_SETMAXSELCOUNT, static_cast<WPARAM>(days), 0))
        throw EMonthCalError("Failed to set maximum selection range");
    maxSelectRange_ = days;
}

void TMonthCalendar::SetFirstDayOfWeek(int day) {
    if (!IsValidFirstDayOfWeek(day)) throw ERangeError("Invalid value for first day of week");
    firstDayOfWeek_ = day;
    if (HandleAllocated()) SendFirstDayOfWeek();
}

void TMonthCalendar::SetStyleBit(DWORD bit, bool on) const noexcept {
    HWND h = hwnd();
    if (!h) return;
    const LONG style = GetWindowLongW(h, GWL_STYLE);
    const LONG wanted = on ? (style | static_cast<LONG>(bit)) : (style & ~static_cast<LONG>(bit));
    if (wanted == style) return;
    SetWindowLongW(h, GWL_STYLE, wanted);
    InvalidateRect(h, nullptr, TRUE);
}

void TMonthCalendar::SetShowToday(bool value) {
    if (value == showToday_) return;
    showToday_ = value;
    SetStyleBit(MCS_NOTODAY, !value);
}

void TMonthCalendar::SetShowTodayCircle(bool value) {
    if (value == showTodayCircle_) return;
    showTodayCircle_ = value;
    SetStyleBit(MCS_NOTODAYCIRCLE, !value);
}

void TMonthCalendar::SetWeekNumbers(bool value) {
    if (value == weekNumbers_) return;
    weekNumbers_ = value;
    SetStyleBit(MCS_WEEKNUMBERS, value);
}

void TMonthCalendar::RefreshColors() noexcept {
    HWND h = hwnd();
    if (!h) return;
    for (int i = 0; i < TMonthCalColors::kCount; ++i)
        SendMessageW(h, MCM_SETCOLOR, static_cast<WPARAM>(i), ColorToRGB(colors_.Get(i)));
}

int TMonthCalendar::Width() const noexcept {
    RECT r{};
    if (HWND h = hwnd(); h && GetWindowRect(h, &r)) return r.right - r.left;
    return width_;
}

int TMonthCalendar::Height() const noexcept {
    RECT r{};
    if (HWND h = hwnd(); h && GetWindowRect(h, &r)) return r.bottom - r.top;
    return height_;
}

void TMonthCalendar::SetSize(int width, int height) noexcept {
    width_ = width;
    height_ = height;
    if (HWND h = hwnd()) {
        SetWindowPos(h, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // More or fewer panes: the bold days of the months now on show.
        RefreshDayStates();
    }
}

bool TMonthCalendar::GetMinReqSize(int& width, int& height) const noexcept {
    HWND h = hwnd();
    RECT r{};
    if (!h || !SendMessageW(h, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&r))) return false;
    width = r.right - r.left;
    height = r.bottom - r.top;
    return true;
}

void TMonthCalendar::FillDayStates(const SYSTEMTIME& first, int count) noexcept {
    dayStates_.fill(0);
    if (!OnGetMonthInfo) return;
    try {
        OnGetMonthInfo(first.wYear, first.wMonth, dayStates_.data(), count);
    } catch (...) {
        // Days left plain are better than a control without an answer.
        dayStates_.fill(0);
    }
}

void TMonthCalendar::RefreshDayStates() noexcept {
    HWND h = hwnd();
    if (!h) return;
    SYSTEMTIME range[2]{};
    const int count = static_cast<int>(SendMessageW(h, MCM_GETMONTHRANGE, GMR_DAYSTATE, reinterpret_cast<LPARAM>(range)));
    if (count <= 0 || count > static_cast<int>(dayStates_.size())) return;
    FillDayStates(range[0], count);
    SendMessageW(h, MCM_SETDAYSTATE, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(dayStates_.data()));
    // Not every version repaints by itself.
    InvalidateRect(h, nullptr, FALSE);
}

std::optional<LRESULT> TMonthCalendar::HandleNotify(NMHDR& header) {
    switch (header.code) {
        case MCN_GETDAYSTATE: {
            auto& request = reinterpret_cast<NMDAYSTATE&>(header);
            // Our own buffer is handed back, as the control's buffer is not
            // promised on every version.
            if (request.cDayState > 0 && request.cDayState <= static_cast<int>(dayStates_.size())) {
                FillDayStates(request.stStart, request.cDayState);
                request.prgDayState = dayStates_.data();
            }
            return 0;
        }
        case MCN_SELCHANGE:
        case MCN_SELECT: {
            // A window being retired may still report; only the live one counts.
            if (header.hwndFrom != hwnd()) return std::nullopt;
            const auto& change = reinterpret_cast<const NMSELCHANGE&>(header);
            const CalendarSelection now =
                SelectionFromNotification({date_, endDate_}, multiSelect_, FromSystemTime(change.stSelStart),
                                          FromSystemTime(change.stSelEnd));
            date_ = now.date;
            endDate_ = now.endDate;
            return 0;
        }
        default:
            return std::nullopt;
    }
}

void TMonthCalendar::SetFrameMargin(int pixels) noexcept {
    if (pixels == frameMargin_) return;
    frameMargin_ = pixels;
    if (HWND h = hwnd())
        SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TMonthCalendar::PaintFrame() const noexcept {
    HWND h = hwnd();
    HDC dc = GetWindowDC(h);
    if (!dc) return;
    RECT window{}, client{};
    GetWindowRect(h, &window);
    GetClientRect(h, &client);
    MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    OffsetRect(&window, -window.left, -window.top);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    UniqueBrush brush(CreateSolidBrush(ColorToRGB(colors_.Get(0))));
    FillRect(dc, &window, brush.get());
    ReleaseDC(h, dc);
}

std::optional<LRESULT> TMonthCalendar::OnControlMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCALCSIZE && frameMargin_ > 0) {
        // The control has no border of its own: its client area is the
        // window less the frame.
        auto* r = reinterpret_cast<RECT*>(lp);
        InflateRect(r, -frameMargin_, -frameMargin_);
        if (r->right < r->left) r->right = r->left;
        if (r->bottom < r->top) r->bottom = r->top;
        return 0;
    }
    if (msg == WM_NCPAINT && frameMargin_ > 0) {
        PaintFrame();
        return 0;
    }
    if ((msg == WM_KEYUP || msg == WM_SYSKEYUP) && OnKeyUp) {
        // Alt is read from the key's own context bit, as the keyboard reported it.
        const bool alt = (lp & (1 << 29)) != 0 || GetKeyState(VK_MENU) < 0;
        const ShiftState shift{GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, alt};
        BusyScope busy(*this);
        OnKeyUp(static_cast<WORD>(wp), shift);
    }
    return std::nullopt;
}

}  // namespace kiv
