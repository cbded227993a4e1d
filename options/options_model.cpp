#include "options/options_model.h"

#include <algorithm>
#include <cwchar>
#include <stdexcept>

#include "calendar/month_cal_colors.h"
#include "options/options_layout.h"

namespace kiv {
namespace {

using enum Setting;

void Expect(Setting setting, OptionsControlKind kind) {
    if (ControlKindOf(setting) != kind) throw std::logic_error("Options control of the wrong kind");
}

}  // namespace

OptionsControlKind ControlKindOf(Setting setting) noexcept {
    switch (SettingFor(setting).field.Form()) {
        case StoredForm::Flag: return OptionsControlKind::CheckBox;
        case StoredForm::Integer: return OptionsControlKind::List;
        case StoredForm::ShortCutValue: return OptionsControlKind::HotKey;
        case StoredForm::Color:
        case StoredForm::CalendarColor: break;
    }
    return OptionsControlKind::ColorPanel;
}

const std::array<Setting, kSettingCount>& OptionsFillOrder() {
    // A box's rule reads other boxes, so this order decides the enabling
    // the dialog opens with.
    static const std::array<Setting, kSettingCount> order = {
        AlwaysOnTop,     StartWithWindows,  WeekNumbers,   ShowToolbar,      ShowDateInNotifyIcon,
        TransparentIcon, UseSmallNumbers,   BoldNumbers,   SingleClick,      CloseOnEscape,
        ShowOnlyCalendar, MultiSelect,      PrintBackgroundColors, UseHotkey, WinHotkey,
        Hotkey,          ColumnsIndex,      FirstMonth,    FirstDay,         LongDateFormat,
        LargeIcons,      BackColor,         TitleBackColor, TextColor,       TitleTextColor,
        MonthBackColor,  TrailingTextColor, NotifyIconColor};
    return order;
}

int ListItemCount(Setting list) {
    for (const OptionsItem& item : OptionsLayout())
        if (item.kind == OptionsItemKind::List && item.setting == list) return static_cast<int>(item.items.size());
    return 0;
}

TOptionsModel::TOptionsModel() {
    enabled_.fill(true);
    for (Setting box : {ShowDateInNotifyIcon, UseSmallNumbers, BoldNumbers, TransparentIcon, PrintBackgroundColors,
                        ShowToolbar})
        value_[Index(box)] = 1;
    for (Setting list : {ColumnsIndex, FirstMonth, FirstDay}) value_[Index(list)] = -1;
    SetEnabled(WinHotkey, false);
    SetEnabled(Hotkey, false);
}

void TOptionsModel::Fill(const CalendarSettings& settings) {
    for (Setting s : OptionsFillOrder()) {
        const std::int32_t stored = SettingFor(s).field.Get(settings);
        switch (ControlKindOf(s)) {
            case OptionsControlKind::CheckBox: SetChecked(s, stored != 0); break;
            case OptionsControlKind::List: SetItemIndex(s, stored); break;
            case OptionsControlKind::HotKey: HotKeyActivate.SetHotKey(static_cast<ShortCut>(stored)); break;
            case OptionsControlKind::ColorPanel: SetPanelColor(s, static_cast<TColor>(stored)); break;
        }
    }
    markedDayFiles_ = settings.MarkedDayFiles;
}

void TOptionsModel::ReadBack(CalendarSettings& settings) {
    RequireColorSet(settings);
    for (Setting s : OptionsFillOrder()) {
        const std::int32_t stored =
            ControlKindOf(s) == OptionsControlKind::HotKey ? HotKeyActivate.HotKey() : value_[Index(s)];
        SettingFor(s).field.Set(settings, stored);
    }
    settings.MarkedDayFiles = markedDayFiles_;
}

bool TOptionsModel::AddMarkedDayFile(const std::wstring& path) {
    const auto fold = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    const auto same = [&](const std::wstring& known) {
        return known.size() == path.size() && std::equal(known.begin(), known.end(), path.begin(),
                                                         [&](wchar_t a, wchar_t b) { return fold(a) == fold(b); });
    };
    if (path.empty() || std::any_of(markedDayFiles_.begin(), markedDayFiles_.end(), same)) return false;
    markedDayFiles_.push_back(path);
    return true;
}

void TOptionsModel::RemoveMarkedDayFile(std::size_t index) {
    if (index < markedDayFiles_.size()) markedDayFiles_.erase(markedDayFiles_.begin() + static_cast<std::ptrdiff_t>(index));
}

std::vector<std::wstring> PickedFilePaths(const wchar_t* answer) {
    const std::wstring first(answer);
    std::vector<std::wstring> paths;
    const wchar_t* separator = !first.empty() && first.back() == L'\\' ? L"" : L"\\";
    for (const wchar_t* name = answer + first.size() + 1; *name; name += std::wcslen(name) + 1)
        paths.push_back(first + separator + name);
    if (paths.empty() && !first.empty()) paths.push_back(first);
    return paths;
}

bool TOptionsModel::Checked(Setting box) const {
    Expect(box, OptionsControlKind::CheckBox);
    return value_[Index(box)] != 0;
}

void TOptionsModel::SetChecked(Setting box, bool checked) {
    Expect(box, OptionsControlKind::CheckBox);
    if (Checked(box) == checked) return;
    value_[Index(box)] = checked ? 1 : 0;
    RunRule(box);
}

bool TOptionsModel::Enabled(Setting control) const { return enabled_[Index(control)]; }

int TOptionsModel::ItemIndex(Setting list) const {
    Expect(list, OptionsControlKind::List);
    return value_[Index(list)];
}

void TOptionsModel::SetItemIndex(Setting list, int index) {
    Expect(list, OptionsControlKind::List);
    value_[Index(list)] = index >= 0 && index < ListItemCount(list) ? index : -1;
}

TColor TOptionsModel::PanelColor(Setting panel) const {
    Expect(panel, OptionsControlKind::ColorPanel);
    return static_cast<TColor>(value_[Index(panel)]);
}

void TOptionsModel::SetPanelColor(Setting panel, TColor color) {
    Expect(panel, OptionsControlKind::ColorPanel);
    value_[Index(panel)] = static_cast<std::int32_t>(color);
}

void TOptionsModel::RestoreDefaultColors() {
    // A fresh colour set starts on the window colour; the calendar's
    // background is the application workspace instead.
    const TMonthCalColors fresh;
    SetPanelColor(BackColor, SystemColor(syscolor::AppWorkspace));
    SetPanelColor(TitleBackColor, fresh.TitleBackColor());
    SetPanelColor(TextColor, fresh.TextColor());
    SetPanelColor(TitleTextColor, fresh.TitleTextColor());
    SetPanelColor(MonthBackColor, fresh.MonthBackColor());
    SetPanelColor(TrailingTextColor, fresh.TrailingTextColor());
    SetPanelColor(NotifyIconColor, kBlack);
}

void TOptionsModel::RunRule(Setting box) {
    const bool checked = Checked(box);
    switch (box) {
        case ShowDateInNotifyIcon:
            SetEnabled(UseSmallNumbers, checked);
            SetEnabled(BoldNumbers, checked && Checked(UseSmallNumbers));
            SetEnabled(TransparentIcon, checked);
            break;
        case UseSmallNumbers: SetEnabled(BoldNumbers, checked && Enabled(UseSmallNumbers)); break;
        case TransparentIcon:
            SetEnabled(NotifyIconColor, checked && Enabled(TransparentIcon));
            notifyIconColorLabelEnabled_ = Enabled(NotifyIconColor);
            break;
        case ShowToolbar: SetEnabled(LargeIcons, checked); break;
        case UseHotkey:
            SetEnabled(WinHotkey, checked);
            SetEnabled(Hotkey, checked);
            break;
        case WinHotkey:
            // The invalid combinations first, then the modifiers.
            if (checked) {
                HotKeyActivate.SetInvalidKeys(hkcomb::Shift);
                HotKeyActivate.SetModifiers(0);
            } else {
                HotKeyActivate.SetInvalidKeys(hkcomb::None | hkcomb::Shift);
                HotKeyActivate.SetModifiers(hotkeyf::Control | hotkeyf::Alt);
            }
            break;
        default: break;
    }
}

}  // namespace kiv
