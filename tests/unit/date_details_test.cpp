#include "markeddays/date_details.h"

#include <gtest/gtest.h>

#include "trayicon/date_icon.h"
#include "trayicon/event_tooltip.h"

namespace kiv {
namespace {

TEST(DateDetails, IsoWeeksAtTheTurnOfTheYear) {
    struct Case {
        int year;
        IsoWeek week;
    };
    // 1 January on a Friday, a Saturday, a Monday, a Thursday and a Sunday.
    const Case cases[] = {{2021, {2020, 53}}, {2022, {2021, 52}}, {2024, {2024, 1}}, {2026, {2026, 1}},
                          {2023, {2022, 52}}};
    for (const Case& c : cases) EXPECT_EQ(IsoWeekOf(EncodeDate(c.year, 1, 1)), c.week) << c.year;
    EXPECT_EQ(IsoWeekOf(EncodeDate(2024, 12, 30)), (IsoWeek{2025, 1}));
}

TEST(DateDetails, WorkingDaysLeaveOutWeekendsAndMarkedDays) {
    MarkedDays marked(2025, 2027);
    marked.Add({{L"Christmas Day", {DayFromCivil(2026, 12, 25)}}, {L"Saturday event", {DayFromCivil(2026, 12, 19)}}});
    EXPECT_EQ(WorkingDays(EncodeDate(2026, 12, 8), EncodeDate(2026, 12, 21), marked), 10);
    EXPECT_EQ(WorkingDays(EncodeDate(2026, 12, 21), EncodeDate(2026, 12, 8), marked), 10);
    EXPECT_EQ(WorkingDays(EncodeDate(2026, 12, 21), EncodeDate(2026, 12, 27), marked), 4);
    EXPECT_EQ(WorkingDays(EncodeDate(2026, 12, 26), EncodeDate(2026, 12, 26), marked), 0);

    EXPECT_EQ(DayDetailsText(L"Friday, 25 December 2026", EncodeDate(2026, 12, 25), marked),
              L"Friday, 25 December 2026\r\nWeek 52, day 359 of 365\r\nChristmas Day");
    EXPECT_EQ(RangeDetailsText(L"8 December 2026", L"21 December 2026", EncodeDate(2026, 12, 8),
                               EncodeDate(2026, 12, 21), marked),
              L"8 December 2026 \u2013 21 December 2026\r\n14 days, 10 working days\r\nWeeks 50\u201352");
    EXPECT_EQ(RangeWeeksText(EncodeDate(2025, 12, 22), EncodeDate(2026, 1, 5)), L"Weeks 52\u20132");
    EXPECT_EQ(RangeWeeksText(EncodeDate(2026, 12, 7), EncodeDate(2026, 12, 13)), L"Week 50");
    EXPECT_EQ(RangeWeeksText(EncodeDate(2025, 12, 8), EncodeDate(2026, 12, 8)),
              L"Week 50 of 2025 \u2013 week 50 of 2026");
    EXPECT_EQ(RangeLengthText(EncodeDate(2024, 2, 29), EncodeDate(2024, 2, 29), marked), L"1 day, 1 working day");
}

TEST(EventToolTip, EventLinesFitTheShellAndAreCutWithAnEllipsis) {
    const std::wstring date = DateToolTip(L"Kiv Calendar", L"", L"Friday, 25 December 2026", true);
    EXPECT_EQ(EventToolTip(date, {L"Christmas Day", L"", L"Family"}, 10), date + L"\rChristmas Day\rFamily");
    // 38 characters of date; the old shell has room for 25 more.
    const std::wstring cut = EventToolTip(date, {L"Christmas Day", L"A rather long name of an event"}, 4);
    EXPECT_EQ(cut, date + L"\rChristmas Day\rA rather \u2026");
    // A surrogate pair where the cut falls goes whole.
    std::wstring pair = L"Birthday ";
    pair += wchar_t(0xD83C);
    pair += wchar_t(0xDF82);
    pair += L" party";
    const std::wstring padded = date + std::wstring(13, L'.');
    EXPECT_EQ(EventToolTip(padded, {pair}, 4), padded + L"\rBirthday \u2026");
    // The date is never cut for an event.
    const std::wstring full(62, L'd');
    EXPECT_EQ(EventToolTip(full, {L"Event"}, 4), full);
    EXPECT_EQ(EventToolTip(std::wstring(200, L'd'), {L"Event"}, 10), std::wstring(127, L'd'));
}

}  // namespace
}  // namespace kiv
