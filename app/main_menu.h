// The main window's menu bar as data: captions, shortcuts, images, radio
// groups and check marks.
#pragma once

#include <cstdint>
#include <vector>

#include "settings/shortcut.h"

namespace kiv {

enum class Command : std::uint16_t {
    None = 0,
    PrinterSetup = 100,
    Print,
    CloseWindow,
    Exit,
    Today,
    NextYear,
    PreviousYear,
    GoToYear,
    Columns1,
    Columns2,
    Columns3,
    Columns4,
    Columns6,
    Columns12,
    ShowToolbar,
    ShowWeekNumbers,
    AlwaysOnTop,
    Options,
    ViewHelp,
    About,
    GoButton,  // the toolbar's go button
    Show,      // the tray menu's "&Show"
    CopyDate,  // Ctrl+C: the selection to the clipboard; on no menu
};

struct MenuItemDef {
    Command command = Command::None;  // None is a separator
    const wchar_t* caption = nullptr;
    ShortCut shortcut = 0;
    int image = -1;      // index into the menu image list
    int tag = 0;         // the column count of a column item
    bool radio = false;  // member of the column radio group
    bool checked = false;
    bool isDefault = false;  // shown bold, the item a double click would choose
};

struct MenuDef {
    const wchar_t* caption;
    std::vector<MenuItemDef> items;
};

const std::vector<MenuDef>& MainMenuDef();
// The tray icon's shortcut menu.
const std::vector<MenuItemDef>& TrayMenuDef();

// The column item for a column count, Command::None for a count with none.
Command ColumnsCommand(int columns) noexcept;
// The column count of a column item, 0 for any other command.
int ColumnsOf(Command command) noexcept;

}  // namespace kiv
