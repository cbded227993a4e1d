#include "options/options_layout.h"

#include <stdexcept>

namespace kiv {
namespace {

using enum Setting;
using K = OptionsItemKind;
using G = OptionsGroup;
namespace ids = options_ids;

constexpr wchar_t kPanelHint[] = L"Click to select color";

OptionsItem Check(Setting s, int left, int top, int width, const wchar_t* caption, const wchar_t* hint) {
    return {K::CheckBox, OptionsControlId(s), s, G::General, left, top, width, 17, caption, hint, {}};
}
OptionsItem List(Setting s, int left, int top, int width, const wchar_t* hint, std::vector<const wchar_t*> items) {
    return {K::List, OptionsControlId(s), s, G::General, left, top, width, 21, nullptr, hint, std::move(items)};
}
OptionsItem Label(int n, Setting s, G group, int left, int top, const wchar_t* caption, const wchar_t* hint) {
    return {K::Label, ids::kFirstLabel + n, s, group, left, top, 0, 13, caption, hint, {}};
}
OptionsItem Panel(Setting s, G group, int left, int top, int width, int height) {
    return {K::ColorPanel, OptionsControlId(s), s, group, left, top, width, height, nullptr, kPanelHint, {}};
}

std::vector<OptionsItem> Build() {
    constexpr wchar_t kColumnsHint[] = L"Default number of columns in the calendar";
    constexpr wchar_t kFirstDayHint[] = L"First day to display in each week";
    constexpr wchar_t kFirstMonthHint[] = L"First month displayed in the calendar";
    constexpr wchar_t kIconColorHint[] = L"Color for the date numbers (only for transparent icons)";
    return {
        {K::GroupBox, ids::kGeneral, std::nullopt, G::None, 10, 5, 476, 231, L"General", nullptr, {}},
        Check(AlwaysOnTop, 10, 20, 96, L"Always on top", L"Show application window on top of other applications"),
        Check(StartWithWindows, 10, 40, 146, L"Load on Windows startup",
              L"Run the application at session start (as taskbar icon)"),
        Check(ShowDateInNotifyIcon, 10, 60, 146, L"Show date in taskbar icon",
              L"Show the current date in the taskbar icon"),
        Check(UseSmallNumbers, 25, 80, 91, L"Small numbers", L"Use small numbers in the taskbar icon"),
        Check(BoldNumbers, 125, 80, 46, L"Bold", L"Show the numbers in bold (only for small numbers)"),
        Check(TransparentIcon, 25, 100, 86, L"Transparent", L"Show only the date numbers without decoration"),
        Label(0, NotifyIconColor, G::General, 125, 100, L"Font color:", kIconColorHint),
        Panel(NotifyIconColor, G::General, 180, 98, 31, 18),
        Check(LongDateFormat, 10, 120, 166, L"Long date format in the info tip",
              L"Show long date format in taskbar icon tooltip"),
        Check(WeekNumbers, 10, 140, 171, L"Show week numbers by default", L"Show week numbers in calendar by default"),
        Check(MultiSelect, 10, 160, 121, L"Multiple day selection", L"Allow selecting several days in the calendar"),
        Check(PrintBackgroundColors, 10, 180, 131, L"Print background colors",
              L"Include background colors when printing the calendar"),
        Label(1, ColumnsIndex, G::General, 10, 205, L"Default number of columns:", kColumnsHint),
        List(ColumnsIndex, 165, 200, 51, kColumnsHint, {L"1", L"2", L"3", L"4", L"6", L"12"}),
        Check(ShowOnlyCalendar, 240, 20, 161, L"Show only the calendar itself",
              L"Show only the calendar itself, without borders nor menu bar"),
        Check(ShowToolbar, 240, 40, 131, L"Show toolbar by default", L"Show the toolbar by default"),
        Check(LargeIcons, 255, 60, 101, L"Show large icons", L"Show large icons in the toolbar"),
        // Its hint is set when the form is created.
        Check(SingleClick, 240, 80, 211, L"Activate with single click in taskbar icon", nullptr),
        Check(CloseOnEscape, 240, 100, 151, L"Close calendar with Escape",
              L"Closes the calendar window when Escape is pressed (the taskbar icon remains active)"),
        Check(UseHotkey, 240, 120, 116, L"Activate with hotkey:", L"Assign a hotkey for displaying the calendar window"),
        Check(WinHotkey, 255, 145, 51, L"Win +", nullptr),
        {K::HotKey, OptionsControlId(Hotkey), Hotkey, G::General, 310, 143, 156, 19, nullptr, nullptr, {}},
        Label(2, FirstDay, G::General, 240, 175, L"First day of the week:", kFirstDayHint),
        List(FirstDay, 355, 170, 111, kFirstDayHint,
             {L"(Windows default)", L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday",
              L"Sunday"}),
        Label(3, FirstMonth, G::General, 240, 205, L"First month displayed:", kFirstMonthHint),
        List(FirstMonth, 355, 200, 111, kFirstMonthHint,
             {L"(Current month)", L"January", L"February", L"March", L"April", L"May", L"June", L"July", L"August",
              L"September", L"October", L"November", L"December"}),

        {K::GroupBox, ids::kColors, std::nullopt, G::None, 10, 245, 476, 136, L"Colors", nullptr, {}},
        Label(4, BackColor, G::Colors, 15, 25, L"Background color:", nullptr),
        Panel(BackColor, G::Colors, 160, 20, 51, 21),
        Label(5, TextColor, G::Colors, 275, 25, L"Font color:", nullptr),
        Panel(TextColor, G::Colors, 385, 20, 51, 21),
        Label(6, TitleBackColor, G::Colors, 15, 50, L"Title background color:", nullptr),
        Panel(TitleBackColor, G::Colors, 160, 45, 51, 21),
        Label(7, TitleTextColor, G::Colors, 275, 50, L"Title font color:", nullptr),
        Panel(TitleTextColor, G::Colors, 385, 45, 51, 21),
        Label(8, MonthBackColor, G::Colors, 15, 75, L"Month background color:", nullptr),
        Panel(MonthBackColor, G::Colors, 160, 70, 51, 21),
        Label(9, TrailingTextColor, G::Colors, 275, 75, L"Trailing font color:", nullptr),
        Panel(TrailingTextColor, G::Colors, 385, 70, 51, 21),
        {K::Note, ids::kVista, std::nullopt, G::Colors, 15, 100, 426, 26,
         L"Note: Color settings except Background don't have effect in Windows Vista if you have the Aero theme "
         L"selected (due to Aero's enhanced calendar view).",
         nullptr, {}},

        {K::GroupBox, ids::kMarkedDays, std::nullopt, G::None, 10, 390, 476, 125, L"Marked days", nullptr, {}},
        {K::FileList, ids::kMarkedFiles, std::nullopt, G::MarkedDays, 10, 20, 366, 95, nullptr,
         L"Calendar (.ics) files whose events are shown in bold", {}},
        {K::Button, ids::kAddFile, std::nullopt, G::MarkedDays, 386, 20, 80, 26, L"&Add...",
         L"Add calendar files, such as a list of public holidays", {}},
        {K::Button, ids::kRemoveFile, std::nullopt, G::MarkedDays, 386, 52, 80, 26, L"Re&move",
         L"Remove the selected file from the list", {}},

        {K::Button, ids::kRestore, std::nullopt, G::None, 10, 524, 121, 26, L"&Restore default colors",
         L"Restore the default colors of the calendar as defined in the desktop color settings", {}},
        {K::Button, ids::kOk, std::nullopt, G::None, 320, 524, 75, 26, L"&OK", nullptr, {}},
        {K::Button, ids::kCancel, std::nullopt, G::None, 410, 524, 75, 26, L"&Cancel", nullptr, {}},
    };
}

}  // namespace

const std::vector<OptionsItem>& OptionsLayout() {
    static const std::vector<OptionsItem> layout = Build();
    return layout;
}

const OptionsItem& OptionsGroupBox(OptionsGroup group) {
    const int id = group == OptionsGroup::General  ? ids::kGeneral
                   : group == OptionsGroup::Colors ? ids::kColors
                                                   : ids::kMarkedDays;
    for (const OptionsItem& item : OptionsLayout())
        if (item.id == id) return item;
    throw std::logic_error("No such group box");
}

}  // namespace kiv
