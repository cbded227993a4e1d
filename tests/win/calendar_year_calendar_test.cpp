// The year calendar on the real month-calendar control, inside a top-level
// test window.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

#include "calendar/calendar_errors.h"
#include "calendar/month_cal_rules.h"
#include "calendar/year_calendar_win.h"
#include "calendar/year_size.h"
#include "tests/win/test_support_win.h"
#include "widgets/application_win.h"

#ifndef MCM_GETCALENDARCOUNT
#define MCM_GETCALENDARCOUNT (MCM_FIRST + 23)
#endif

namespace kiv {
namespace {

constexpr const wchar_t* kHostClass = L"KivCalendarTestHost";

HWND CreateHost() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kHostClass;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    RegisterClassExW(&wc);  // fails harmlessly once registered
    HWND h = CreateWindowExW(0, kHostClass, L"calendar test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1200, 1000,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return h;
}

void Pump() { Application::instance().processMessages(); }

RECT WindowRectIn(HWND h, HWND parent) {
    RECT r{};
    GetWindowRect(h, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

using test::Click;
using test::Day;
using test::FindPoint;
using test::FirstVisibleMonth;
using test::MonthIndex;
using test::RunningOnWine;
using test::SameDay;

class YearCalendarTest : public testing::Test {
protected:
    // One top-level window for the suite: creating and mapping one costs Wine
    // about two seconds.
    static void SetUpTestSuite() { sharedHost = CreateHost(); }
    static void TearDownTestSuite() {
        if (IsWindow(sharedHost)) DestroyWindow(sharedHost);
        sharedHost = nullptr;
        Pump();
    }

    void SetUp() override {
        if (!IsWindow(sharedHost)) sharedHost = CreateHost();
        host = sharedHost;
        ASSERT_TRUE(host);
        calendar.emplace();
        calendar->SetParent(host);
        calendar->OnSelectionChange = [this] { ++selectionChanges; };
    }
    void TearDown() override {
        calendar.reset();
        if (host != sharedHost && IsWindow(host)) DestroyWindow(host);
        Pump();
    }

    static inline HWND sharedHost = nullptr;
    HWND host = nullptr;
    std::optional<TYearCalendar> calendar;
    int selectionChanges = 0;
};

TEST_F(YearCalendarTest, StartsWithoutAWindowAndWithTheYearDefaults) {
    EXPECT_EQ(calendar->hwnd(), nullptr);
    ASSERT_NE(calendar->panel(), nullptr);
    EXPECT_EQ(GetParent(calendar->panel()), host);
    EXPECT_EQ(calendar->Columns(), 4);
    EXPECT_FALSE(calendar->ExplicitSelect());
    EXPECT_FALSE(calendar->MultiSelect());
    EXPECT_EQ(calendar->MaxSelectRange(), 9999);
    EXPECT_EQ(calendar->EndDate(), 0);
    calendar->HandleNeeded();
    ASSERT_NE(calendar->hwnd(), nullptr);
    EXPECT_EQ(GetParent(calendar->hwnd()), calendar->panel());
    wchar_t cls[64] = {};
    GetClassNameW(calendar->hwnd(), cls, 64);
    EXPECT_STREQ(cls, L"SysMonthCal32");
    EXPECT_TRUE(GetWindowLongW(calendar->hwnd(), GWL_STYLE) & MCS_DAYSTATE);
}

TEST_F(YearCalendarTest, EveryColumnCountShowsTwelvePanesAtTheYearSize) {
    // The owner hides the today line; the year is still measured with it.
    calendar->SetShowToday(false);
    calendar->HandleNeeded();
    HWND cal = calendar->hwnd();

    // An independent control with the same font tells the one-month size.
    HWND probe = CreateWindowExW(0, MONTHCAL_CLASSW, L"", WS_CHILD, 0, 0, 10, 10, host, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(probe);
    SendMessageW(probe, WM_SETFONT, SendMessageW(cal, WM_GETFONT, 0, 0), FALSE);
    RECT month{};
    ASSERT_TRUE(SendMessageW(probe, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&month)));
    DestroyWindow(probe);
    const int w = month.right - month.left;
    const int h = month.bottom - month.top;
    std::cout << "one month with the today line: " << w << " x " << h << " at " << WindowDpi(cal) << " DPI\n";

    // The panes as the control lays them out, measured once at this DPI.
    const std::optional<PaneLayout> panes = calendar->MeasurePanes();
    ASSERT_TRUE(panes);
    EXPECT_EQ(panes->monthWidth, w);
    EXPECT_EQ(panes->monthHeight + panes->todayHeight, h);
    std::cout << "panes " << panes->monthWidth << " x " << panes->monthHeight << ", gaps " << panes->gapX << " and "
              << panes->gapY << ", today line " << panes->todayHeight << "\n";
    const int margin = ScaleForDpi(3, WindowDpi(cal));
    for (int columns : {1, 2, 3, 4, 6, 12}) {
        SCOPED_TRACE(columns);
        calendar->SetColumns(columns);
        // The panes exactly, with an even margin round them (the classic
        // formula, YearSizeFor(columns, w, h), left a band under the last row).
        const YearSize expected = YearSizeFor(columns, *panes, false, margin);
        POINT panesAt{0, 0};
        MapWindowPoints(cal, calendar->panel(), &panesAt, 1);
        EXPECT_EQ(panesAt.x, margin);
        EXPECT_EQ(panesAt.y, margin);
        if (columns == 4) std::cout << "four columns: " << expected.width << " x " << expected.height << "\n";
        EXPECT_EQ(calendar->Width(), expected.width);
        EXPECT_EQ(calendar->Height(), expected.height);
        RECT panel = WindowRectIn(calendar->panel(), host);
        EXPECT_EQ(panel.right - panel.left, expected.width);
        EXPECT_EQ(panel.bottom - panel.top, expected.height);
        const LRESULT shown = SendMessageW(cal, MCM_GETCALENDARCOUNT, 0, 0);
        // The size follows the control's own spacing: twelve panes on every system.
        EXPECT_EQ(shown, 12);
        EXPECT_TRUE(GetWindowLongW(cal, GWL_STYLE) & MCS_NOTODAY) << "today line shown again";
    }
    EXPECT_EQ(calendar->hwnd(), cal) << "resizing must not re-create the window";
}

TEST_F(YearCalendarTest, ColumnCountsOtherThanDivisorsOfTwelveAreRefused) {
    calendar->SetColumns(3);
    const int width = calendar->Width(), height = calendar->Height();
    selectionChanges = 0;
    for (int columns : {0, 5}) {
        try {
            calendar->SetColumns(columns);
            ADD_FAILURE() << columns << " accepted";
        } catch (const ERangeError& e) {
            EXPECT_STREQ(e.what(), "Invalid value for columns");
        }
    }
    EXPECT_EQ(calendar->Columns(), 3);
    EXPECT_EQ(calendar->Width(), width);
    EXPECT_EQ(calendar->Height(), height);
    EXPECT_EQ(selectionChanges, 0);
}

TEST_F(YearCalendarTest, TheSameColumnCountResizesAgainAndReportsOnce) {
    calendar->SetColumns(6);
    const int width = calendar->Width(), height = calendar->Height();
    SetWindowPos(calendar->hwnd(), nullptr, 0, 0, 50, 40, SWP_NOMOVE | SWP_NOZORDER);
    selectionChanges = 0;
    calendar->SetColumns(6);
    EXPECT_EQ(selectionChanges, 1);
    EXPECT_EQ(calendar->Width(), width);
    EXPECT_EQ(calendar->Height(), height);
}

TEST_F(YearCalendarTest, ASizeRequestLeavesTheValuesWithoutAWindowAndRaisesTheMinimumWithOne) {
    int width = 11, height = 22;
    EXPECT_FALSE(calendar->CanAutoSize(width, height));
    EXPECT_EQ(width, 11);
    EXPECT_EQ(height, 22);
    calendar->SetColumns(12);
    int minW = 0, minH = 0, maxW = 5000, maxH = 6000;
    calendar->ConstrainedResize(minW, minH, maxW, maxH);
    EXPECT_EQ(minW, calendar->Width());
    EXPECT_EQ(minH, calendar->Height());
    EXPECT_EQ(maxW, 5000);
    EXPECT_EQ(maxH, 6000);
}

TEST_F(YearCalendarTest, AClickOnADayReportsOnceWithTheDayAlreadyStored) {
    calendar->SetDate(EncodeDate(2026, 1, 15));
    calendar->SetColumns(4);
    HWND cal = calendar->hwnd();
    const SYSTEMTIME target = Day(2026, 3, 18);
    const auto point = FindPoint(cal, MCHT_CALENDARDATE, &target);
    ASSERT_TRUE(point) << "no point of the control shows 18 March 2026";

    std::optional<TDateTime> seen;
    selectionChanges = 0;
    calendar->OnSelectionChange = [&] {
        ++selectionChanges;
        seen = calendar->Date();
    };
    Click(cal, *point);
    EXPECT_EQ(selectionChanges, 1);
    ASSERT_TRUE(seen);
    EXPECT_EQ(DateOf(*seen), EncodeDate(2026, 3, 18));
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 3, 18));
    EXPECT_EQ(calendar->EndDate(), 0) << "single selection keeps no end date";
    EXPECT_FALSE(calendar->ExplicitSelect());
}

TEST_F(YearCalendarTest, MultiSelectRecreatesTheWindowAndTheYearStepSurvives) {
    calendar->SetDate(EncodeDate(2026, 5, 20));
    calendar->SetColumns(4);
    HWND before = calendar->hwnd();

    calendar->SetMultiSelect(true);
    HWND cal = calendar->hwnd();
    ASSERT_NE(cal, nullptr);
    EXPECT_NE(cal, before);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_TRUE(GetWindowLongW(cal, GWL_STYLE) & MCS_MULTISELECT);
    EXPECT_EQ(calendar->EndDate(), DateOf(calendar->Date()));
    EXPECT_EQ(SendMessageW(cal, MCM_GETMAXSELCOUNT, 0, 0), 9999);

    // A whole year may be selected.
    calendar->SetDate(EncodeDate(2026, 1, 1));
    calendar->SetEndDate(EncodeDate(2026, 12, 31));
    SYSTEMTIME sel[2] = {};
    SendMessageW(cal, MCM_GETSELRANGE, 0, reinterpret_cast<LPARAM>(sel));
    EXPECT_TRUE(SameDay(sel[0], Day(2026, 1, 1)));
    EXPECT_TRUE(SameDay(sel[1], Day(2026, 12, 31)));

    auto stepsAYear = [](HWND control) {
        const SYSTEMTIME first = FirstVisibleMonth(control);
        const auto next = FindPoint(control, MCHT_TITLEBTNNEXT);
        if (!next) return testing::AssertionFailure() << "no next button";
        Click(control, *next);
        const int moved = MonthIndex(FirstVisibleMonth(control)) - MonthIndex(first);
        if (moved != 12) return testing::AssertionFailure() << "moved " << moved << " months";
        return testing::AssertionSuccess();
    };
    EXPECT_TRUE(stepsAYear(cal));

    calendar->SetMultiSelect(false);
    EXPECT_EQ(calendar->EndDate(), 0);
    ASSERT_NE(calendar->hwnd(), cal);
    EXPECT_FALSE(GetWindowLongW(calendar->hwnd(), GWL_STYLE) & MCS_MULTISELECT);
    EXPECT_TRUE(stepsAYear(calendar->hwnd()));
}

TEST_F(YearCalendarTest, EndDateKeepsOnlyTheDayAndOnlyWithMultipleSelection) {
    calendar->HandleNeeded();
    calendar->SetDate(EncodeDate(2026, 7, 1));
    calendar->SetEndDate(EncodeDate(2026, 7, 9) + 0.6);
    EXPECT_EQ(calendar->EndDate(), 0);

    calendar->SetMultiSelect(true);
    calendar->SetEndDate(EncodeDate(2026, 7, 9) + 0.6);
    EXPECT_EQ(calendar->EndDate(), EncodeDate(2026, 7, 9));
    SYSTEMTIME sel[2] = {};
    SendMessageW(calendar->hwnd(), MCM_GETSELRANGE, 0, reinterpret_cast<LPARAM>(sel));
    EXPECT_TRUE(SameDay(sel[1], Day(2026, 7, 9)));

    // Beyond the longest selection the control refuses it and nothing is stored.
    calendar->SetMaxSelectRange(10);
    EXPECT_THROW(calendar->SetEndDate(EncodeDate(2026, 8, 30)), EMonthCalError);
    EXPECT_EQ(calendar->EndDate(), EncodeDate(2026, 7, 9));
    EXPECT_THROW(calendar->SetMaxSelectRange(0), EMonthCalError);
    EXPECT_EQ(calendar->MaxSelectRange(), 10);
}

std::string Expected(const char* text, TDateTime bound) { return text + FormatShortDate(bound); }

TEST_F(YearCalendarTest, BoundsRefuseEachOtherAndKeepTheSelectionInside) {
    calendar->HandleNeeded();
    const TDateTime apr1 = EncodeDate(2026, 4, 1), jun30 = EncodeDate(2026, 6, 30);
    // A new date keeps the time of day the calendar was created with.
    const TDateTime time = TimeOf(calendar->Date());
    calendar->SetDate(EncodeDate(2026, 2, 10) + 0.5);
    EXPECT_EQ(calendar->Date(), EncodeDate(2026, 2, 10) + time);
    calendar->SetMinDate(apr1);
    EXPECT_EQ(calendar->Date(), apr1 + time) << "moved to the minimum with its time of day";
    calendar->SetMaxDate(jun30);

    try {
        calendar->SetMinDate(jun30 + 1);
        ADD_FAILURE() << "minimum after the maximum accepted";
    } catch (const EMonthCalError& e) {
        EXPECT_EQ(e.what(), Expected("Date exceeds maximum of ", jun30));
    }
    try {
        calendar->SetMaxDate(apr1 - 1);
        ADD_FAILURE() << "maximum before the minimum accepted";
    } catch (const EMonthCalError& e) {
        EXPECT_EQ(e.what(), Expected("Date is less than minimum of ", apr1));
    }
    EXPECT_EQ(calendar->MinDate(), apr1);
    EXPECT_EQ(calendar->MaxDate(), jun30);
    EXPECT_FALSE(FormatShortDate(jun30).empty());

    try {
        calendar->SetDate(EncodeDate(2026, 7, 1));
        ADD_FAILURE() << "date after the maximum accepted";
    } catch (const EMonthCalError& e) {
        EXPECT_EQ(e.what(), Expected("Date exceeds maximum of ", jun30));
    }
    EXPECT_THROW(calendar->SetDate(apr1 - 1), EMonthCalError);
    EXPECT_EQ(calendar->Date(), apr1 + time);

    SYSTEMTIME range[2] = {};
    const DWORD flags = static_cast<DWORD>(
        SendMessageW(calendar->hwnd(), MCM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)));
    EXPECT_EQ(flags, static_cast<DWORD>(GDTR_MIN | GDTR_MAX));
    EXPECT_TRUE(SameDay(range[0], Day(2026, 4, 1)));
    EXPECT_TRUE(SameDay(range[1], Day(2026, 6, 30)));

