// The days the user's calendar files mark: following the files and the
// years on show, answering the calendar's day-state requests, the details
// of the selected date, and copying the selection.
#include <array>
#include <cstdint>
#include <filesystem>
#include <span>

#include "app/main_window_win.h"
#include "calendar/date_format_win.h"
#include "markeddays/date_details.h"
#include "widgets/clipboard_win.h"

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

void TfMain_calendar::AnswerDayStates(int year, int month, MONTHDAYSTATE* states, int count) const {
    std::array<std::uint32_t, 64> masks{};
    const auto n = static_cast<std::size_t>(count) < masks.size() ? static_cast<std::size_t>(count) : masks.size();
    markedFiles_.Days().MonthStates(year, month, std::span<std::uint32_t>(masks.data(), n));
    for (std::size_t i = 0; i < n; ++i) states[i] = masks[i];
}

void TfMain_calendar::ApplyMarkedDayFiles() {
    if (markedFiles_.Days().LastYear() < markedFiles_.Days().FirstYear()) FollowMarkedYears(state_.CurrentYear);
    std::vector<std::filesystem::path> paths(state_.Settings.MarkedDayFiles.begin(),
                                             state_.Settings.MarkedDayFiles.end());
    markedFiles_.SetPaths(paths);
    calendar_.RefreshDayStates();
    UpdateDateDetails();
    UpdateNotifyIcon();
}

void TfMain_calendar::FollowMarkedYears(int viewYear) {
    const MarkedDays& days = markedFiles_.Days();
    if (days.FirstYear() <= viewYear - kYearsBefore && viewYear + kYearsAfter <= days.LastYear()) return;
    markedFiles_.SetYears(viewYear - kYearsBefore, viewYear + kYearsAfter);
    calendar_.RefreshDayStates();
}

bool TfMain_calendar::RefreshMarkedDays() {
    if (!markedFiles_.Refresh()) return false;
    calendar_.RefreshDayStates();
    UpdateDateDetails();
    return true;
}

void TfMain_calendar::UpdateDateDetails() {
    const TDateTime first = DateOf(calendar_.Date());
    const TDateTime last = DateOf(calendar_.EndDate());
    const MarkedDays& days = markedFiles_.Days();
    dateDetails_.SetText(IsRange(calendar_.MultiSelect(), first, last)
                             ? RangeDetailsText(LongDateText(first), LongDateText(last), first, last, days)
                             : DayDetailsText(LongDateText(first), first, days));
}

std::wstring TfMain_calendar::SelectionText() const {
    const TDateTime first = DateOf(calendar_.Date());
    const TDateTime last = DateOf(calendar_.EndDate());
    if (!IsRange(calendar_.MultiSelect(), first, last)) return ShortDateText(first);
    return ShortDateText(first) + L" \u2013 " + ShortDateText(last);
}

void TfMain_calendar::CopySelection() { CopyTextToClipboard(hwnd(), SelectionText()); }

bool TfMain_calendar::KeepKeyFromShortcuts(const MSG& msg) const {
    // In the year box the editing keys edit the year.
    if (msg.message != WM_KEYDOWN || !toolbar_.edYear.hwnd() || msg.hwnd != toolbar_.edYear.hwnd()) return false;
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return false;
    switch (msg.wParam) {
        case 'A':
        case 'C':
        case 'V':
        case 'X':
        case 'Z': return true;
        default: return false;
    }
}

}  // namespace kiv
