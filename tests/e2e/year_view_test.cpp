// The year display driven from outside: the keys after the calendar was
// replaced by a new one, and the day change at the turn of the year.
#include <string>

#include "calendar_probe.h"
#include "program_test.h"

namespace kiv::e2e {
namespace {

bool RunningOnWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

TEST_F(ProgramTest, ArrowKeysStillMoveTheSelectionAfterNextYear) {
    HWND window = startFirst(L"");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));
    CalendarProbe calendar(window);
    ASSERT_TRUE(WaitUntil([&] { return calendar.hasFocus(); }, kReactionTimeout)) << "the calendar has no focus";
    const std::wstring year = calendar.yearBox();
    const HWND before = calendar.control();

    ASSERT_EQ(TypeKeys(window, {VK_CONTROL}, 'N'), KeyRoute::Input) << "the window cannot be brought forward";
    ASSERT_TRUE(WaitUntil([&] { return calendar.control() != before && calendar.control(); }, kReactionTimeout))
        << "Ctrl+N showed no other year";
    EXPECT_EQ(calendar.yearBox(), std::to_wstring(std::stoi(year) + 1));
    // The keys go to the new calendar.
    EXPECT_TRUE(calendar.hasFocus());
    const std::string selected = calendar.selection();
    ASSERT_FALSE(selected.empty());

    TypeKeys(window, {}, VK_LEFT);
    EXPECT_TRUE(calendar.hasFocus());
    // Wine's month calendar has no keyboard handling of its own.
    if (!RunningOnWine()) {
        EXPECT_TRUE(WaitUntil([&] { return calendar.selection() != selected; }, kReactionTimeout))
            << "the arrow key left the selection on " << selected;
    }
}

// Runs only with the clock set to the last minute of 2026 for the whole Wine
// session (ctest's win.end_to_end.midnight); the program's own clock does
// the rest.
TEST_F(ProgramTest, MidnightKeepsTheMonthsTheYearBoxNames) {
    const auto beforeMidnight = [] {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        return now.wYear == 2026 && now.wMonth == 12 && now.wDay == 31 && now.wHour == 23 && now.wMinute == 59;
    };
    if (!beforeMidnight()) GTEST_SKIP() << "needs a clock faked to the last minute of 2026";
    storeNumber(L"First month", 7);
    HWND window = startFirst(L"");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(becomesVisible(window));
    CalendarProbe calendar(window);
    ASSERT_TRUE(WaitUntil([&] { return calendar.hasFocus(); }, kReactionTimeout)) << "the calendar has no focus";
    EXPECT_EQ(calendar.yearBox(), L"2026");
    EXPECT_EQ(calendar.visibleMonths(), "2026-07..2027-06");
    ASSERT_EQ(calendar.selection(), "2026-12-31");

    // Next year: with the selection away from today, midnight only moves the today mark.
    ASSERT_EQ(TypeKeys(window, {VK_CONTROL}, 'N'), KeyRoute::Input) << "the window cannot be brought forward";
    ASSERT_TRUE(WaitUntil([&] { return calendar.selection() == "2027-12-31"; }, kReactionTimeout));
    EXPECT_EQ(calendar.yearBox(), L"2027");
    EXPECT_EQ(calendar.visibleMonths(), "2027-07..2028-06");
    const HWND before = calendar.control();
    ASSERT_TRUE(beforeMidnight()) << "the program started too late to see midnight";

    // The day change redraws the calendar as a new control at the next tick.
    EXPECT_TRUE(WaitUntil([&] { return !beforeMidnight() && calendar.control() != before && calendar.control(); },
                          90s))
        << "no redraw after midnight";
    EXPECT_EQ(calendar.yearBox(), L"2027");
    EXPECT_EQ(calendar.visibleMonths(), "2027-07..2028-06");
    EXPECT_EQ(calendar.selection(), "2027-12-31");
    EXPECT_TRUE(calendar.hasFocus());
}

}  // namespace
}  // namespace kiv::e2e
