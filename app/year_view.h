// The rules of the year display: which twelve months are shown, which day is
// selected, how the selection carries into another year, and the texts.
#pragma once

#include <optional>
#include <string>

#include "calendar/date_time.h"

namespace kiv {

constexpr int kFirstYear = 1753;
constexpr int kLastYear = 9999;
constexpr int kTodayYear = -1;  // ShowYear's "the year and day of today"

bool IsYearInRange(int year) noexcept;

// FirstMonth 1..12 is a month; anything else means the current month.
int EffectiveFirstMonth(int firstMonthSetting, int currentMonth) noexcept;

// month/day in year, 29 February falling back to the 28th in a common year.
CivilDate DayInYear(int year, int month, int day) noexcept;

struct DateRange {
    TDateTime first = 0;
    TDateTime last = 0;
    bool contains(TDateTime d) const noexcept { return d >= first && d <= last; }
};

// A view is named after the year of its first month: a date belongs to the
// view of its own year from firstMonth on, else to the one before.
int ViewYearOf(TDateTime date, int firstMonth) noexcept;

// The view's twelve whole months from firstMonth of year, kept inside 1753..9999.
DateRange TwelveMonths(int year, int firstMonth);

struct ShowYearPlan {
    int year = 0;                 // the view shown (the current year after a bad one)
    int firstMonth = 1;           // the month the view starts with
    bool outOfRange = false;      // the "Date out of range" box is due
    DateRange range;              // the control's minimum and maximum
    TDateTime selected = 0;       // the control's date
};

struct ShowYearInput {
    int requestedYear = kTodayYear;
    int firstMonthSetting = 1;
    int currentMonth = 1;
    int currentYear = 2000;
    CivilDate today;
    TDateTime lastSelected = 0;
};

ShowYearPlan PlanShowYear(const ShowYearInput& in);

// What the window does when the control's selection moves.
struct SelectionFollow {
    std::optional<int> yearBox;        // new year box number
    std::optional<TDateTime> select;   // new date and end date of the control
};

// A selection that moved into another view takes the year box along, and
// moves on to the remembered month and day in that view.
SelectionFollow FollowSelection(TDateTime controlDate, int yearBoxNumber, int firstMonth, bool showingYear,
                                TDateTime lastSelected, TDateTime minDate, TDateTime maxDate);

// The selected-date box for a range of more than one day; nullopt means the
// box shows the date itself.
std::optional<std::wstring> SelectedDaysText(bool multiSelect, TDateTime date, TDateTime endDate);

enum class DayChange { None, ShowToday, RedrawToday };

// The timer's decision when it looks at the clock.
DayChange CheckDayChange(TDateTime today, TDateTime todayAtLastCheck, TDateTime controlDate) noexcept;

// The "Go to year" answer as a decimal number, 0 when it is none.
int ParseYearAnswer(const std::wstring& text) noexcept;

}  // namespace kiv
