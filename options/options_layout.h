// The options dialog's controls as data: kind, caption, hint and place, in
// tab order. Places are pixels at 96 DPI, relative to the control's group
// box (or to the dialog's client area for the group boxes and buttons).
#pragma once

#include <optional>
#include <vector>

#include "settings/settings_table.h"

namespace kiv {

enum class OptionsItemKind : unsigned char { GroupBox, CheckBox, List, HotKey, ColorPanel, Label, Note, Button, FileList };

enum class OptionsGroup : unsigned char { None, General, Colors, MarkedDays };

struct OptionsItem {
    OptionsItemKind kind;
    int id;                          // the control id
    std::optional<Setting> setting;  // the setting it edits, or (labels) belongs to
    OptionsGroup group;
    int left, top, width, height;    // a label's width 0: as wide as its caption
    const wchar_t* caption;
    const wchar_t* hint;             // nullptr: none
    std::vector<const wchar_t*> items;  // a list's items
};

namespace options_ids {
constexpr int kFirstSetting = 1000;  // + the setting's index
constexpr int kGeneral = 1100, kColors = 1101, kVista = 1102, kRestore = 1103;
constexpr int kMarkedDays = 1104, kMarkedFiles = 1105, kAddFile = 1106, kRemoveFile = 1107;
constexpr int kFirstLabel = 1200;
constexpr int kOk = 1, kCancel = 2;  // IDOK, IDCANCEL
}  // namespace options_ids

inline constexpr int kOptionsClientWidth = 492;
inline constexpr int kOptionsClientHeight = 557;
inline constexpr int kOptionsFontHeight = -11;  // Tahoma, 8 points at 96 DPI
inline constexpr wchar_t kOptionsCaption[] = L"Options";
inline constexpr wchar_t kOptionsFont[] = L"Tahoma";

constexpr int OptionsControlId(Setting s) { return options_ids::kFirstSetting + static_cast<int>(s); }

// Every control of the dialog, group boxes before their contents, in tab order.
const std::vector<OptionsItem>& OptionsLayout();
// The place of a group box, which its contents are relative to.
const OptionsItem& OptionsGroupBox(OptionsGroup group);

}  // namespace kiv
