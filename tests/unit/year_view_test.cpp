#include "app/year_view.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TDateTime D(int y, int m, int d) { return EncodeDate(y, m, d); }

ShowYearInput Input(int requested, int firstMonth, CivilDate today, TDateTime lastSelected) {
    ShowYearInput in;
    in.requestedYear = requested;
    in.firstMonthSetting = firstMonth;
    in.currentMonth = today.month;
    in.currentYear = today.year;
    in.today = today;
    in.lastSelected = lastSelected;
    return in;
}

TEST(TwelveMonths, EveryFirstMonthGivesTwelveWholeMonths) {
    for (int first = 1; first <= 12; ++first) {
        const DateRange r = TwelveMonths(2026, first, false);
        const CivilDate a = DecodeDate(r.first), b = DecodeDate(r.last);
        EXPECT_EQ(a, (CivilDate{2026, first, 1})) << first;
        const int lastMonth = first == 1 ? 12 : first - 1;
        const int lastYear = first == 1 ? 2026 : 2027;
        EXPECT_EQ(b, (CivilDate{lastYear, lastMonth, DaysInMonth(lastYear, lastMonth)})) << first;
        EXPECT_GE(r.last - r.first + 1, 365);
        EXPECT_LE(r.last - r.first + 1, 366);
    }
}

TEST(TwelveMonths, EndsOnTheTrueLastDayOfFebruary) {
    EXPECT_EQ(DecodeDate(TwelveMonths(2023, 3, false).last), (CivilDate{2024, 2, 29}));
    EXPECT_EQ(DecodeDate(TwelveMonths(2024, 3, false).last), (CivilDate{2025, 2, 28}));
    EXPECT_EQ(DecodeDate(TwelveMonths(2100, 3, false).last), (CivilDate{2101, 2, 28}));
}

TEST(TwelveMonths, NeverRunsPastTheCalendarsLastDay) {
    EXPECT_EQ(DecodeDate(TwelveMonths(9999, 7, false).last), (CivilDate{9999, 12, 31}));
    EXPECT_EQ(DecodeDate(TwelveMonths(1753, 7, true).first), (CivilDate{1753, 1, 1}));
}

TEST(ShowYear, FirstMonthZeroMeansTheCurrentMonth) {
    EXPECT_EQ(EffectiveFirstMonth(0, 5), 5);
    EXPECT_EQ(EffectiveFirstMonth(13, 5), 5);
    EXPECT_EQ(EffectiveFirstMonth(7, 5), 7);
}

TEST(ShowYear, TodayBeforeTheFirstMonthStartsTheViewALastYear) {
    // First month July, today 10 March 2026: July 2025 .. June 2026 with today selected.
    const ShowYearPlan today = PlanShowYear(Input(kTodayYear, 7, {2026, 3, 10}, D(2026, 3, 10)));
    EXPECT_EQ(today.year, 2026);
    EXPECT_FALSE(today.outOfRange);
    EXPECT_EQ(DecodeDate(today.range.first), (CivilDate{2025, 7, 1}));
    EXPECT_EQ(DecodeDate(today.range.last), (CivilDate{2026, 6, 30}));
    EXPECT_EQ(today.selected, D(2026, 3, 10));

    // Next year from there: July 2027 .. June 2028; 10 March 2027 lies before it, so 1 July.
    const ShowYearPlan next = PlanShowYear(Input(2027, 7, {2026, 3, 10}, today.selected));
    EXPECT_EQ(DecodeDate(next.range.first), (CivilDate{2027, 7, 1}));
    EXPECT_EQ(DecodeDate(next.range.last), (CivilDate{2028, 6, 30}));
    EXPECT_EQ(next.selected, D(2027, 7, 1));
}

TEST(ShowYear, TodayInOrAfterTheFirstMonthStartsThisYear) {
    const ShowYearPlan plan = PlanShowYear(Input(kTodayYear, 3, {2026, 3, 1}, D(2020, 1, 1)));
    EXPECT_EQ(DecodeDate(plan.range.first), (CivilDate{2026, 3, 1}));
    EXPECT_EQ(plan.selected, D(2026, 3, 1));
}

TEST(ShowYear, KeepsTheRememberedDayInTheNewYear) {
    const ShowYearPlan plan = PlanShowYear(Input(2030, 1, {2026, 12, 8}, D(2026, 5, 17)));
    EXPECT_EQ(plan.selected, D(2030, 5, 17));
}

TEST(ShowYear, LeapDayFallsBackToThe28thInACommonYear) {
    const ShowYearPlan plan = PlanShowYear(Input(2025, 1, {2026, 12, 8}, D(2024, 2, 29)));
    EXPECT_EQ(plan.selected, D(2025, 2, 28));
    EXPECT_EQ(PlanShowYear(Input(2028, 1, {2026, 12, 8}, D(2024, 2, 29))).selected, D(2028, 2, 29));
}

