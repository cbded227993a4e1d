// Reads a running copy's year display from outside, as its user sees it:
// the year box, the months the calendar shows, its selection and focus.
#pragma once

#include <windows.h>

#include <string>

namespace kiv::e2e {

class CalendarProbe {
public:
    explicit CalendarProbe(HWND mainWindow);
    ~CalendarProbe();
    CalendarProbe(const CalendarProbe&) = delete;
    CalendarProbe& operator=(const CalendarProbe&) = delete;

    // The visible month-calendar control; a new one after each re-creation.
    HWND control() const;
    bool hasFocus() const;
    // The toolbar's year box and its text.
    HWND yearBoxControl() const;
    std::wstring yearBox() const;
    // The selected day as "2026-12-30", "" when the control cannot be read.
    std::string selection() const;
    // The months on show, as "2026-07..2027-06".
    std::string visibleMonths() const;

private:
    // The control's date messages write into memory of its own process.
    bool ask(UINT message, WPARAM wp, SYSTEMTIME (&answer)[2]) const;

    HWND window_;
    HANDLE process_ = nullptr;
    void* remote_ = nullptr;
};

}  // namespace kiv::e2e