    // The range survives a re-creation; clearing a bound lifts it on the control.
    calendar->RecreateCalendar();
    EXPECT_EQ(SendMessageW(calendar->hwnd(), MCM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)),
              GDTR_MIN | GDTR_MAX);
    calendar->SetMinDate(0);
    EXPECT_EQ(SendMessageW(calendar->hwnd(), MCM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)), GDTR_MAX);
    calendar->SetDate(EncodeDate(2026, 1, 5));
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 1, 5));
    // Clearing the maximum is no maximum "before" the minimum.
    calendar->SetMinDate(apr1);
    calendar->SetMaxDate(0);
    EXPECT_EQ(calendar->MaxDate(), 0);
    EXPECT_EQ(SendMessageW(calendar->hwnd(), MCM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)), GDTR_MIN);
}

TEST_F(YearCalendarTest, StyleOptionsSwitchOnTheLiveWindow) {
    calendar->HandleNeeded();
    HWND cal = calendar->hwnd();
    auto style = [&] { return static_cast<DWORD>(GetWindowLongW(cal, GWL_STYLE)); };
    calendar->SetWeekNumbers(true);
    EXPECT_TRUE(style() & MCS_WEEKNUMBERS);
    calendar->SetShowToday(false);
    EXPECT_TRUE(style() & MCS_NOTODAY);
    calendar->SetShowTodayCircle(false);
    EXPECT_TRUE(style() & MCS_NOTODAYCIRCLE);
    calendar->SetWeekNumbers(false);
    calendar->SetShowToday(true);
    EXPECT_FALSE(style() & (MCS_WEEKNUMBERS | MCS_NOTODAY));
    EXPECT_TRUE(style() & MCS_NOTODAYCIRCLE);
    EXPECT_EQ(calendar->hwnd(), cal);

    // A re-created window is built with the stored options.
    calendar->RecreateCalendar();
    const DWORD recreated = static_cast<DWORD>(GetWindowLongW(calendar->hwnd(), GWL_STYLE));
    EXPECT_TRUE(recreated & MCS_NOTODAYCIRCLE);
    EXPECT_FALSE(recreated & (MCS_WEEKNUMBERS | MCS_NOTODAY));
}

