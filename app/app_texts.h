// The program's names and fixed texts, in one place.
#pragma once

#include "resources/product.h"

namespace kiv::texts {

inline constexpr const wchar_t* kApplicationTitle = product::kName;
inline constexpr const wchar_t* kMainWindowClass = L"TfMain_calendar";
inline constexpr const wchar_t* kMutexSuffix = L" - Kiv";
inline constexpr const wchar_t* kActivationMessage = L"Kivsoft - activate previous instance";
inline constexpr const wchar_t* kQuietSwitch = L"-quiet";
inline constexpr const wchar_t* kTaskbarClass = L"Shell_TrayWnd";
inline constexpr const wchar_t* kTrayNotifyClass = L"TrayNotifyWnd";

inline constexpr const wchar_t* kYearOutOfRange = L"The year must be a number between 1753 and 9999.";
inline constexpr const wchar_t* kYearOutOfRangeCaption = L"Date out of range";
inline constexpr const wchar_t* kSelectedDaysFormat = L"(%d days)";

inline constexpr const wchar_t* kGoToYearCaption = L"Go to year";
inline constexpr const wchar_t* kGoToYearPrompt = L"Enter the year that you want to be displayed:";

inline constexpr const wchar_t* kErrorCaption = L"Error";
inline constexpr const wchar_t* kHotKeyInUse = L"The selected hot key is already used by other program.";

inline constexpr const wchar_t* kPrintQuestion = L"Do you want to print the current calendar view?";
inline constexpr const wchar_t* kPrintCaption = L"Print";
inline constexpr const wchar_t* kNoDefaultPrinter = L"There is no default printer currently selected";

// Set-up failures of the main window, as exception messages (UTF-8).
inline constexpr const char* kNoTimer = "Cannot start the timer that follows the change of day";
inline constexpr const char* kNoShortcuts = "Cannot create the keyboard shortcuts";
inline constexpr const char* kNoMenu = "Cannot create the menu";

// Toolbar.
inline constexpr const wchar_t* kHintToday = L"Today";
inline constexpr const wchar_t* kHintGoToYear = L"Go to the year in the text box";
inline constexpr const wchar_t* kHintOptions = L"Options";
inline constexpr const wchar_t* kHintExit = L"Exit";
inline constexpr const wchar_t* kYearLabel = L"Year";
inline constexpr const wchar_t* kSelectedDateLabel = L"Selected date";
inline constexpr const wchar_t* kSpacerCaption = L"     ";

}  // namespace kiv::texts
