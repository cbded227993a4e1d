// The menu bar, its shortcuts and check marks, and the commands behind them.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "app/app_texts.h"
#include "app/main_window_win.h"
#include "widgets/clipboard_win.h"
#include "app/year_view.h"
#include "resources/artwork.h"
#include "resources/menu_images_win.h"
#include "resources/pixmap_win.h"
#include "widgets/application_win.h"
#include "widgets/input_box_win.h"

namespace kiv {
namespace {
UINT Id(Command c) { return static_cast<UINT>(c); }

std::wstring ItemText(const MenuItemDef& item, ShortCut shortcut) {
    std::wstring text = item.caption;
    if (shortcut) text += L"\t" + ShortCutToText(shortcut);
    return text;
}
}  // namespace


void TfMain_calendar::BuildMenu() {
    mainMenu_.reset(CreateMenu());
    if (!mainMenu_) throw std::runtime_error(texts::kNoMenu);
    menuImages_.SetDpi(WindowDpi(hwnd()));
    const auto appendItems = [&](HMENU popup, const std::vector<MenuItemDef>& items) {
        const bool pictured =
            std::any_of(items.begin(), items.end(), [](const MenuItemDef& item) { return item.image >= 0; });
        for (const MenuItemDef& item : items) {
            if (item.command == Command::None) {
                AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            const std::wstring text = ItemText(item, item.shortcut);
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_STATE;
            info.wID = Id(item.command);
            info.dwTypeData = const_cast<wchar_t*>(text.c_str());
            info.fType = item.radio ? MFT_RADIOCHECK : MFT_STRING;
            info.fState = (item.checked ? MFS_CHECKED : MFS_UNCHECKED) | (item.isDefault ? MFS_DEFAULT : 0);
            const UINT position = static_cast<UINT>(GetMenuItemCount(popup));
            InsertMenuItemW(popup, position, TRUE, &info);
            // An item without a picture gets an empty one where its shortcut
            // must line up with those of pictured items.
            if (item.image >= 0 || (pictured && item.shortcut)) menuImages_.Attach(popup, position, item.image);
        }
    };
    for (const MenuDef& menu : MainMenuDef()) {
        UniqueMenu popup(CreatePopupMenu());
        if (!popup) throw std::runtime_error(texts::kNoMenu);
        appendItems(popup.get(), menu.items);
        if (!AppendMenuW(mainMenu_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup.get()), menu.caption))
            throw std::runtime_error(texts::kNoMenu);
        popup.release();  // the menu bar owns it now
    }
    HMENU trayMenu = CreatePopupMenu();
    if (!trayMenu) throw std::runtime_error(texts::kNoMenu);
    tray_.Menu().SetHandle(trayMenu);
    appendItems(trayMenu, TrayMenuDef());
}

void TfMain_calendar::BuildAccelerators() {
    std::vector<ACCEL> table;
    const auto add = [&](ShortCut shortcut, Command command) {
        if (!shortcut) return;
        ACCEL a{};
        a.fVirt = FVIRTKEY;
        if (shortcut & kShift) a.fVirt |= FSHIFT;
        if (shortcut & kCtrl) a.fVirt |= FCONTROL;
        if (shortcut & kAlt) a.fVirt |= FALT;
        a.key = static_cast<WORD>(shortcut & kKeyMask);
        a.cmd = static_cast<WORD>(command);
        table.push_back(a);
    };
    for (const MenuDef& menu : MainMenuDef())
        for (const MenuItemDef& item : menu.items)
            if (item.command != Command::CloseWindow) add(item.shortcut, item.command);
    add(closeShortCut_, Command::CloseWindow);
    // No menu has a place for it; the year box keeps it for itself.
    add(MakeShortCut('C', kCtrl), Command::CopyDate);
    // A table that cannot be made leaves the old one in use.
    UniqueAccelerators accelerators(CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
    if (!accelerators) throw std::runtime_error(texts::kNoShortcuts);
    accelerators_ = std::move(accelerators);
    // The shortcuts belong to the menu bar: the borderless window has none,
    // and its calendar's own keys stand in for them.
    Application::instance().setAccelerators(hwnd(), borderless_ ? nullptr : accelerators_.get());
}

void TfMain_calendar::SetCloseShortCut(ShortCut shortcut) {
    closeShortCut_ = shortcut;
    for (const MenuDef& menu : MainMenuDef())
        for (const MenuItemDef& item : menu.items)
            if (item.command == Command::CloseWindow) {
                const std::wstring text = ItemText(item, shortcut);
                MENUITEMINFOW info{};
            info.cbSize = sizeof info;
                info.fMask = MIIM_STRING;
                info.dwTypeData = const_cast<wchar_t*>(text.c_str());
                SetMenuItemInfoW(mainMenu_.get(), Id(Command::CloseWindow), FALSE, &info);
            }
    BuildAccelerators();
}

bool TfMain_calendar::IsChecked(Command command) const {
    return (GetMenuState(mainMenu_.get(), Id(command), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void TfMain_calendar::SetChecked(Command command, bool checked) {
    CheckMenuItem(mainMenu_.get(), Id(command), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void TfMain_calendar::RunCommand(Command command) {
    switch (command) {
        case Command::CloseWindow: mnCloseClick(); break;
        case Command::Show: mnShowClick(); break;
        case Command::Exit: Application::instance().terminate(); break;
        case Command::Today: ShowYear(kTodayYear); break;
        case Command::NextYear: ShowYear(toolbar_.edYear.Number() + 1); break;
        case Command::PreviousYear: ShowYear(toolbar_.edYear.Number() - 1); break;
        case Command::GoToYear: GoToYearClick(); break;
        case Command::GoButton: GoButtonClick(); break;
        case Command::Columns1:
        case Command::Columns2:
        case Command::Columns3:
        case Command::Columns4:
        case Command::Columns6:
        case Command::Columns12: ColumnsClick(command); break;
        case Command::ShowToolbar: ShowToolbarClick(); break;
        case Command::ShowWeekNumbers: ShowWeekNumbersClick(); break;
        case Command::AlwaysOnTop: AlwaysOnTopClick(); break;
        case Command::PrinterSetup: mnPrintSetupClick(); break;
        case Command::Print: mnPrintClick(); break;
        case Command::ViewHelp: mnViewHelpClick(); break;
        case Command::Options: mnOptionsClick(); break;
        case Command::About: mnAboutClick(); break;
        case Command::CopyDate: CopySelection(); break;
        default: break;
    }
}

void TfMain_calendar::ColumnsClick(Command command) {
    CheckMenuRadioItem(mainMenu_.get(), Id(Command::Columns1), Id(Command::Columns12), Id(command), MF_BYCOMMAND);
    calendar_.SetColumns(ColumnsOf(command));
    FitWindow();
}

void TfMain_calendar::ShowToolbarClick() {
    const bool show = !IsChecked(Command::ShowToolbar);
    SetChecked(Command::ShowToolbar, show);
    toolbar_.SetVisible(show);
    FitWindow();
}

void TfMain_calendar::ShowWeekNumbersClick() {
    const bool show = !IsChecked(Command::ShowWeekNumbers);
    SetChecked(Command::ShowWeekNumbers, show);
    calendar_.SetWeekNumbers(show);
    calendar_.AdjustSize();
    FitWindow();
}

void TfMain_calendar::AlwaysOnTopClick() {
    const bool on = !IsChecked(Command::AlwaysOnTop);
    SetChecked(Command::AlwaysOnTop, on);
    SetTopmost(on);
}

void TfMain_calendar::GoButtonClick() {
    toolbar_.edYear.SelectAll();
    ShowYear(toolbar_.edYear.Number());
}

void TfMain_calendar::GoToYearClick() {
    SetTopmost(false);
    const std::optional<std::wstring> answer = InputBox(hwnd(), texts::kGoToYearCaption, texts::kGoToYearPrompt,
                                                        std::to_wstring(toolbar_.edYear.Number()));
    // Ended by the program closing: there is no answer and nothing to show.
    if (!answer) return;
    SetTopmost(IsChecked(Command::AlwaysOnTop));
    ShowYear(ParseYearAnswer(*answer));
}

void TfMain_calendar::CalendarKeyUp(WORD key, ShiftState shift) {
    if (!state_.Settings.ShowOnlyCalendar) return;
    if (key == VK_ESCAPE)
        RunCommand(Command::CloseWindow);
    else if (key == 'O' && shift.ctrl)
        RunCommand(Command::Options);
    else if (key == 'X' && shift.alt)
        RunCommand(Command::Exit);
    else if (key == 'C' && shift.ctrl)
        RunCommand(Command::CopyDate);
}

void TfMain_calendar::CopySelection() { CopyTextToClipboard(hwnd(), markedDays_.SelectionText()); }

}  // namespace kiv