TEST_F(YearCalendarTest, ColoursAndFirstDayReachTheControlAndSurviveRecreation) {
    calendar->HandleNeeded();
    TMonthCalColors& colors = calendar->CalColors();
    colors.SetMonthBackColor(0x00123456u);
    colors.Set(0, SystemColor(syscolor::AppWorkspace));
    calendar->SetFirstDayOfWeek(6);
    calendar->RecreateCalendar();
    HWND cal = calendar->hwnd();
    EXPECT_EQ(SendMessageW(cal, MCM_GETCOLOR, MCSC_MONTHBK, 0), 0x00123456);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(cal, MCM_GETCOLOR, MCSC_BACKGROUND, 0)),
              GetSysColor(COLOR_APPWORKSPACE));
    EXPECT_EQ(LOWORD(SendMessageW(cal, MCM_GETFIRSTDAYOFWEEK, 0, 0)), 6);
    colors.SetTitleTextColor(0x00ABCDEFu);
    EXPECT_EQ(SendMessageW(cal, MCM_GETCOLOR, MCSC_TITLETEXT, 0), 0x00ABCDEF);

    wchar_t digit[4] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, digit, 4);
    calendar->SetFirstDayOfWeek(7);
    EXPECT_EQ(LOWORD(SendMessageW(cal, MCM_GETFIRSTDAYOFWEEK, 0, 0)), digit[0] - L'0');
    EXPECT_THROW(calendar->SetFirstDayOfWeek(8), ERangeError);
}

