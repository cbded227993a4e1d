// Putting a year on the calendar, following its selection, and the day change.
#include "app/app_texts.h"
#include "calendar/date_format_win.h"
#include "app/main_window_win.h"
#include "app/year_view.h"
#include "widgets/flag_scope.h"
#include "widgets/message_box_win.h"

namespace kiv {
namespace {
// True when the control already shows the plan as it would be laid out.
bool CalendarShows(const TYearCalendar& calendar, const DateRange& range, TDateTime selected, TDateTime today,
                   TDateTime calendarToday) {
    // The control marks today as of its creation; a new day needs a new control.
    if (!calendar.hwnd() || calendarToday != today) return false;
    if (calendar.MinDate() != EncodeDate(kFirstYear, 1, 1) || calendar.MaxDate() != EncodeDate(kLastYear, 12, 31))
        return false;
    const TDateTime day = DateOf(calendar.Date());
    if (day != DateOf(selected) || (calendar.MultiSelect() && DateOf(calendar.EndDate()) != day)) return false;
    const auto shown = calendar.VisibleMonths();
    return shown && shown->first == range.first && shown->last == range.last;
}
}  // namespace


void TfMain_calendar::ShowYear(int year) {
    FlagScope showing(state_.ShowingYear);
    ShowYearInput in;
    in.requestedYear = year;
    in.firstMonthSetting = state_.Settings.FirstMonth;
    in.currentMonth = state_.CurrentMonth;
    in.currentYear = state_.CurrentYear;
    in.today = DecodeDate(clock_.Today());
    in.lastSelected = state_.LastSelectedDate;
    const ShowYearPlan plan = PlanShowYear(in);
    if (plan.outOfRange)
        ShowMessageBox(hwnd(), texts::kYearOutOfRange, texts::kYearOutOfRangeCaption, MB_OK | MB_ICONERROR);

    viewFirstMonth_ = plan.firstMonth;
    markedDays_.FollowYears(plan.year);
    toolbar_.edYear.SetNumber(plan.year);
    toolbar_.edYear.SelectAll();

    const TDateTime today = clock_.Today();
    if (CalendarShows(calendar_, plan.range, plan.selected, today, state_.CalendarToday)) {
        // Shown again as it stands (a show from the tray, the same year
        // asked for again): laying the control out afresh would change nothing.
        toolbar_.edSelectedDate.SetText(ShortDateText(calendar_.Date()));
        state_.LastSelectedDate = DateOf(calendar_.Date());
        return;
    }

    const bool multiSelect = calendar_.MultiSelect();
    calendar_.SetMultiSelect(false);
    calendar_.SetMinDate(plan.range.first);
    calendar_.SetMaxDate(plan.range.last);
    calendar_.SetDate(plan.selected);
    toolbar_.edSelectedDate.SetText(ShortDateText(calendar_.Date()));
    // Created afresh with the twelve months as its range, the control lays
    // them out from the first month; widening the range afterwards keeps that.
    calendar_.SetMultiSelect(multiSelect);
    // While the window is being built the control was made a moment ago and
    // is only scrolled to the range; it is laid out afresh when the window is
    // first shown if anything differs then (a -quiet start shown on a later day).
    if (!multiSelect && !creating_) calendar_.RecreateCalendar();
    // A new control starts at today's month on some systems; scroll it to the range.
    calendar_.ShowMonths(plan.range.first, plan.range.last);
    calendar_.SetMinDate(EncodeDate(kFirstYear, 1, 1));
    calendar_.SetMaxDate(EncodeDate(kLastYear, 12, 31));
    state_.LastSelectedDate = DateOf(calendar_.Date());
    markedDays_.UpdateDetails();
    state_.CalendarToday = today;
}

void TfMain_calendar::UpdateSelectedDate() {
    const SelectionFollow follow =
        FollowSelection(calendar_.Date(), toolbar_.edYear.Number(), viewFirstMonth_, state_.ShowingYear, state_.LastSelectedDate,
                        calendar_.MinDate(), calendar_.MaxDate());
    if (follow.yearBox) toolbar_.edYear.SetNumber(*follow.yearBox);
    if (follow.select) {
        calendar_.SetDate(*follow.select);
        calendar_.SetEndDate(*follow.select);
    }
    if (follow.yearBox) {
        // The control scrolls only as far as the new selection needs (a grey
        // day moves it by a month): the panes are laid out as the view again.
        markedDays_.FollowYears(*follow.yearBox);
        const DateRange view = TwelveMonths(*follow.yearBox, viewFirstMonth_);
        calendar_.ShowMonths(view.first, view.last);
    }
    // Written last: the box describes the selection where it ended up.
    const auto days = SelectedDaysText(calendar_.MultiSelect(), calendar_.Date(), calendar_.EndDate());
    toolbar_.edSelectedDate.SetText(days ? *days : ShortDateText(calendar_.Date()));
    state_.LastSelectedDate = DateOf(calendar_.Date());
    markedDays_.UpdateDetails();
    calendar_.SetExplicitSelect(false);
}

void TfMain_calendar::OnTimer() {
    // The error box of a failed tick runs a message loop that goes on
    // delivering ticks: they wait until the box is closed.
    if (tickRunning_) return;
    FlagScope running(tickRunning_);
    Guarded([this] { TimerTick(); });
}

void TfMain_calendar::TimerTick() {
    // Before the icon: today's events are part of its tooltip.
    RefreshMarkedDays();
    UpdateNotifyIcon();
    // Inside a box of this window a year may be half put on the calendar,
    // with a plan made before the box opened: the year waits for a later tick.
    if (state_.ShowingYear || OpenModalBoxes() > 0) return;
    const TDateTime today = clock_.Today();
    const CivilDate d = DecodeDate(today);
    state_.CurrentYear = static_cast<std::uint16_t>(d.year);
    // Kept fresh too: "the current month" as first month must not go stale
    // in a program that runs for months.
    state_.CurrentMonth = static_cast<std::uint16_t>(d.month);
    switch (CheckDayChange(today, state_.TodayAtLastCheck, calendar_.Date())) {
        case DayChange::None: return;
        case DayChange::ShowToday: ShowYear(kTodayYear); break;
        case DayChange::RedrawToday:
            calendar_.RecreateCalendar();
            state_.CalendarToday = today;
            break;
    }
    state_.TodayAtLastCheck = today;
}

bool TfMain_calendar::RefreshMarkedDays() { return markedDays_.Refresh(); }

}  // namespace kiv
