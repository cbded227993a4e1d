// Registry key and value names of the settings, and the messages of a
// failed save. Stored data depends on the names: never change one.
#pragma once

namespace kiv::settings_text {

inline constexpr wchar_t kSettingsKey[] = L"Software\\Kiv Soft\\Calendar";
// The start-up list; the program's value there is named after the application title.
inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kQuietSwitch[] = L"-quiet";

inline constexpr wchar_t kAlwaysOnTop[] = L"Always on top";
inline constexpr wchar_t kStartWithWindows[] = L"Start with Windows";
inline constexpr wchar_t kSingleClick[] = L"Single click";
inline constexpr wchar_t kCloseOnEscape[] = L"Close on Escape";
inline constexpr wchar_t kMultiSelect[] = L"Multiple day selection";
inline constexpr wchar_t kShowDateInNotifyIcon[] = L"Show date in tray bar icon";
inline constexpr wchar_t kUseSmallNumbers[] = L"Use small numbers";
inline constexpr wchar_t kBoldNumbers[] = L"Bold numbers";
inline constexpr wchar_t kTransparentIcon[] = L"Transparent icon";
inline constexpr wchar_t kColumns[] = L"Columns";
inline constexpr wchar_t kFirstMonth[] = L"First month";
inline constexpr wchar_t kFirstDay[] = L"First day";
inline constexpr wchar_t kBackColor[] = L"Back color";
inline constexpr wchar_t kTitleBackColor[] = L"Title back color";
inline constexpr wchar_t kTextColor[] = L"Text color";
inline constexpr wchar_t kTitleTextColor[] = L"Title Text color";
inline constexpr wchar_t kMonthBackColor[] = L"Month back color";
inline constexpr wchar_t kTrailingTextColor[] = L"Trailing text color";
inline constexpr wchar_t kNotifyIconColor[] = L"Notify icon color";
inline constexpr wchar_t kWeekNumbers[] = L"Week numbers";
inline constexpr wchar_t kShowOnlyCalendar[] = L"Show only calendar";
inline constexpr wchar_t kToolbar[] = L"Toolbar";
inline constexpr wchar_t kPrintBackgroundColors[] = L"Print background colors";
inline constexpr wchar_t kUseHotkey[] = L"Use hotkey";
inline constexpr wchar_t kWinHotkey[] = L"Win hotkey";
inline constexpr wchar_t kHotkey[] = L"Hotkey";
inline constexpr wchar_t kLongDateFormat[] = L"Tray icon long date format";
inline constexpr wchar_t kLargeIcons[] = L"Use large icons";
// A REG_MULTI_SZ of full paths, written after the others; absent when there are none.
inline constexpr wchar_t kMarkedDayFiles[] = L"Marked day files";

// The messages of a failed save (UTF-8, like an exception's message).
inline constexpr char kOperationAborted[] = "Operation aborted";
// A bare carriage return breaks the line in a message box.
inline constexpr char kWriteFailed[] =
    "Error while writing in the Windows Registry.\rCheck that you have the proper rights.";
inline constexpr char kNoColorSet[] = "The settings have no calendar colour set";

}  // namespace kiv::settings_text
