#include "app/main_marked_days_win.h"

#include <array>
#include <cstdint>
#include <span>

#include "app/local_time_win.h"
#include "calendar/date_format_win.h"
#include "markeddays/date_details.h"

namespace kiv {
namespace {
// Around the year on show: the months of a view that starts late in the
// year, and the grey days before and after it.
constexpr int kYearsBefore = 1;
constexpr int kYearsAfter = 1;

bool IsRange(bool multiSelect, TDateTime date, TDateTime endDate) {
    return multiSelect && DateOf(endDate) != DateOf(date);
}
}  // namespace

MainMarkedDays::MainMarkedDays(TYearCalendar& calendar) : calendar_(calendar), files_(LocalFromUtc) {}

void MainMarkedDays::Create(HWND selectedDateBox) { details_.Create(selectedDateBox); }

void MainMarkedDays::AnswerDayStates(int year, int month, MONTHDAYSTATE* states, int count) const {
    std::array<std::uint32_t, 64> masks{};
    const auto n = static_cast<std::size_t>(count) < masks.size() ? static_cast<std::size_t>(count) : masks.size();
    files_.Days().MonthStates(year, month, std::span<std::uint32_t>(masks.data(), n));
    for (std::size_t i = 0; i < n; ++i) states[i] = masks[i];
}

void MainMarkedDays::SetFiles(const std::vector<std::wstring>& paths, int currentYear) {
    if (files_.Days().LastYear() < files_.Days().FirstYear()) FollowYears(currentYear);
    files_.SetPaths(paths);
    calendar_.RefreshDayStates();
    UpdateDetails();
}

void MainMarkedDays::FollowYears(int viewYear) {
    const MarkedDays& days = files_.Days();
    if (days.FirstYear() <= viewYear - kYearsBefore && viewYear + kYearsAfter <= days.LastYear()) return;
    files_.SetYears(viewYear - kYearsBefore, viewYear + kYearsAfter);
    calendar_.RefreshDayStates();
}

bool MainMarkedDays::Refresh() {
    if (!files_.Refresh()) return false;
    calendar_.RefreshDayStates();
    UpdateDetails();
    return true;
}

void MainMarkedDays::UpdateDetails() {
    const TDateTime first = DateOf(calendar_.Date());
    const TDateTime last = DateOf(calendar_.EndDate());
    const MarkedDays& days = files_.Days();
    details_.SetText(IsRange(calendar_.MultiSelect(), first, last)
                         ? RangeDetailsText(LongDateText(first), LongDateText(last), first, last, days)
                         : DayDetailsText(LongDateText(first), first, days));
}

std::wstring MainMarkedDays::SelectionText() const {
    const TDateTime first = DateOf(calendar_.Date());
    const TDateTime last = DateOf(calendar_.EndDate());
    if (!IsRange(calendar_.MultiSelect(), first, last)) return ShortDateText(first);
    return ShortDateText(first) + L" \u2013 " + ShortDateText(last);
}

}  // namespace kiv
