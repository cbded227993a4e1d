// Loading and saving the settings record in the current user's registry.
#pragma once

#include <windows.h>

#include <string>

#include "settings/calendar_settings.h"

namespace kiv {

// Fills settings from the settings key (opened read-only); missing or
// unreadable values give their defaults. Other failures propagate for the
// caller to show.
void ReadSettingsFromRegistry(CalendarSettings& settings);

// Writes settings and the start-up entry; any failure is shown in an error
// box owned by owner, and nothing propagates.
void SaveSettings(HWND owner, const CalendarSettings& settings) noexcept;

// The full path of this program file.
std::wstring ProgramPath();

}  // namespace kiv
