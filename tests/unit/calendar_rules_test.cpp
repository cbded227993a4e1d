#include "calendar/month_cal_rules.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

const TDateTime kMar10 = EncodeDate(2026, 3, 10);
const TDateTime kApr1 = EncodeDate(2026, 4, 1);
const TDateTime kJun30 = EncodeDate(2026, 6, 30);

TEST(CalendarTimeOfDay, SurvivesOnBothSidesOfDayZero) {
    EXPECT_DOUBLE_EQ(TimeOf(kMar10 + 0.75), 0.75);
    // -1.25 is 29 December 1899 at 6:00.
    EXPECT_DOUBLE_EQ(TimeOf(-1.25), 0.25);
    EXPECT_DOUBLE_EQ(WithTimeOf(kApr1 + 0.9, kMar10 + 0.25), kApr1 + 0.25);
    const TDateTime old = EncodeDate(1800, 1, 1);
    EXPECT_DOUBLE_EQ(WithTimeOf(old, 3.5), old - 0.5);
    EXPECT_EQ(DecodeDate(WithTimeOf(old, 3.5)), (CivilDate{1800, 1, 1}));
}

TEST(CalendarTimeOfDay, DayOfWeekCountsFromSunday) {
    EXPECT_EQ(DayOfWeekFromSunday(0), 6);                             // 30 Dec 1899, a Saturday
    EXPECT_EQ(DayOfWeekFromSunday(EncodeDate(2026, 12, 8) + 0.9), 2);  // a Tuesday
    EXPECT_EQ(DayOfWeekFromSunday(EncodeDate(1753, 1, 1)), 1);         // a Monday
    EXPECT_EQ(DayOfWeekFromSunday(EncodeDate(9999, 12, 31)), 5);       // a Friday
}

TEST(CalendarMonths, EndOfMonthAfterCountsWholeMonthsAndStopsAtTheLastDay) {
    EXPECT_EQ(DecodeDate(EndOfMonthAfter(EncodeDate(2026, 7, 1), 11)), (CivilDate{2027, 6, 30}));
    EXPECT_EQ(DecodeDate(EndOfMonthAfter(EncodeDate(2023, 12, 31), 2)), (CivilDate{2024, 2, 29}));
    EXPECT_EQ(DecodeDate(EndOfMonthAfter(kMar10, 0)), (CivilDate{2026, 3, 31}));
    EXPECT_EQ(DecodeDate(EndOfMonthAfter(EncodeDate(9999, 7, 1), 11)), (CivilDate{9999, 12, 31}));
}

TEST(CalendarBounds, ZeroMeansNoBoundAndOnlyWholeDaysCount) {
    EXPECT_EQ(CheckBounds(kMar10, 0, 0), BoundCheck::kInside);
    EXPECT_EQ(CheckBounds(kMar10, kApr1, 0), BoundCheck::kBeforeMinimum);
    EXPECT_EQ(CheckBounds(kJun30 + 1, 0, kJun30), BoundCheck::kAfterMaximum);
    // The bound day itself is inside, at any time of that day.
    EXPECT_EQ(CheckBounds(kApr1, kApr1, kJun30), BoundCheck::kInside);
    EXPECT_EQ(CheckBounds(kJun30 + 0.99, kApr1, kJun30), BoundCheck::kInside);
}

TEST(CalendarRange, SelectionOutsideANewRangeMovesToItsNearestEnd) {
    // Before the minimum: both move to it, the date keeping its time of day.
    EXPECT_EQ(ClampSelection({kMar10 + 0.5, kMar10 + 3}, kApr1, 0), (CalendarSelection{kApr1 + 0.5, kApr1}));
    // After the maximum.
    EXPECT_EQ(ClampSelection({kJun30 + 5, kJun30 + 9}, 0, kJun30), (CalendarSelection{kJun30, kJun30}));
    // A range across the minimum: only the part outside moves.
    EXPECT_EQ(ClampSelection({kMar10, kApr1 + 5}, kApr1, kJun30), (CalendarSelection{kApr1, kApr1 + 5}));
    // Inside, or no bounds at all: untouched.
    const CalendarSelection inside{kApr1 + 10.25, kApr1 + 12};
    EXPECT_EQ(ClampSelection(inside, kApr1, kJun30), inside);
    EXPECT_EQ(ClampSelection(inside, 0, 0), inside);
}

TEST(CalendarRange, NoEndDateIsNotInventedBySingleSelection) {
    // End 0 means single selection; a minimum after day 0 must not give it one.
    EXPECT_EQ(ClampSelection({kMar10, 0}, kApr1, kJun30), (CalendarSelection{kApr1, 0}));
    // A maximum before day 0 does not either.
    const TDateTime old = EncodeDate(1800, 6, 1);
    EXPECT_EQ(ClampSelection({kMar10, 0}, 0, old), (CalendarSelection{old, 0}));
}

TEST(CalendarNotification, TheReportedSelectionReplacesTheStoredOne) {
    const CalendarSelection current{kMar10 + 0.5, kMar10};
    const CivilDate may5{2026, 5, 5}, may9{2026, 5, 9};
    // Single selection: the end is ignored even when the control sends one.
    EXPECT_EQ(SelectionFromNotification({kMar10, 0}, false, may5, may5),
              (CalendarSelection{EncodeDate(may5), 0}));
    EXPECT_EQ(SelectionFromNotification(current, true, may5, may9),
              (CalendarSelection{EncodeDate(may5), EncodeDate(may9)}));
    // Empty or impossible days leave the stored values alone.
    EXPECT_EQ(SelectionFromNotification(current, true, std::nullopt, std::nullopt), current);
    EXPECT_EQ(SelectionFromNotification(current, true, CivilDate{2026, 2, 30}, CivilDate{0, 0, 0}), current);
    EXPECT_EQ(SelectionFromNotification(current, true, std::nullopt, may9), (CalendarSelection{current.date,
                                                                                                EncodeDate(may9)}));
}

TEST(CalendarFirstDay, LocaleDigitAndAcceptedValues) {
    EXPECT_EQ(FirstDayFromLocaleDigit(L"0"), 0);
    EXPECT_EQ(FirstDayFromLocaleDigit(L"6"), 6);
    for (const wchar_t* bad : {L"", L"7", L"-1", L"12", L"x"}) EXPECT_EQ(FirstDayFromLocaleDigit(bad), 0) << bad;
    EXPECT_TRUE(IsValidFirstDayOfWeek(0));
    EXPECT_TRUE(IsValidFirstDayOfWeek(kLocaleFirstDayOfWeek));
    EXPECT_FALSE(IsValidFirstDayOfWeek(-1));
    EXPECT_FALSE(IsValidFirstDayOfWeek(8));
}

}  // namespace
}  // namespace kiv
