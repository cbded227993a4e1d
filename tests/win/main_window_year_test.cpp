// The year on the main window as time passes and the user moves around:
// views that start after January, the re-created control, and the timer
// meeting the window's boxes.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/year_view.h"
#include "calendar/date_format_win.h"
#include "tests/win/main_window_fixture.h"
#include "widgets/input_box_win.h"
#include "widgets/message_box_win.h"

namespace kiv {
namespace {

using test::Day;

TDateTime D(int y, int m, int d) { return EncodeDate(y, m, d); }

void Tick(HWND window) { SendMessageW(window, WM_TIMER, TfMain_calendar::kTimerId, 0); }

class YearWindow : public test::MainWindowTest {
protected:
    HWND Control() { return window->Calendar().hwnd(); }
    std::string Shown() { return test::ShownMonths(Control()); }
    TDateTime Selected() { return DateOf(window->Calendar().Date()); }
    void ClickOn(UINT hit, const SYSTEMTIME* day = nullptr) {
        const auto point = test::FindPoint(Control(), hit, day);
        ASSERT_TRUE(point) << "nothing on the control answers hit test " << hit;
        test::Click(Control(), *point);
    }
};

// First month July, today 10 March 2026.
class JulyYear : public YearWindow {
protected:
    void SetUp() override {
        registry.PutDword(L"First month", 7);
        Start();
    }
};

TEST_F(JulyYear, EachViewIsNamedAfterItsFirstMonthAndPagingSkipsNone) {
    const struct {
        Command command;
        int year;
        const char* months;
    } steps[] = {
        {Command::Today, 2025, "2025-07..2026-06"},        {Command::NextYear, 2026, "2026-07..2027-06"},
        {Command::NextYear, 2027, "2027-07..2028-06"},     {Command::PreviousYear, 2026, "2026-07..2027-06"},
        {Command::PreviousYear, 2025, "2025-07..2026-06"}, {Command::PreviousYear, 2024, "2024-07..2025-06"},
        {Command::Today, 2025, "2025-07..2026-06"},
    };
    for (const auto& step : steps) {
        Run(step.command);
        EXPECT_EQ(YearBox(), step.year) << "after command " << static_cast<int>(step.command);
        EXPECT_EQ(Shown(), step.months) << "view " << step.year;
    }
    EXPECT_EQ(Selected(), D(2026, 3, 10));
}

TEST_F(JulyYear, ClicksStayInTheViewOrTakeTheRememberedDayIntoTheNextAndTheBoxSaysWhere) {
    window->ShowYear(2026);  // July 2026 .. June 2027
    const SYSTEMTIME none{};
    const struct {
        UINT hit;
        SYSTEMTIME day;
        int year;
        TDateTime selected;
        const char* months;
    } steps[] = {
        // A day of the view's second part.
        {MCHT_CALENDARDATE, Day(2027, 3, 17), 2026, D(2027, 3, 17), "2026-07..2027-06"},
        // The arrows: the neighbouring view, the remembered 17 March in its own part of it.
        {MCHT_TITLEBTNNEXT, none, 2027, D(2028, 3, 17), "2027-07..2028-06"},
        {MCHT_TITLEBTNPREV, none, 2026, D(2027, 3, 17), "2026-07..2027-06"},
        // The grey days of the months around the view.
        {MCHT_CALENDARDATENEXT, Day(2027, 7, 1), 2027, D(2028, 3, 17), "2027-07..2028-06"},
        {MCHT_CALENDARDATEPREV, Day(2027, 6, 30), 2026, D(2027, 3, 17), "2026-07..2027-06"},
    };
    for (const auto& step : steps) {
        ClickOn(step.hit, step.day.wYear ? &step.day : nullptr);
        const CivilDate want = DecodeDate(step.selected);
        const auto where = testing::Message() << "hit " << step.hit << ", expecting " << want.year << "-"
                                              << want.month << "-" << want.day;
        EXPECT_EQ(YearBox(), step.year) << where;
        EXPECT_EQ(Selected(), step.selected) << where;
        EXPECT_EQ(Shown(), step.months) << where;
        EXPECT_EQ(SelectedBox(), ShortDateText(step.selected)) << where;
    }
}

TEST_F(JulyYear, ARangeCarriedIntoTheNextViewIsNoLongerCountedAsARange) {
    window->Calendar().SetMultiSelect(true);
    window->ShowYear(2026);
    window->Calendar().SetDate(D(2026, 9, 1));
    window->Calendar().SetEndDate(D(2026, 9, 3));
    window->UpdateSelectedDate();
    ASSERT_EQ(SelectedBox(), L"(3 days)");
    ClickOn(MCHT_TITLEBTNNEXT);
    EXPECT_EQ(YearBox(), 2027);
    EXPECT_EQ(Selected(), D(2027, 9, 1));
    EXPECT_EQ(window->Calendar().EndDate(), D(2027, 9, 1));
    EXPECT_EQ(SelectedBox(), ShortDateText(D(2027, 9, 1)));
}

// A new control replaces the old one at midnight, after a DPI change and
// on every year shown: it shows the view's months and keeps the keys.
TEST_F(JulyYear, ARecreatedControlKeepsTheViewsMonthsAndTheKeyboard) {
    const auto midnight = [&] {
        clock.now = D(2027, 1, 1) + 0.0001;
        Tick(window->hwnd());
    };
    const auto dpiChange = [&] {
        // A larger font: until the calendar is sized again, fewer months fit.
        window->Calendar().SetSize(window->Calendar().Width() / 2, window->Calendar().Height() / 2);
        RECT rc{};
        GetWindowRect(window->hwnd(), &rc);
        SendMessageW(window->hwnd(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&rc));
    };
    const struct {
        const char* name;
        SYSTEMTIME clicked;
        std::function<void()> act;
        int year;
        TDateTime selected;
        const char* months;
    } cases[] = {
        {"midnight, selection on today", Day(2026, 12, 31), midnight, 2026, D(2027, 1, 1), "2026-07..2027-06"},
        {"midnight, selection elsewhere", Day(2026, 11, 5), midnight, 2026, D(2026, 11, 5), "2026-07..2027-06"},
        {"DPI change", Day(2026, 11, 5), dpiChange, 2026, D(2026, 11, 5), "2026-07..2027-06"},
        {"next year", Day(2026, 11, 5), [&] { Run(Command::NextYear); }, 2027, D(2027, 11, 5), "2027-07..2028-06"},
    };
    for (const auto& c : cases) {
        clock.now = D(2026, 12, 31) + 0.9999;
        Tick(window->hwnd());  // the day seen last is 31 December
        window->ShowYear(2026);
        ClickOn(MCHT_CALENDARDATE, &c.clicked);
        SetFocus(Control());
        ASSERT_EQ(GetFocus(), Control()) << c.name;
        const HWND before = Control();

        c.act();
        test::Pump();
        EXPECT_NE(Control(), before) << c.name << ": the control was not re-created";
        EXPECT_EQ(YearBox(), c.year) << c.name;
        EXPECT_EQ(Selected(), c.selected) << c.name;
        EXPECT_EQ(Shown(), c.months) << c.name;
        EXPECT_EQ(GetFocus(), Control()) << c.name;
    }
}

TEST_F(YearWindow, AFailingTickShowsOneBoxAtATime) {
    int boxes = 0;
    const auto previous = SetMessageBoxHandler([&](HWND, const std::wstring&, const std::wstring&, UINT) {
        // The box's own loop goes on delivering the timer.
        if (++boxes < 10)
            for (int i = 0; i < 3; ++i) Tick(window->hwnd());
        return IDOK;
    });
    clock.broken = true;
    Tick(window->hwnd());
    EXPECT_EQ(boxes, 1);
    Tick(window->hwnd());  // the box is closed: the next failure is reported again
    EXPECT_EQ(boxes, 2);
    clock.broken = false;
    SetMessageBoxHandler(previous);
}

// 31 December, a moment before midnight: a box of the window stays open
// over midnight and the timer ticks inside it.
TEST_F(YearWindow, TicksInsideABoxLeaveTheYearAloneAndCatchUpAfterwards) {
    const auto midnightTick = [&] {
        clock.now = D(2027, 1, 1) + 0.0001;
        Tick(window->hwnd());
    };
    const auto previousBox = SetMessageBoxHandler([&](HWND, const std::wstring&, const std::wstring&, UINT) {
        midnightTick();
        return IDOK;
    });
    const auto previousInput = SetInputBoxHandler([&](const std::wstring&, const std::wstring&, const std::wstring&) {
        midnightTick();
        return std::optional<std::wstring>(L"2026");
    });
    const struct {
        const char* name;
        std::function<void()> open;
    } boxes[] = {
        {"Date out of range", [&] { window->ShowYear(0); }},
        {"Go to year", [&] { Run(Command::GoToYear); }},
    };
    for (const auto& box : boxes) {
        clock.now = D(2026, 12, 31) + 0.9999;
        Tick(window->hwnd());
        Run(Command::Today);
        ASSERT_EQ(Selected(), D(2026, 12, 31)) << box.name;

        box.open();
        EXPECT_EQ(YearBox(), 2026) << box.name;
        EXPECT_EQ(Selected(), D(2026, 12, 31)) << box.name;
        // The next tick finds the selection on the old today and moves it on.
        Tick(window->hwnd());
        EXPECT_EQ(window->State().CurrentYear, 2027) << box.name;
        EXPECT_EQ(Selected(), D(2027, 1, 1)) << box.name;
        EXPECT_EQ(YearBox(), 2027) << box.name;
        EXPECT_EQ(Shown(), "2027-01..2027-12") << box.name;
    }
    SetMessageBoxHandler(previousBox);
    SetInputBoxHandler(previousInput);
}

}  // namespace
}  // namespace kiv
