// The main window's part for the days the user's calendar files mark: it
// follows the files and the years on show, answers the calendar's day-state
// requests from its index, and keeps the selected date's details tooltip.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/date_details_tip_win.h"
#include "calendar/year_calendar_win.h"
#include "markeddays/marked_files.h"

namespace kiv {

class MainMarkedDays {
public:
    explicit MainMarkedDays(TYearCalendar& calendar);

    // The tooltip goes over the selected-date box.
    void Create(HWND selectedDateBox);
    // Reads the files the settings name, around the year on show.
    void SetFiles(const std::vector<std::wstring>& paths, int currentYear);
    // Indexes the years around the view year when it leaves those indexed.
    void FollowYears(int viewYear);
    // Re-reads the files that changed; true when anything did.
    bool Refresh();
    // Writes the selection's details into the tooltip.
    void UpdateDetails();
    void AnswerDayStates(int year, int month, MONTHDAYSTATE* states, int count) const;
    // The selection as text: the short date, or "first – last" for a range.
    std::wstring SelectionText() const;

    MarkedDayFiles& Files() noexcept { return files_; }
    const DateDetailsTip& Details() const noexcept { return details_; }
    DateDetailsTip& Details() noexcept { return details_; }

private:
    TYearCalendar& calendar_;
    MarkedDayFiles files_;
    DateDetailsTip details_;
};

}  // namespace kiv
