// The user's preferences, held by the main window, edited by the options
// dialog and kept in the current user's registry.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "widgets/color.h"

namespace kiv {

class TMonthCalColors;

// The default hot key: Ctrl+Alt+C in the shortcut encoding (virtual key in
// bits 0-12, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt).
constexpr std::uint16_t kDefaultHotkey = 0xC043;

struct CalendarSettings {
    bool AlwaysOnTop = false;
    bool StartWithWindows = false;
    bool SingleClick = false;
    bool WeekNumbers = false;
    bool MultiSelect = false;
    bool ShowDateInNotifyIcon = true;
    bool TransparentIcon = false;
    bool UseSmallNumbers = true;
    bool BoldNumbers = false;
    bool PrintBackgroundColors = true;
    bool UseHotkey = false;
    bool WinHotkey = false;
    bool ShowToolbar = true;
    bool LongDateFormat = true;
    bool LargeIcons = false;
    bool CloseOnEscape = false;
    bool ShowOnlyCalendar = false;
    // Index into the column choices 1, 2, 3, 4, 6, 12.
    std::int32_t ColumnsIndex = 3;
    // 0 = the current month, 1..12 = January..December.
    std::int32_t FirstMonth = 1;
    // 0 = the locale's first day, 1..7 = Monday..Sunday.
    std::int32_t FirstDay = 0;
    // Not owned: the calendar control's own colour set, so setting an entry
    // recolours the control at once.
    TMonthCalColors* Colors = nullptr;
    TColor NotifyIconColor = kBlack;
    std::uint16_t Hotkey = kDefaultHotkey;
    // The calendar (.ics) files whose events mark days, as full paths, in
    // the order the user added them.
    std::vector<std::wstring> MarkedDayFiles;
};

}  // namespace kiv
