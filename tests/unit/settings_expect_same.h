// What both settings suites check against: the stored value names in the
// order they are written, and a field-by-field comparison of two records.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/calendar_settings.h"
#include "calendar/month_cal_colors.h"

namespace kiv::test {

// The stored layout, in the order the values are written.
inline const std::vector<std::wstring> kSaveOrder = {
    L"Always on top", L"Start with Windows", L"Single click", L"Close on Escape", L"Multiple day selection",
    L"Show date in tray bar icon", L"Use small numbers", L"Bold numbers", L"Transparent icon", L"Columns",
    L"First month", L"First day", L"Back color", L"Title back color", L"Text color", L"Title Text color",
    L"Month back color", L"Trailing text color", L"Notify icon color", L"Week numbers", L"Show only calendar",
    L"Toolbar", L"Print background colors", L"Use hotkey", L"Win hotkey", L"Hotkey",
    L"Tray icon long date format", L"Use large icons"};


inline void ExpectSameFields(const CalendarSettings& a, const CalendarSettings& b) {
    EXPECT_EQ(a.AlwaysOnTop, b.AlwaysOnTop);
    EXPECT_EQ(a.StartWithWindows, b.StartWithWindows);
    EXPECT_EQ(a.SingleClick, b.SingleClick);
    EXPECT_EQ(a.WeekNumbers, b.WeekNumbers);
    EXPECT_EQ(a.MultiSelect, b.MultiSelect);
    EXPECT_EQ(a.ShowDateInNotifyIcon, b.ShowDateInNotifyIcon);
    EXPECT_EQ(a.TransparentIcon, b.TransparentIcon);
    EXPECT_EQ(a.UseSmallNumbers, b.UseSmallNumbers);
    EXPECT_EQ(a.BoldNumbers, b.BoldNumbers);
    EXPECT_EQ(a.PrintBackgroundColors, b.PrintBackgroundColors);
    EXPECT_EQ(a.UseHotkey, b.UseHotkey);
    EXPECT_EQ(a.WinHotkey, b.WinHotkey);
    EXPECT_EQ(a.ShowToolbar, b.ShowToolbar);
    EXPECT_EQ(a.LongDateFormat, b.LongDateFormat);
    EXPECT_EQ(a.LargeIcons, b.LargeIcons);
    EXPECT_EQ(a.CloseOnEscape, b.CloseOnEscape);
    EXPECT_EQ(a.ShowOnlyCalendar, b.ShowOnlyCalendar);
    EXPECT_EQ(a.ColumnsIndex, b.ColumnsIndex);
    EXPECT_EQ(a.FirstMonth, b.FirstMonth);
    EXPECT_EQ(a.FirstDay, b.FirstDay);
    EXPECT_EQ(a.NotifyIconColor, b.NotifyIconColor);
    EXPECT_EQ(a.Hotkey, b.Hotkey);
    EXPECT_EQ(a.MarkedDayFiles, b.MarkedDayFiles);
    for (int i = 0; i < TMonthCalColors::kCount; ++i) EXPECT_EQ(a.Colors->Get(i), b.Colors->Get(i)) << "colour " << i;
}

}  // namespace kiv::test
