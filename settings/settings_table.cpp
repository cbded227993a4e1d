#include "settings/settings_table.h"

#include <algorithm>
#include <stdexcept>

#include "settings/settings_texts.h"
#include "calendar/month_cal_colors.h"

namespace kiv {
namespace {

namespace text = settings_text;
using S = CalendarSettings;
using C = TMonthCalColors;

TMonthCalColors& ColorSetOf(const CalendarSettings& settings) {
    RequireColorSet(settings);
    return *settings.Colors;
}

constexpr std::int32_t Stored(TColor color) noexcept { return static_cast<std::int32_t>(color); }

constexpr SettingEntry Fixed(Setting id, const wchar_t* name, SettingField field, std::int32_t value) {
    return {id, name, field, Fallback::Fixed, value, static_cast<int>(id)};
}
constexpr SettingEntry Unset(Setting id, const wchar_t* name, SettingField field, Fallback fallback) {
    return {id, name, field, fallback, 0, static_cast<int>(id)};
}
constexpr SettingEntry ReadAt(SettingEntry entry, int position) {
    entry.loadPosition = position;
    return entry;
}

using enum Setting;

const std::array<SettingEntry, kSettingCount> kTable = {{
    Fixed(AlwaysOnTop, text::kAlwaysOnTop, &S::AlwaysOnTop, false),
    Fixed(StartWithWindows, text::kStartWithWindows, &S::StartWithWindows, false),
    Fixed(SingleClick, text::kSingleClick, &S::SingleClick, false),
    Fixed(CloseOnEscape, text::kCloseOnEscape, &S::CloseOnEscape, false),
    Fixed(MultiSelect, text::kMultiSelect, &S::MultiSelect, false),
    Fixed(ShowDateInNotifyIcon, text::kShowDateInNotifyIcon, &S::ShowDateInNotifyIcon, true),
    Fixed(UseSmallNumbers, text::kUseSmallNumbers, &S::UseSmallNumbers, true),
    Fixed(BoldNumbers, text::kBoldNumbers, &S::BoldNumbers, false),
    Fixed(TransparentIcon, text::kTransparentIcon, &S::TransparentIcon, false),
    // The integers are written columns first, but read month, day, columns.
    ReadAt(Fixed(ColumnsIndex, text::kColumns, &S::ColumnsIndex, 3), 11),
    ReadAt(Fixed(FirstMonth, text::kFirstMonth, &S::FirstMonth, 1), 9),
    ReadAt(Fixed(FirstDay, text::kFirstDay, &S::FirstDay, 0), 10),
    Unset(BackColor, text::kBackColor, SettingField::CalendarColor(C::kBackColor), Fallback::Current),
    Unset(TitleBackColor, text::kTitleBackColor, SettingField::CalendarColor(C::kTitleBackColor), Fallback::Current),
    Unset(TextColor, text::kTextColor, SettingField::CalendarColor(C::kTextColor), Fallback::Current),
    Unset(TitleTextColor, text::kTitleTextColor, SettingField::CalendarColor(C::kTitleTextColor), Fallback::Current),
    Unset(MonthBackColor, text::kMonthBackColor, SettingField::CalendarColor(C::kMonthBackColor), Fallback::Current),
    Unset(TrailingTextColor, text::kTrailingTextColor, SettingField::CalendarColor(C::kTrailingTextColor),
          Fallback::Current),
    Unset(NotifyIconColor, text::kNotifyIconColor, &S::NotifyIconColor, Fallback::Current),
    Unset(WeekNumbers, text::kWeekNumbers, &S::WeekNumbers, Fallback::ReaderDefault),
    Fixed(ShowOnlyCalendar, text::kShowOnlyCalendar, &S::ShowOnlyCalendar, false),
    Fixed(ShowToolbar, text::kToolbar, &S::ShowToolbar, true),
    Fixed(PrintBackgroundColors, text::kPrintBackgroundColors, &S::PrintBackgroundColors, true),
    Unset(UseHotkey, text::kUseHotkey, &S::UseHotkey, Fallback::ReaderDefault),
    Unset(WinHotkey, text::kWinHotkey, &S::WinHotkey, Fallback::ReaderDefault),
    Fixed(Hotkey, text::kHotkey, &S::Hotkey, kDefaultHotkey),
    Fixed(LongDateFormat, text::kLongDateFormat, &S::LongDateFormat, true),
    Fixed(LargeIcons, text::kLargeIcons, &S::LargeIcons, false),
}};

}  // namespace

void RequireColorSet(const CalendarSettings& settings) {
    if (!settings.Colors) throw std::logic_error(text::kNoColorSet);
}

std::int32_t SettingField::Get(const CalendarSettings& settings) const {
    switch (form_) {
        case StoredForm::Flag: return settings.*flag_ ? 1 : 0;
        case StoredForm::Integer: return settings.*integer_;
        case StoredForm::Color: return Stored(settings.*color_);
        case StoredForm::CalendarColor: return Stored(ColorSetOf(settings).Get(colorIndex_));
        case StoredForm::ShortCutValue: return settings.*shortcut_;
    }
    return 0;
}

void SettingField::Set(CalendarSettings& settings, std::int32_t stored) const {
    switch (form_) {
        case StoredForm::Flag: settings.*flag_ = stored != 0; break;
        case StoredForm::Integer: settings.*integer_ = stored; break;
        case StoredForm::Color: settings.*color_ = static_cast<TColor>(stored); break;
        case StoredForm::CalendarColor: ColorSetOf(settings).Set(colorIndex_, static_cast<TColor>(stored)); break;
        case StoredForm::ShortCutValue: settings.*shortcut_ = static_cast<std::uint16_t>(stored & 0xFFFF); break;
    }
}

const std::array<SettingEntry, kSettingCount>& SettingsTable() { return kTable; }

const SettingEntry& SettingFor(Setting id) { return kTable[static_cast<size_t>(id)]; }

const std::array<const SettingEntry*, kSettingCount>& SettingsLoadOrder() {
    static const auto order = [] {
        std::array<const SettingEntry*, kSettingCount> out{};
        for (size_t i = 0; i < out.size(); ++i) out[i] = &kTable[i];
        std::sort(out.begin(), out.end(),
                  [](const SettingEntry* a, const SettingEntry* b) { return a->loadPosition < b->loadPosition; });
        return out;
    }();
    return order;
}

}  // namespace kiv
