// The stored settings as one table: each registry value with its stored
// form, the record field it holds and its default. Loading, saving and the
// options dialog's read-back all walk this table.
#pragma once

#include <array>
#include <cstdint>

#include "settings/calendar_settings.h"

namespace kiv {

// The entries, in the order the values are written. Stored data depends on
// the names and forms: never rename, reorder or re-type one.
enum class Setting : std::uint8_t {
    AlwaysOnTop,
    StartWithWindows,
    SingleClick,
    CloseOnEscape,
    MultiSelect,
    ShowDateInNotifyIcon,
    UseSmallNumbers,
    BoldNumbers,
    TransparentIcon,
    ColumnsIndex,
    FirstMonth,
    FirstDay,
    BackColor,
    TitleBackColor,
    TextColor,
    TitleTextColor,
    MonthBackColor,
    TrailingTextColor,
    NotifyIconColor,
    WeekNumbers,
    ShowOnlyCalendar,
    ShowToolbar,
    PrintBackgroundColors,
    UseHotkey,
    WinHotkey,
    Hotkey,
    LongDateFormat,
    LargeIcons,
};
inline constexpr int kSettingCount = 28;

// Every value is a REG_DWORD; the form says how the record's field maps to it.
enum class StoredForm : std::uint8_t {
    Flag,           // bool as 0 or 1; any non-zero reads as true
    Integer,        // int32 as is
    Color,          // a colour field as its 32-bit pattern
    CalendarColor,  // an entry of the calendar's colour set, by index
    ShortCutValue,  // 16-bit shortcut, zero-extended; only the low 16 bits read back
};

// Where a missing or unreadable value's replacement comes from.
enum class Fallback : std::uint8_t {
    Fixed,          // the entry's default value
    ReaderDefault,  // the registry reader's DefaultBool (false)
    Current,        // what the field holds when loading starts
};

class SettingField {
public:
    constexpr SettingField(bool CalendarSettings::*flag) noexcept : form_(StoredForm::Flag), flag_(flag) {}
    constexpr SettingField(std::int32_t CalendarSettings::*integer) noexcept
        : form_(StoredForm::Integer), integer_(integer) {}
    constexpr SettingField(TColor CalendarSettings::*color) noexcept : form_(StoredForm::Color), color_(color) {}
    constexpr SettingField(std::uint16_t CalendarSettings::*shortcut) noexcept
        : form_(StoredForm::ShortCutValue), shortcut_(shortcut) {}
    static constexpr SettingField CalendarColor(int index) noexcept { return SettingField(index); }

    constexpr StoredForm Form() const noexcept { return form_; }
    // The field as its stored 32-bit value. A calendar colour throws
    // std::logic_error while the record's colour set is not bound.
    std::int32_t Get(const CalendarSettings& settings) const;
    // Sets the field from a stored value; a calendar colour reaches the
    // colour set (and so the control) at once.
    void Set(CalendarSettings& settings, std::int32_t stored) const;

private:
    explicit constexpr SettingField(int colorIndex) noexcept
        : form_(StoredForm::CalendarColor), colorIndex_(colorIndex) {}

    StoredForm form_;
    bool CalendarSettings::*flag_ = nullptr;
    std::int32_t CalendarSettings::*integer_ = nullptr;
    TColor CalendarSettings::*color_ = nullptr;
    std::uint16_t CalendarSettings::*shortcut_ = nullptr;
    int colorIndex_ = -1;
};

struct SettingEntry {
    Setting id;
    const wchar_t* name;
    SettingField field;
    Fallback fallback;
    std::int32_t defaultValue;  // for Fallback::Fixed
    // Loading reads the values in the order of this number; it differs from
    // the written order only for the three integers.
    int loadPosition;
};

const std::array<SettingEntry, kSettingCount>& SettingsTable();
// Throws std::logic_error while the record's colour set is not bound.
void RequireColorSet(const CalendarSettings& settings);
const SettingEntry& SettingFor(Setting id);
// The entries in the order loading reads them.
const std::array<const SettingEntry*, kSettingCount>& SettingsLoadOrder();

}  // namespace kiv
