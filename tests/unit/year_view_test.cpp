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
        const DateRange r = TwelveMonths(2026, first);
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
    EXPECT_EQ(DecodeDate(TwelveMonths(2023, 3).last), (CivilDate{2024, 2, 29}));
    EXPECT_EQ(DecodeDate(TwelveMonths(2024, 3).last), (CivilDate{2025, 2, 28}));
    EXPECT_EQ(DecodeDate(TwelveMonths(2100, 3).last), (CivilDate{2101, 2, 28}));
}

TEST(TwelveMonths, NeverRunsPastTheCalendarsLastDay) {
    EXPECT_EQ(DecodeDate(TwelveMonths(9999, 7).last), (CivilDate{9999, 12, 31}));
    EXPECT_EQ(DecodeDate(TwelveMonths(1752, 7).first), (CivilDate{1753, 1, 1}));
}

TEST(ShowYear, FirstMonthZeroMeansTheCurrentMonth) {
    EXPECT_EQ(EffectiveFirstMonth(0, 5), 5);
    EXPECT_EQ(EffectiveFirstMonth(13, 5), 5);
    EXPECT_EQ(EffectiveFirstMonth(7, 5), 7);
}

TEST(ShowYear, TodayBeforeTheFirstMonthStartsTheViewALastYear) {
    // First month July, today 10 March 2026: July 2025 .. June 2026 with today
    // selected, named after its first month.
    const ShowYearPlan today = PlanShowYear(Input(kTodayYear, 7, {2026, 3, 10}, D(2026, 3, 10)));
    EXPECT_EQ(today.year, 2025);
    EXPECT_FALSE(today.outOfRange);
    EXPECT_EQ(DecodeDate(today.range.first), (CivilDate{2025, 7, 1}));
    EXPECT_EQ(DecodeDate(today.range.last), (CivilDate{2026, 6, 30}));
    EXPECT_EQ(today.selected, D(2026, 3, 10));

    // Next year from there: July 2026 .. June 2027; 10 March 2026 lies before it, so 1 July.
    const ShowYearPlan next = PlanShowYear(Input(today.year + 1, 7, {2026, 3, 10}, today.selected));
    EXPECT_EQ(DecodeDate(next.range.first), (CivilDate{2026, 7, 1}));
    EXPECT_EQ(DecodeDate(next.range.last), (CivilDate{2027, 6, 30}));
    EXPECT_EQ(next.selected, D(2026, 7, 1));

    // Previous year: July 2024 .. June 2025, no year skipped either way.
    const ShowYearPlan previous = PlanShowYear(Input(today.year - 1, 7, {2026, 3, 10}, today.selected));
    EXPECT_EQ(DecodeDate(previous.range.first), (CivilDate{2024, 7, 1}));
    EXPECT_EQ(DecodeDate(previous.range.last), (CivilDate{2025, 6, 30}));
}

TEST(ShowYear, TodaysViewIsNamedAfterTheYearOfItsFirstMonth) {
    const struct {
        int firstMonth;
        CivilDate today;
        int year;
        CivilDate first;
    } cases[] = {
        {7, {2026, 3, 10}, 2025, {2025, 7, 1}},
        {7, {2026, 7, 1}, 2026, {2026, 7, 1}},
        {7, {2026, 12, 31}, 2026, {2026, 7, 1}},
        {7, {2027, 1, 1}, 2026, {2026, 7, 1}},
        {12, {2026, 11, 30}, 2025, {2025, 12, 1}},
        {1, {2026, 12, 31}, 2026, {2026, 1, 1}},
    };
    for (const auto& c : cases) {
        const ShowYearPlan plan = PlanShowYear(Input(kTodayYear, c.firstMonth, c.today, D(2020, 1, 1)));
        const auto where = testing::Message() << c.firstMonth << " " << c.today.year << "-" << c.today.month;
        EXPECT_EQ(plan.year, c.year) << where;
        EXPECT_EQ(DecodeDate(plan.range.first), c.first) << where;
        EXPECT_EQ(plan.selected, EncodeDate(c.today)) << where;
        // The view named so is the one "Go to year" with that number shows.
        EXPECT_EQ(PlanShowYear(Input(plan.year, c.firstMonth, c.today, plan.selected)).range.first,
                  plan.range.first) << where;
    }
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
    SelectionFollow f = FollowSelection(D(2027, 1, 1), 2026, 1, false, D(2026, 5, 17), min, max);
    EXPECT_EQ(f.yearBox, 2027);
    EXPECT_EQ(f.select, D(2027, 5, 17));

    // A day clicked in the neighbouring year that is the remembered day itself: nothing to move.
    f = FollowSelection(D(2025, 12, 31) + 0.25, 2026, 1, false, D(2025, 12, 31), min, max);
    EXPECT_EQ(f.yearBox, 2025);
    EXPECT_FALSE(f.select);

    // Within the shown year nothing changes, nor while a year is being shown.
    EXPECT_FALSE(FollowSelection(D(2026, 6, 1), 2026, 1, false, D(2026, 5, 17), min, max).yearBox);
    EXPECT_FALSE(FollowSelection(D(2027, 6, 1), 2026, 1, true, D(2026, 5, 17), min, max).yearBox);

    // A remembered day outside the control's bounds is not forced on it.
    f = FollowSelection(D(2027, 1, 1), 2026, 1, false, D(2026, 5, 17), min, D(2027, 3, 1));
    EXPECT_EQ(f.yearBox, 2027);
    EXPECT_FALSE(f.select);

    // 29 February carried into a common year.
    EXPECT_EQ(FollowSelection(D(2025, 1, 1), 2024, 1, false, D(2024, 2, 29), min, max).select, D(2025, 2, 28));
}

TEST(FollowSelection, WithALaterFirstMonthTheViewYearDecides) {
    // First month July; the year box names the view July 2026 .. June 2027.
    const TDateTime min = D(1753, 1, 1), max = D(9999, 12, 31);
    const struct {
        TDateTime clicked, remembered;
        std::optional<int> yearBox;
        std::optional<TDateTime> select;
    } cases[] = {
        // Days of either part of the view stay where they were clicked.
        {D(2027, 3, 17), D(2026, 12, 8), std::nullopt, std::nullopt},
        {D(2026, 7, 1), D(2027, 6, 30), std::nullopt, std::nullopt},
        {D(2027, 6, 30), D(2026, 7, 1), std::nullopt, std::nullopt},
        // Into the next view: the remembered day falls in its own part of it.
        {D(2027, 7, 1), D(2026, 12, 8), 2027, D(2027, 12, 8)},
        {D(2027, 12, 8), D(2027, 3, 17), 2027, D(2028, 3, 17)},
        // Into the one before.
        {D(2026, 6, 30), D(2027, 3, 17), 2025, D(2026, 3, 17)},
        {D(2026, 6, 30), D(2026, 9, 2), 2025, D(2025, 9, 2)},
        // 29 February of a leap year's view, carried into a view of a common year.
        {D(2027, 8, 1), D(2024, 2, 29), 2027, D(2028, 2, 29)},
        {D(2025, 8, 1), D(2024, 2, 29), 2025, D(2026, 2, 28)},
    };
    for (const auto& c : cases) {
        const SelectionFollow f = FollowSelection(c.clicked, 2026, 7, false, c.remembered, min, max);
        const CivilDate at = DecodeDate(c.clicked);
        EXPECT_EQ(f.yearBox, c.yearBox) << at.year << "-" << at.month << "-" << at.day;
        EXPECT_EQ(f.select, c.select) << at.year << "-" << at.month << "-" << at.day;
    }
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
