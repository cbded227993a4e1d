// The options dialog apart from its window: the state of every control, the
// order in which the record fills them, the rules that enable and disable
// them, and what confirming writes back. Each control edits one setting.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "settings/calendar_settings.h"
#include "settings/settings_table.h"
#include "options/hot_key_box.h"

namespace kiv {

enum class OptionsControlKind : unsigned char { CheckBox, List, HotKey, ColorPanel };

// The kind of control that edits a setting, by the setting's stored form.
OptionsControlKind ControlKindOf(Setting setting) noexcept;
// The order in which the dialog is filled from the record and read back.
const std::array<Setting, kSettingCount>& OptionsFillOrder();
// The number of items of a drop-down list.
int ListItemCount(Setting list);

class TOptionsModel {
public:
    // The states the form has before it is filled.
    TOptionsModel();

    // Fills every control from the record in the fill order; a check box
    // set to another state runs its rule, as a click would.
    void Fill(const CalendarSettings& settings);
    // Writes every control into the record, in the fill order; the calendar
    // colours go through the record's colour set.
    void ReadBack(CalendarSettings& settings);

    bool Checked(Setting box) const;
    // A change of state, by a click or from code, runs the box's rule.
    void SetChecked(Setting box, bool checked);
    bool Enabled(Setting control) const;
    bool NotifyIconColorLabelEnabled() const noexcept { return notifyIconColorLabelEnabled_; }

    // -1 when nothing is selected; an index outside the list selects nothing.
    int ItemIndex(Setting list) const;
    void SetItemIndex(Setting list, int index);

    TColor PanelColor(Setting panel) const;
    void SetPanelColor(Setting panel, TColor color);
    // The calendar's default colours in their system-colour form, and black
    // for the tray digits; nothing else changes.
    void RestoreDefaultColors();

    THotKeyBox HotKeyActivate;

    // The calendar files of the marked days, in order.
    const std::vector<std::wstring>& MarkedDayFiles() const noexcept { return markedDayFiles_; }
    // Adds the path at the end; false when it is empty or already listed
    // (letters compared without case, as Windows names files).
    bool AddMarkedDayFile(const std::wstring& path);
    // An index outside the list removes nothing.
    void RemoveMarkedDayFile(std::size_t index);

private:
    void RunRule(Setting box);
    void SetEnabled(Setting control, bool enabled) { enabled_[Index(control)] = enabled; }
    static size_t Index(Setting s) noexcept { return static_cast<size_t>(s); }

    std::array<std::int32_t, kSettingCount> value_{};
    std::array<bool, kSettingCount> enabled_{};
    bool notifyIconColorLabelEnabled_ = true;
    std::vector<std::wstring> markedDayFiles_;
};

// The full paths in what the open dialog returns when several names may be
// picked: one name is the full path; several are the folder, then each
// name, each ending in a NUL, with an empty one last. A name is joined to
// its folder with one backslash, also where the folder (a drive root such
// as "C:\") ends in one.
std::vector<std::wstring> PickedFilePaths(const wchar_t* answer);

}  // namespace kiv
