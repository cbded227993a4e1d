#include "calendar/month_cal_rules.h"

#include <cmath>

namespace kiv {

TDateTime TimeOf(TDateTime value) noexcept { return std::fabs(value - std::trunc(value)); }

TDateTime WithTimeOf(TDateTime day, TDateTime timeSource) noexcept {
    // Before day 0 the fraction counts away from zero: -1.25 is 29 Dec 1899, 6:00.
    const TDateTime whole = DateOf(day);
    const TDateTime time = TimeOf(timeSource);
    return whole < 0 ? whole - time : whole + time;
}

int DayOfWeekFromSunday(TDateTime value) noexcept {
    // Day 0, 30 December 1899, was a Saturday.
    const long long days = static_cast<long long>(DateOf(value));
    return static_cast<int>(((days + 6) % 7 + 7) % 7);
}

TDateTime EndOfMonthAfter(TDateTime day, int months) noexcept {
    const CivilDate d = DecodeDate(day);
    const int index = d.year * 12 + d.month - 1 + months;
    const int year = index / 12, month = index % 12 + 1;
    if (year > 9999) return *TryEncodeDate(9999, 12, 31);
    return TryEncodeDate(year, month, DaysInMonth(year, month)).value_or(day);
}

BoundCheck CheckBounds(TDateTime value, TDateTime minDate, TDateTime maxDate) noexcept {
    const TDateTime day = DateOf(value);
    if (minDate != 0 && day < DateOf(minDate)) return BoundCheck::kBeforeMinimum;
    if (maxDate != 0 && day > DateOf(maxDate)) return BoundCheck::kAfterMaximum;
    return BoundCheck::kInside;
}

CalendarSelection ClampSelection(CalendarSelection current, TDateTime minDate, TDateTime maxDate) noexcept {
    auto clampDay = [&](TDateTime day) {
        if (minDate != 0 && DateOf(day) < DateOf(minDate)) return DateOf(minDate);
        if (maxDate != 0 && DateOf(day) > DateOf(maxDate)) return DateOf(maxDate);
        return DateOf(day);
    };
    CalendarSelection out = current;
    const TDateTime day = clampDay(current.date);
    if (day != DateOf(current.date)) out.date = WithTimeOf(day, current.date);
    if (current.endDate != 0) out.endDate = clampDay(current.endDate);
    return out;
}

CalendarSelection SelectionFromNotification(CalendarSelection current, bool multiSelect,
                                            std::optional<CivilDate> start, std::optional<CivilDate> end) {
    CalendarSelection out = current;
    if (start) {
        if (auto day = TryEncodeDate(start->year, start->month, start->day)) out.date = *day;
    }
    if (multiSelect && end) {
        if (auto day = TryEncodeDate(end->year, end->month, end->day)) out.endDate = *day;
    }
    return out;
}

bool IsValidFirstDayOfWeek(int day) noexcept { return day >= 0 && day <= kLocaleFirstDayOfWeek; }

int FirstDayFromLocaleDigit(std::wstring_view text) noexcept {
    if (text.size() != 1 || text[0] < L'0' || text[0] > L'6') return 0;
    return text[0] - L'0';
}

}  // namespace kiv