TEST(ShowYear, AcceptsTheCalendarsFirstAndLastYearAndRejectsTheirNeighbours) {
    const CivilDate today{2026, 12, 8};
    for (int year : {1753, 9999}) {
        const ShowYearPlan plan = PlanShowYear(Input(year, 1, today, D(2026, 12, 8)));
        EXPECT_FALSE(plan.outOfRange) << year;
        EXPECT_EQ(plan.year, year);
        EXPECT_EQ(plan.selected, D(year, 12, 8));
    }
    for (int year : {1752, 10000, 0, -2}) {
        const ShowYearPlan plan = PlanShowYear(Input(year, 1, today, D(2026, 12, 8)));
        EXPECT_TRUE(plan.outOfRange) << year;
        EXPECT_EQ(plan.year, 2026) << year;
        EXPECT_EQ(DecodeDate(plan.range.first), (CivilDate{2026, 1, 1}));
    }
}

TEST(FollowSelection, CrossingIntoAnotherYearTakesTheRememberedDayThere) {
    const TDateTime min = D(1753, 1, 1), max = D(9999, 12, 31);
    // The scroll button moved the selection from 17 May 2026 to 1 January 2027.
    SelectionFollow f = FollowSelection(D(2027, 1, 1), 2026, false, D(2026, 5, 17), min, max);
    EXPECT_EQ(f.yearBox, 2027);
    EXPECT_EQ(f.select, D(2027, 5, 17));

    // A day clicked in the neighbouring year that is the remembered day itself: nothing to move.
    f = FollowSelection(D(2025, 12, 31) + 0.25, 2026, false, D(2025, 12, 31), min, max);
    EXPECT_EQ(f.yearBox, 2025);
    EXPECT_FALSE(f.select);

    // Within the shown year nothing changes, nor while a year is being shown.
    EXPECT_FALSE(FollowSelection(D(2026, 6, 1), 2026, false, D(2026, 5, 17), min, max).yearBox);
    EXPECT_FALSE(FollowSelection(D(2027, 6, 1), 2026, true, D(2026, 5, 17), min, max).yearBox);

    // A remembered day outside the control's bounds is not forced on it.
    f = FollowSelection(D(2027, 1, 1), 2026, false, D(2026, 5, 17), min, D(2027, 3, 1));
    EXPECT_EQ(f.yearBox, 2027);
    EXPECT_FALSE(f.select);

    // 29 February carried into a common year.
    EXPECT_EQ(FollowSelection(D(2025, 1, 1), 2024, false, D(2024, 2, 29), min, max).select, D(2025, 2, 28));
}

TEST(SelectedDays, ARangeShowsItsLengthAndASingleDayShowsTheDate) {
    EXPECT_EQ(SelectedDaysText(true, D(2026, 3, 1), D(2026, 3, 3)), L"(3 days)");
    EXPECT_EQ(SelectedDaysText(true, D(2026, 1, 1), D(2026, 12, 31)), L"(365 days)");
    EXPECT_FALSE(SelectedDaysText(true, D(2026, 3, 1), D(2026, 3, 1)));
    EXPECT_FALSE(SelectedDaysText(false, D(2026, 3, 1), D(2026, 3, 3)));
    // The start may carry a time of day; a one-day selection is still one day.
    EXPECT_FALSE(SelectedDaysText(true, D(2026, 3, 1) + 0.6, D(2026, 3, 1)));
    EXPECT_EQ(SelectedDaysText(true, D(2026, 3, 1) + 0.6, D(2026, 3, 3)), L"(3 days)");
}

TEST(DayChange, FollowsTheSelectionOnlyWhenItWasOnTheOldToday) {
    const TDateTime yesterday = D(2026, 12, 31), today = D(2027, 1, 1);
    EXPECT_EQ(CheckDayChange(yesterday + 0.9, yesterday, yesterday), DayChange::None);
    EXPECT_EQ(CheckDayChange(today + 0.001, yesterday, yesterday + 0.3), DayChange::ShowToday);
    EXPECT_EQ(CheckDayChange(today, yesterday, D(2026, 6, 1)), DayChange::RedrawToday);
}

TEST(GoToYearAnswer, ReadsADecimalNumberOrZero) {
    EXPECT_EQ(ParseYearAnswer(L"2031"), 2031);
    EXPECT_EQ(ParseYearAnswer(L"  1753"), 1753);
    EXPECT_EQ(ParseYearAnswer(L"-5"), -5);
    EXPECT_EQ(ParseYearAnswer(L"+12"), 12);
    EXPECT_EQ(ParseYearAnswer(L""), 0);
    EXPECT_EQ(ParseYearAnswer(L"20x1"), 0);
    EXPECT_EQ(ParseYearAnswer(L"2031 "), 0);
    EXPECT_EQ(ParseYearAnswer(L"-"), 0);
    EXPECT_EQ(ParseYearAnswer(L"99999999999999999999"), 0);
    EXPECT_EQ(ParseYearAnswer(L"2147483647"), 2147483647);
    EXPECT_EQ(ParseYearAnswer(L"-2147483648"), -2147483647 - 1);
}

}  // namespace
}  // namespace kiv
