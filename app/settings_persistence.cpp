#include "app/settings_persistence.h"

#include <stdexcept>

#include "app/registry_default.h"
#include "app/settings_texts.h"
#include "calendar/month_cal_colors.h"

namespace kiv {
namespace {

namespace text = settings_text;

class KeyCloser {
public:
    explicit KeyCloser(RegistryStore& store) noexcept : store_(store) {}
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;
    ~KeyCloser() { store_.CloseKey(); }

private:
    RegistryStore& store_;
};

TMonthCalColors& ColorSetOf(const CalendarSettings& settings) {
    if (!settings.Colors) throw std::logic_error(text::kNoColorSet);
    return *settings.Colors;
}

// Colours are stored as their 32-bit pattern, system colours with the top bit set.
std::int32_t Stored(TColor color) { return static_cast<std::int32_t>(color); }
TColor ColorOf(std::int32_t stored) { return static_cast<TColor>(stored); }

// A stored system colour that names no system colour reads as the default.
TColor ReadColorValue(TRegistryDefault& reader, const wchar_t* name, TColor fallback) {
    const TColor color = ColorOf(reader.ReadIntegerDefault(name, Stored(fallback)));
    return IsDrawableColor(color) ? color : fallback;
}

void ReadColor(TRegistryDefault& reader, TMonthCalColors& colors, const wchar_t* name, int index) {
    colors.Set(index, ReadColorValue(reader, name, colors.Get(index)));
}

}  // namespace

std::wstring StartupCommandLine(const std::wstring& programPath) {
    // Quoted, or a path with blanks would be split at the first one and
    // could start some other program.
    return L"\"" + programPath + L"\" " + text::kQuietSwitch;
}

void LoadSettingsFrom(RegistryStore& store, CalendarSettings& settings) {
    TMonthCalColors& colors = ColorSetOf(settings);
    const CalendarSettings defaults;
    TRegistryDefault reader(store);
    KeyCloser closer(store);
    // A key that is missing or cannot be opened reads as all defaults.
    store.OpenKey(text::kSettingsKey, false);

    settings.AlwaysOnTop = reader.ReadBoolDefault(text::kAlwaysOnTop, defaults.AlwaysOnTop);
    settings.StartWithWindows = reader.ReadBoolDefault(text::kStartWithWindows, defaults.StartWithWindows);
    settings.SingleClick = reader.ReadBoolDefault(text::kSingleClick, defaults.SingleClick);
    settings.CloseOnEscape = reader.ReadBoolDefault(text::kCloseOnEscape, defaults.CloseOnEscape);
    settings.MultiSelect = reader.ReadBoolDefault(text::kMultiSelect, defaults.MultiSelect);
    settings.ShowDateInNotifyIcon =
        reader.ReadBoolDefault(text::kShowDateInNotifyIcon, defaults.ShowDateInNotifyIcon);
    settings.UseSmallNumbers = reader.ReadBoolDefault(text::kUseSmallNumbers, defaults.UseSmallNumbers);
    settings.BoldNumbers = reader.ReadBoolDefault(text::kBoldNumbers, defaults.BoldNumbers);
    settings.TransparentIcon = reader.ReadBoolDefault(text::kTransparentIcon, defaults.TransparentIcon);

    settings.FirstMonth = reader.ReadIntegerDefault(text::kFirstMonth, defaults.FirstMonth);
    // Nothing downstream guards the first month, so a stray value must not get through.
    if (settings.FirstMonth < 0 || settings.FirstMonth > 12) settings.FirstMonth = defaults.FirstMonth;
    // Out-of-range columns and first days are ignored where they are applied.
    settings.FirstDay = reader.ReadIntegerDefault(text::kFirstDay, defaults.FirstDay);
    settings.ColumnsIndex = reader.ReadIntegerDefault(text::kColumns, defaults.ColumnsIndex);

    // Each colour reaches the control as soon as it is read.
    ReadColor(reader, colors, text::kBackColor, TMonthCalColors::kBackColor);
    ReadColor(reader, colors, text::kTitleBackColor, TMonthCalColors::kTitleBackColor);
    ReadColor(reader, colors, text::kTextColor, TMonthCalColors::kTextColor);
    ReadColor(reader, colors, text::kTitleTextColor, TMonthCalColors::kTitleTextColor);
    ReadColor(reader, colors, text::kMonthBackColor, TMonthCalColors::kMonthBackColor);
    ReadColor(reader, colors, text::kTrailingTextColor, TMonthCalColors::kTrailingTextColor);
    settings.NotifyIconColor = ReadColorValue(reader, text::kNotifyIconColor, settings.NotifyIconColor);

    settings.WeekNumbers = reader.ReadBoolDefault(text::kWeekNumbers);
    settings.ShowOnlyCalendar = reader.ReadBoolDefault(text::kShowOnlyCalendar, defaults.ShowOnlyCalendar);
    settings.ShowToolbar = reader.ReadBoolDefault(text::kToolbar, defaults.ShowToolbar);
    settings.PrintBackgroundColors =
        reader.ReadBoolDefault(text::kPrintBackgroundColors, defaults.PrintBackgroundColors);
    settings.UseHotkey = reader.ReadBoolDefault(text::kUseHotkey);
    settings.WinHotkey = reader.ReadBoolDefault(text::kWinHotkey);
    // Only the low 16 bits are a shortcut value.
    settings.Hotkey = static_cast<std::uint16_t>(reader.ReadIntegerDefault(text::kHotkey, defaults.Hotkey) & 0xFFFF);
    settings.LongDateFormat = reader.ReadBoolDefault(text::kLongDateFormat, defaults.LongDateFormat);
    settings.LargeIcons = reader.ReadBoolDefault(text::kLargeIcons, defaults.LargeIcons);
}

std::optional<std::string> SaveSettingsTo(RegistryStore& store, const CalendarSettings& settings,
                                          const std::wstring& runValueName, const std::wstring& programPath) {
    try {
        const TMonthCalColors& colors = ColorSetOf(settings);
        KeyCloser closer(store);
        if (!store.OpenKey(text::kSettingsKey, true)) return text::kOperationAborted;

        store.WriteBool(text::kAlwaysOnTop, settings.AlwaysOnTop);
        store.WriteBool(text::kStartWithWindows, settings.StartWithWindows);
        store.WriteBool(text::kSingleClick, settings.SingleClick);
        store.WriteBool(text::kCloseOnEscape, settings.CloseOnEscape);
        store.WriteBool(text::kMultiSelect, settings.MultiSelect);
        store.WriteBool(text::kShowDateInNotifyIcon, settings.ShowDateInNotifyIcon);
        store.WriteBool(text::kUseSmallNumbers, settings.UseSmallNumbers);
        store.WriteBool(text::kBoldNumbers, settings.BoldNumbers);
        store.WriteBool(text::kTransparentIcon, settings.TransparentIcon);
        store.WriteInteger(text::kColumns, settings.ColumnsIndex);
        store.WriteInteger(text::kFirstMonth, settings.FirstMonth);
        store.WriteInteger(text::kFirstDay, settings.FirstDay);
        store.WriteInteger(text::kBackColor, Stored(colors.Get(TMonthCalColors::kBackColor)));
        store.WriteInteger(text::kTitleBackColor, Stored(colors.Get(TMonthCalColors::kTitleBackColor)));
        store.WriteInteger(text::kTextColor, Stored(colors.Get(TMonthCalColors::kTextColor)));
        store.WriteInteger(text::kTitleTextColor, Stored(colors.Get(TMonthCalColors::kTitleTextColor)));
        store.WriteInteger(text::kMonthBackColor, Stored(colors.Get(TMonthCalColors::kMonthBackColor)));
        store.WriteInteger(text::kTrailingTextColor, Stored(colors.Get(TMonthCalColors::kTrailingTextColor)));
        store.WriteInteger(text::kNotifyIconColor, Stored(settings.NotifyIconColor));
        store.WriteBool(text::kWeekNumbers, settings.WeekNumbers);
        store.WriteBool(text::kShowOnlyCalendar, settings.ShowOnlyCalendar);
        store.WriteBool(text::kToolbar, settings.ShowToolbar);
        store.WriteBool(text::kPrintBackgroundColors, settings.PrintBackgroundColors);
        store.WriteBool(text::kUseHotkey, settings.UseHotkey);
        store.WriteBool(text::kWinHotkey, settings.WinHotkey);
        store.WriteInteger(text::kHotkey, settings.Hotkey);
        store.WriteBool(text::kLongDateFormat, settings.LongDateFormat);
        store.WriteBool(text::kLargeIcons, settings.LargeIcons);
        store.CloseKey();

        if (!store.OpenKey(text::kRunKey, true)) return text::kOperationAborted;
        if (settings.StartWithWindows)
            store.WriteString(runValueName, StartupCommandLine(programPath));
        else
            store.DeleteValue(runValueName);
        return std::nullopt;
    } catch (const ERegistryException&) {
        return text::kWriteFailed;
    } catch (const std::exception& e) {
        return e.what();
    }
}

}  // namespace kiv