TEST_F(YearCalendarTest, NotificationsAreAnsweredOnlyAsTheirSenderDeserves) {
    calendar->SetDate(EncodeDate(2026, 1, 15));
    calendar->HandleNeeded();
    // A day-state request gets no bold days, whatever buffer came with it.
    MONTHDAYSTATE garbage[14];
    std::fill(std::begin(garbage), std::end(garbage), 0xFFFFFFFFu);
    NMDAYSTATE request{};
    request.nmhdr = {calendar->hwnd(), 1, static_cast<UINT>(MCN_GETDAYSTATE)};
    request.cDayState = 14;
    request.prgDayState = garbage;
    SendMessageW(calendar->panel(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&request));
    ASSERT_NE(request.prgDayState, nullptr);
    for (int i = 0; i < 14; ++i) EXPECT_EQ(request.prgDayState[i], 0u) << i;

    // A selection reported by some other window changes nothing.
    NMSELCHANGE change{};
    change.nmhdr = {host, 1, static_cast<UINT>(MCN_SELCHANGE)};
    change.stSelStart = Day(2026, 6, 6);
    selectionChanges = 0;
    SendMessageW(calendar->panel(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(selectionChanges, 0);
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 1, 15));
    // From the calendar itself it is taken; MCN_SELECT raises no event.
    change.nmhdr.hwndFrom = calendar->hwnd();
    change.nmhdr.code = static_cast<UINT>(MCN_SELECT);
    SendMessageW(calendar->panel(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 6, 6));
    EXPECT_EQ(selectionChanges, 0);
}

