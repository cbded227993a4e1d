#include "app/year_view.h"

#include <cmath>
#include <cwchar>

#include "app/app_texts.h"
#include "widgets/number_text.h"

namespace kiv {
namespace {
CivilDate LastDayOf(int year, int month) noexcept { return {year, month, DaysInMonth(year, month)}; }

// Years outside the calendar's span are pulled back to its ends, so that a view
// that would run past 9999 (or start before 1753) stops at the boundary.
TDateTime ClampedEncode(const CivilDate& d) {
    if (d.year > kLastYear) return EncodeDate(kLastYear, 12, 31);
    if (d.year < kFirstYear) return EncodeDate(kFirstYear, 1, 1);
    return EncodeDate(d);
}
}  // namespace

bool IsYearInRange(int year) noexcept { return year >= kFirstYear && year <= kLastYear; }

int EffectiveFirstMonth(int firstMonthSetting, int currentMonth) noexcept {
    return firstMonthSetting >= 1 && firstMonthSetting <= 12 ? firstMonthSetting : currentMonth;
}

CivilDate DayInYear(int year, int month, int day) noexcept {
    const int last = DaysInMonth(year, month);
    return {year, month, day > last ? last : day};
}

int ViewYearOf(TDateTime date, int firstMonth) noexcept {
    const CivilDate d = DecodeDate(date);
    return d.month >= firstMonth ? d.year : d.year - 1;
}

DateRange TwelveMonths(int year, int firstMonth) {
    CivilDate first, last;
    if (firstMonth == 1) {
        first = {year, 1, 1};
        last = {year, 12, 31};
    } else {
        first = {year, firstMonth, 1};
        last = LastDayOf(year + 1, firstMonth - 1);
    }
    return {ClampedEncode(first), ClampedEncode(last)};
}

ShowYearPlan PlanShowYear(const ShowYearInput& in) {
    ShowYearPlan plan;
    const int firstMonth = EffectiveFirstMonth(in.firstMonthSetting, in.currentMonth);
    int year = in.requestedYear;
    TDateTime target = 0;
    if (year == kTodayYear) {
        target = EncodeDate(in.today);
        year = ViewYearOf(target, firstMonth);
    } else {
        if (!IsYearInRange(year)) {
            plan.outOfRange = true;
            year = in.currentYear;
        }
        const CivilDate remembered = DecodeDate(in.lastSelected);
        target = EncodeDate(DayInYear(year, remembered.month, remembered.day));
    }
    plan.year = year;
    plan.firstMonth = firstMonth;
    plan.range = TwelveMonths(year, firstMonth);
    plan.selected = plan.range.contains(target) ? target : plan.range.first;
    return plan;
}

SelectionFollow FollowSelection(TDateTime controlDate, int yearBoxNumber, int firstMonth, bool showingYear,
                                TDateTime lastSelected, TDateTime minDate, TDateTime maxDate) {
    SelectionFollow follow;
    const int view = ViewYearOf(controlDate, firstMonth);
    if (view == yearBoxNumber || showingYear) return follow;
    follow.yearBox = view;
    if (DateOf(controlDate) != DateOf(lastSelected)) {
        const CivilDate remembered = DecodeDate(lastSelected);
        const int year = remembered.month >= firstMonth ? view : view + 1;
        const auto moved = TryEncodeDate(year, remembered.month,
                                         DayInYear(year, remembered.month, remembered.day).day);
        if (moved && (minDate == 0 || *moved >= minDate) && (maxDate == 0 || *moved <= maxDate))
            follow.select = *moved;
    }
    return follow;
}

std::optional<std::wstring> SelectedDaysText(bool multiSelect, TDateTime date, TDateTime endDate) {
    // Whole days: the start may still carry the time of day it was created with.
    if (!multiSelect || DateOf(endDate) == DateOf(date)) return std::nullopt;
    const long days = std::lround(DateOf(endDate) - DateOf(date)) + 1;
    wchar_t buffer[64];
    std::swprintf(buffer, sizeof buffer / sizeof buffer[0], texts::kSelectedDaysFormat, static_cast<int>(days));
    return std::wstring(buffer);
}

DayChange CheckDayChange(TDateTime today, TDateTime todayAtLastCheck, TDateTime controlDate) noexcept {
    if (DateOf(today) == DateOf(todayAtLastCheck)) return DayChange::None;
    return DateOf(controlDate) == DateOf(todayAtLastCheck) ? DayChange::ShowToday : DayChange::RedrawToday;
}

int ParseYearAnswer(const std::wstring& text) noexcept {
    std::wstring_view answer(text);
    // Blanks typed before the number are forgiven; anything else makes it none.
    while (!answer.empty() && answer.front() == L' ') answer.remove_prefix(1);
    return NumberFromTextOrZero(answer);
}

}  // namespace kiv
