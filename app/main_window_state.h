// What the main window keeps between events: the settings record it
// applies, the date it last looked at, and where it fits on the screen.
#pragma once

#include <cstdint>

#include "calendar/date_time.h"
#include "settings/calendar_settings.h"

namespace kiv {

struct MainWindowState {
    CalendarSettings Settings;
    std::uint16_t CurrentYear = 0;
    std::uint16_t CurrentMonth = 0;
    TDateTime TodayAtLastCheck = 0;
    TDateTime LastSelectedDate = 0;
    TDateTime CalendarToday = 0;  // today as the control marks it: the day it was laid out
    int TaskbarMarginX = 0;
    int TaskbarMarginY = 0;
    int FitLeft = 0;
    int FitTop = 0;
    bool ShowingYear = false;
    bool HiddenOnce = false;
};

}  // namespace kiv
