// Loading, applying and saving the settings record.
#include "app/app_texts.h"
#include "app/main_window_win.h"
#include "settings/settings_registry_win.h"
#include "app/year_view.h"
#include "widgets/application_win.h"
#include "widgets/message_box_win.h"

namespace kiv {
namespace {
constexpr int kColumnChoices[] = {1, 2, 3, 4, 6, 12};

// FirstDay 1..7 (Monday..Sunday) as the control's 0..6; 0 is the locale's day (7).
int FirstDayOfWeekFor(int firstDay) { return firstDay == 0 ? 7 : firstDay - 1; }
}  // namespace

void TfMain_calendar::LoadSettings() {
    try {
        try {
            ReadSettingsFromRegistry(state_.Settings);
            Application& app = Application::instance();
            if (state_.Settings.ShowOnlyCalendar && !app.showMainWindow) {
                // The borderless window is shown for a moment and hidden at the
                // first idle moment.
                app.showMainWindow = true;
                app.setIdleHandler([this] { HideOnFirstIdle(); });
            }
        } catch (...) {
            ApplySettings();
            throw;
        }
        ApplySettings();
    } catch (const std::exception& e) {
        ShowMessageBox(hwnd(), Widen(e.what()), texts::kErrorCaption, MB_OK | MB_ICONERROR);
    }
}

void TfMain_calendar::SaveSettings() { kiv::SaveSettings(hwnd(), state_.Settings); }

void TfMain_calendar::ApplySettings() {
    scrollBox_.SetColor(state_.Settings.Colors ? state_.Settings.Colors->Get(0) : SystemColor(syscolor::AppWorkspace));
    UpdateNotifyIcon();
    if (state_.Settings.ColumnsIndex >= 0 && state_.Settings.ColumnsIndex < static_cast<int>(std::size(kColumnChoices)))
        ColumnsClick(ColumnsCommand(kColumnChoices[state_.Settings.ColumnsIndex]));
    if (state_.Settings.FirstDay >= 0 && state_.Settings.FirstDay <= 7) calendar_.SetFirstDayOfWeek(FirstDayOfWeekFor(state_.Settings.FirstDay));
    calendar_.SetMultiSelect(state_.Settings.MultiSelect);
    SetChecked(Command::ShowWeekNumbers, !state_.Settings.WeekNumbers);
    ShowWeekNumbersClick();
    toolbar_.SetLargeIcons(state_.Settings.LargeIcons);
    SetBorderless(state_.Settings.ShowOnlyCalendar);
    SetChecked(Command::ShowToolbar, state_.Settings.ShowOnlyCalendar ? true : !state_.Settings.ShowToolbar);
    ShowToolbarClick();
    SetChecked(Command::AlwaysOnTop, !state_.Settings.AlwaysOnTop);
    AlwaysOnTopClick();
    SetCloseShortCut(state_.Settings.CloseOnEscape ? MakeShortCut(vk::Escape) : 0);
    // After the frame: a change of frame may give a window a new handle.
    RegisterHotKeySetting();
    // Before the year: the new calendar asks for its bold days at once.
    markedDays_.SetFiles(state_.Settings.MarkedDayFiles, state_.CurrentYear);
    UpdateNotifyIcon();  // with today's events
    ShowYear(state_.CurrentYear);
}

void TfMain_calendar::SetBorderless(bool borderless) {
    if (borderless == borderless_) return;
    borderless_ = borderless;
    // Changing the style in place keeps the window handle, and with it the hot
    // key registration and the tray's target.
    const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
    const LONG_PTR frame = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_BORDER | WS_DLGFRAME;
    LONG_PTR next = borderless ? ((style & ~frame) | WS_POPUP) : ((style & ~WS_POPUP) | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    SetWindowLongPtrW(hwnd(), GWL_STYLE, next);
    SetMenu(hwnd(), borderless ? nullptr : mainMenu_.get());
    BuildAccelerators();
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace kiv