TEST_F(YearCalendarTest, KeyReleasesReachTheOwner) {
    calendar->HandleNeeded();
    std::optional<WORD> key;
    calendar->OnKeyUp = [&](WORD k, ShiftState) { key = k; };
    PostMessageW(calendar->hwnd(), WM_KEYUP, VK_F5, 0xC0000001);
    Pump();
    ASSERT_TRUE(key);
    EXPECT_EQ(*key, VK_F5);
}

// A larger font (a DPI change) leaves room for fewer panes until the size
// is adjusted: the months shown still start at the first one asked for.
TEST_F(YearCalendarTest, MonthsThatDoNotAllFitStartAtTheFirst) {
    calendar->SetDate(EncodeDate(2026, 8, 5));
    calendar->SetColumns(12);
    calendar->SetSize(calendar->Width() / 3, calendar->Height());
    calendar->ShowMonths(EncodeDate(2026, 7, 1), EncodeDate(2027, 6, 30));
    EXPECT_EQ(MonthIndex(FirstVisibleMonth(calendar->hwnd())), MonthIndex(Day(2026, 7, 1)));
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 8, 5));
    calendar->AdjustSize();
    EXPECT_EQ(test::ShownMonths(calendar->hwnd()), "2026-07..2027-06");
}

TEST_F(YearCalendarTest, RecreatingFromTheSelectionHandlerIsSafe) {
    calendar->SetDate(EncodeDate(2026, 1, 15));
    calendar->SetColumns(4);
    HWND old = calendar->hwnd();
    const SYSTEMTIME target = Day(2026, 2, 11);
    const auto point = FindPoint(old, MCHT_CALENDARDATE, &target);
    ASSERT_TRUE(point);
    // The old control is still inside its own mouse message when the handler
    // runs; destroying it there would free what that message goes on using.
    bool oldKeptDuringItsMessage = false;
    calendar->OnSelectionChange = [&] {
        ++selectionChanges;
        calendar->RecreateCalendar();
        oldKeptDuringItsMessage = IsWindow(old) && !IsWindowVisible(old);
    };
    Click(old, *point);
    Pump();
    EXPECT_GE(selectionChanges, 1);
    EXPECT_TRUE(oldKeptDuringItsMessage);
    EXPECT_EQ(DateOf(calendar->Date()), EncodeDate(2026, 2, 11));
    ASSERT_NE(calendar->hwnd(), nullptr);
    EXPECT_NE(calendar->hwnd(), old);
    EXPECT_FALSE(IsWindow(old)) << "the old window is closed once its message is done";
    EXPECT_TRUE(IsWindowVisible(calendar->hwnd()));
}

