#include "app/main_menu.h"

namespace kiv {
namespace {
MenuItemDef Separator() { return {}; }

MenuItemDef Columns(Command c, const wchar_t* caption, char digit, int tag, bool checked = false) {
    return {c, caption, MakeShortCut(static_cast<std::uint16_t>(digit), kCtrl), -1, tag, true, checked};
}
}  // namespace

const std::vector<MenuDef>& MainMenuDef() {
    static const std::vector<MenuDef> menu = {
        {L"&File",
         {
             {Command::PrinterSetup, L"Printer &setup..."},
             {Command::Print, L"&Print calendar", MakeShortCut('P', kCtrl), 3},
             Separator(),
             {Command::CloseWindow, L"&Close window"},
             Separator(),
             {Command::Exit, L"E&xit", MakeShortCut('X', kAlt), 6},
         }},
        {L"&Go",
         {
             {Command::Today, L"To&day", MakeShortCut(vk::Home, kCtrl), 0},
             {Command::NextYear, L"&Next year", MakeShortCut('N', kCtrl)},
             {Command::PreviousYear, L"&Previous Year", MakeShortCut('R', kCtrl)},
             Separator(),
             {Command::GoToYear, L"Go to year...", MakeShortCut('G', kCtrl)},
         }},
        {L"&View",
         {
             Columns(Command::Columns1, L"&1 column", '1', 1),
             Columns(Command::Columns2, L"&2 columns", '2', 2),
             Columns(Command::Columns3, L"&3 columns", '3', 3),
             Columns(Command::Columns4, L"&4 columns", '4', 4, true),
             Columns(Command::Columns6, L"&6 columns", '6', 6),
             Columns(Command::Columns12, L"12 &columns", '0', 12),
             Separator(),
             {Command::ShowToolbar, L"Show &toolbar", MakeShortCut('T', kCtrl), -1, 0, false, true},
             {Command::ShowWeekNumbers, L"Show &week numbers", MakeShortCut('W', kCtrl)},
             {Command::AlwaysOnTop, L"&Always on top", MakeShortCut('A', kCtrl)},
             Separator(),
             {Command::Options, L"&Options...", MakeShortCut('O', kCtrl), 4},
         }},
        {L"&Help",
         {
             {Command::ViewHelp, L"View &help", MakeShortCut(vk::F1), 2},
             {Command::About, L"&About"},
         }},
    };
    return menu;
}

const std::vector<MenuItemDef>& TrayMenuDef() {
    static const std::vector<MenuItemDef> items = {
        {Command::Show, L"&Show", 0, 5, 0, false, false, true},
        {Command::About, L"&About"},
        Separator(),
        {Command::Options, L"&Options...", 0, 4},
        Separator(),
        {Command::Exit, L"&Exit", 0, 6},
    };
    return items;
}

Command ColumnsCommand(int columns) noexcept {
    switch (columns) {
        case 1: return Command::Columns1;
        case 2: return Command::Columns2;
        case 3: return Command::Columns3;
        case 4: return Command::Columns4;
        case 6: return Command::Columns6;
        case 12: return Command::Columns12;
        default: return Command::None;
    }
}

int ColumnsOf(Command command) noexcept {
    for (const auto& menu : MainMenuDef())
        for (const auto& item : menu.items)
            if (item.command == command && item.radio) return item.tag;
    return 0;
}

}  // namespace kiv