TEST_F(YearCalendarTest, OutlivesItsParentWindow) {
    calendar->SetColumns(2);
    DestroyWindow(host);
    sharedHost = nullptr;
    EXPECT_EQ(calendar->hwnd(), nullptr);
    EXPECT_EQ(calendar->panel(), nullptr);
    // Still usable as a store, and again on a new parent.
    calendar->SetDate(EncodeDate(2026, 9, 9));
    calendar->SetColumns(3);
    EXPECT_THROW(calendar->HandleNeeded(), std::logic_error);
    host = CreateHost();
    calendar->SetParent(host);
    selectionChanges = 0;
    calendar->AdjustSize();
    ASSERT_NE(calendar->hwnd(), nullptr);
    EXPECT_EQ(selectionChanges, 1);
    SYSTEMTIME sel{};
    SendMessageW(calendar->hwnd(), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&sel));
    EXPECT_TRUE(SameDay(sel, Day(2026, 9, 9)));
}

TEST_F(YearCalendarTest, SetBoundsMovesThePanel) {
    calendar->SetColumns(4);
    calendar->SetBounds(30, 40);
    RECT panel = WindowRectIn(calendar->panel(), host);
    EXPECT_EQ(panel.left, 30);
    EXPECT_EQ(panel.top, 40);
    RECT cal = WindowRectIn(calendar->hwnd(), calendar->panel());
    EXPECT_EQ(cal.left, 0);
    EXPECT_EQ(cal.top, 0);
}

}  // namespace
}  // namespace kiv
