// The main window in this process with the real controls, a clock the tests
// move and a registry root of their own.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>
#include <string>

#include "app/main_window_win.h"
#include "app/year_view.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/test_support_win.h"
#include "widgets/application_win.h"
#include "widgets/input_box_win.h"

namespace kiv {
namespace {

using test::BoxRecorder;
using test::Pump;

TDateTime D(int y, int m, int d) { return EncodeDate(y, m, d); }

std::wstring MenuText(HMENU menu, Command c) {
    wchar_t buffer[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(c), buffer, 128, MF_BYCOMMAND);
    return buffer;
}

using MainWindow = test::MainWindowTest;

TEST_F(MainWindow, IsFoundByItsClassNameAndStartsOnToday) {
    EXPECT_EQ(FindWindowW(L"TfMain_calendar", nullptr), window->hwnd());
    wchar_t title[64];
    GetWindowTextW(window->hwnd(), title, 64);
    EXPECT_STREQ(title, L"Kiv Calendar");
    EXPECT_EQ(window->State().CurrentYear, 2026);
    EXPECT_EQ(window->State().CurrentMonth, 3);
    EXPECT_EQ(YearBox(), 2026);
    EXPECT_EQ(DateOf(window->Calendar().Date()), D(2026, 3, 10));
    EXPECT_EQ(window->Calendar().Columns(), 4);
    // Twelve months laid out from January, then the bounds widened.
    EXPECT_EQ(window->Calendar().MinDate(), D(1753, 1, 1));
    EXPECT_EQ(window->Calendar().MaxDate(), D(9999, 12, 31));
    // No border to resize, no maximise box.
    const LONG_PTR style = GetWindowLongPtrW(window->hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
}

TEST_F(MainWindow, MenuShowsEveryCaptionWithItsShortcut) {
    HMENU menu = window->MainMenu();
    const std::pair<Command, const wchar_t*> expected[] = {
        {Command::PrinterSetup, L"Printer &setup..."},
        {Command::Print, L"&Print calendar\tCtrl+P"},
        {Command::CloseWindow, L"&Close window"},
        {Command::Exit, L"E&xit\tAlt+X"},
        {Command::Today, L"To&day\tCtrl+Home"},
        {Command::NextYear, L"&Next year\tCtrl+N"},
        {Command::PreviousYear, L"&Previous Year\tCtrl+R"},
        {Command::GoToYear, L"Go to year...\tCtrl+G"},
        {Command::Columns1, L"&1 column\tCtrl+1"},
        {Command::Columns2, L"&2 columns\tCtrl+2"},
        {Command::Columns3, L"&3 columns\tCtrl+3"},
        {Command::Columns4, L"&4 columns\tCtrl+4"},
        {Command::Columns6, L"&6 columns\tCtrl+6"},
        {Command::Columns12, L"12 &columns\tCtrl+0"},
        {Command::ShowToolbar, L"Show &toolbar\tCtrl+T"},
        {Command::ShowWeekNumbers, L"Show &week numbers\tCtrl+W"},
        {Command::AlwaysOnTop, L"&Always on top\tCtrl+A"},
        {Command::Options, L"&Options...\tCtrl+O"},
        {Command::ViewHelp, L"View &help\tF1"},
        {Command::About, L"&About"},
    };
    for (const auto& [command, caption] : expected) EXPECT_EQ(MenuText(menu, command), caption);
    wchar_t top[32];
    const wchar_t* tops[] = {L"&File", L"&Go", L"&View", L"&Help"};
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    for (int i = 0; i < 4; ++i) {
        GetMenuStringW(menu, i, top, 32, MF_BYPOSITION);
        EXPECT_STREQ(top, tops[i]);
    }
    // The defaults: four columns, toolbar shown, no week numbers, not on top.
    EXPECT_TRUE(window->IsChecked(Command::Columns4));
    EXPECT_FALSE(window->IsChecked(Command::Columns3));
    EXPECT_TRUE(window->IsChecked(Command::ShowToolbar));
    EXPECT_FALSE(window->IsChecked(Command::ShowWeekNumbers));
    EXPECT_FALSE(window->IsChecked(Command::AlwaysOnTop));
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, static_cast<UINT>(Command::Columns6), FALSE, &info);
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
}

TEST_F(MainWindow, GoCommandsMoveByYearsAndKeepTheRememberedDay) {
    Run(Command::NextYear);
    EXPECT_EQ(YearBox(), 2027);
    EXPECT_EQ(DateOf(window->Calendar().Date()), D(2027, 3, 10));
    EXPECT_EQ(window->State().LastSelectedDate, D(2027, 3, 10));
    Run(Command::PreviousYear);
    Run(Command::PreviousYear);
    EXPECT_EQ(YearBox(), 2025);
    EXPECT_EQ(DateOf(window->Calendar().Date()), D(2025, 3, 10));
    window->Calendar().SetDate(D(2025, 8, 20));
    window->UpdateSelectedDate();
    Run(Command::Today);
    EXPECT_EQ(YearBox(), 2026);
    EXPECT_EQ(DateOf(window->Calendar().Date()), D(2026, 3, 10));
}

TEST_F(MainWindow, YearsOutsideTheCalendarGiveTheRangeMessageAndTheCurrentYear) {
    BoxRecorder boxes;
    window->ShowYear(1753);
    EXPECT_EQ(YearBox(), 1753);
    window->ShowYear(9999);
    EXPECT_EQ(YearBox(), 9999);
    EXPECT_TRUE(boxes.boxes.empty());
    Run(Command::NextYear);  // 10000
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, L"The year must be a number between 1753 and 9999.");
    EXPECT_EQ(boxes.boxes[0].caption, L"Date out of range");
    EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(YearBox(), 2026);
    window->ShowYear(1752);
    EXPECT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(YearBox(), 2026);
}

TEST_F(MainWindow, GoToYearAsksForTheYearAndCancelShowsTheSameYearAgain) {
    BoxRecorder boxes;
    std::wstring askedCaption, askedPrompt, askedDefault;
    std::wstring answer = L"1999";
    auto previous = SetInputBoxHandler(
        [&](const std::wstring& caption, const std::wstring& prompt, const std::wstring& defaultText) {
            askedCaption = caption;
            askedPrompt = prompt;
            askedDefault = defaultText;
            return std::optional<std::wstring>(answer);
        });
    Run(Command::GoToYear);
    EXPECT_EQ(askedCaption, L"Go to year");
    EXPECT_EQ(askedPrompt, L"Enter the year that you want to be displayed:");
    EXPECT_EQ(askedDefault, L"2026");
    EXPECT_EQ(YearBox(), 1999);
    answer = L"1999";  // what Cancel gives back: the default text
    Run(Command::GoToYear);
    EXPECT_EQ(askedDefault, L"1999");
    EXPECT_EQ(YearBox(), 1999);
    answer = L"next year";
    Run(Command::GoToYear);
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(YearBox(), 2026);
    SetInputBoxHandler(previous);
}

TEST_F(MainWindow, EnterInTheYearBoxShowsTheTypedYear) {
    window->ToolBar().edYear.SetText(L"2031");
    SendMessageW(window->ToolBar().edYear.hwnd(), WM_CHAR, L'\r', 0);
    Pump();
    EXPECT_EQ(YearBox(), 2031);
    EXPECT_EQ(DateOf(window->Calendar().Date()), D(2031, 3, 10));
}

TEST_F(MainWindow, ColumnCommandsResizeTheWindowToTheCalendar) {
    // The bar ends as far below its lowest button when it wraps (one column) as on one row.
    const auto belowButtons = [&] {
        RECT item{};
        int lowest = 0;
        for (WPARAM i = 0; SendMessageW(window->ToolBar().hwnd(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item)); ++i)
            lowest = std::max(lowest, static_cast<int>(item.bottom));
        return window->ToolBar().Height() - lowest;
    };
    const int oneRowMargin = belowButtons();
    for (Command c : {Command::Columns1, Command::Columns2, Command::Columns3, Command::Columns6,
                      Command::Columns12, Command::Columns4}) {
        Run(c);
        EXPECT_TRUE(window->IsChecked(c));
        const int columns = window->Calendar().Columns();
        EXPECT_EQ(ColumnsOf(c), columns);
        EXPECT_EQ(belowButtons(), oneRowMargin) << columns;
        const SIZE client = Client();
        RECT outer;
        GetWindowRect(window->hwnd(), &outer);
        MONITORINFO mi{};
    mi.cbSize = sizeof mi;
        GetMonitorInfoW(MonitorFromWindow(window->hwnd(), MONITOR_DEFAULTTONEAREST), &mi);
        const int usableWidth = mi.rcMonitor.right - mi.rcMonitor.left - window->State().TaskbarMarginX;
        const int usableHeight = mi.rcMonitor.bottom - mi.rcMonitor.top - window->State().TaskbarMarginY;
        if (outer.right - outer.left < usableWidth && outer.bottom - outer.top < usableHeight) {
            EXPECT_EQ(client.cx, window->Calendar().Width()) << columns;
            EXPECT_EQ(client.cy, window->Calendar().Height() + window->ToolBar().Height()) << columns;
        } else {
            EXPECT_LE(outer.right - outer.left, usableWidth) << columns;
            EXPECT_LE(outer.bottom - outer.top, usableHeight) << columns;
            // Too wide for the monitor: room was made below for the one bar it needs.
            const LONG_PTR bars = GetWindowLongPtrW(window->ScrollBox().hwnd(), GWL_STYLE);
            const bool tooWide = window->Calendar().Width() > client.cx;
            const bool tooTall = window->Calendar().Height() > client.cy - window->ToolBar().Height();
            EXPECT_EQ((bars & WS_HSCROLL) != 0, tooWide) << columns;
            EXPECT_EQ((bars & WS_VSCROLL) != 0, tooTall) << columns;
        }
    }
}

TEST_F(MainWindow, ViewTogglesFlipTheirMarksAndTheWindow) {
    const SIZE before = Client();
    Run(Command::ShowToolbar);
    EXPECT_FALSE(window->IsChecked(Command::ShowToolbar));
    EXPECT_FALSE(IsWindowVisible(window->ToolBar().hwnd()));
    EXPECT_EQ(Client().cy, window->Calendar().Height());
    Run(Command::ShowToolbar);
    EXPECT_TRUE(IsWindowVisible(window->ToolBar().hwnd()));
    EXPECT_EQ(Client().cy, before.cy);

    const int width = window->Calendar().Width();
    Run(Command::ShowWeekNumbers);
    EXPECT_TRUE(window->IsChecked(Command::ShowWeekNumbers));
    EXPECT_TRUE(window->Calendar().WeekNumbers());
    EXPECT_GT(window->Calendar().Width(), width);
    Run(Command::ShowWeekNumbers);
    EXPECT_FALSE(window->Calendar().WeekNumbers());
    EXPECT_EQ(window->Calendar().Width(), width);

    {
        // Wine 8 leaves WS_EX_TOPMOST off a window that owns a topmost popup
        // (the toolbar's tooltip); what the window asked for is checked instead.
        test::TopmostRequests topmost(window->hwnd());
        Run(Command::AlwaysOnTop);
        EXPECT_TRUE(window->IsChecked(Command::AlwaysOnTop));
        EXPECT_TRUE(topmost.lastWasRaise());
        if (!test::RunningOnWine()) {
            EXPECT_TRUE(GetWindowLongPtrW(window->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        }
        Run(Command::AlwaysOnTop);
        EXPECT_EQ(topmost.requests, (std::vector<bool>{true, false}));
        EXPECT_FALSE(GetWindowLongPtrW(window->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    }

    // The record keeps its values: only a confirmed options dialog changes it.
    EXPECT_EQ(window->State().Settings.ColumnsIndex, 3);
    EXPECT_FALSE(window->State().Settings.WeekNumbers);
}

TEST_F(MainWindow, MidnightFollowsTheSelectionOnlyWhenItWasOnToday) {
    // Selection on today: on New Year's Day the calendar moves to the new today.
    clock.now = D(2026, 12, 31) + 0.99;
    window->ShowYear(kTodayYear);
    window->State().TodayAtLastCheck = D(2026, 12, 31);
    window->TimerTick();
    EXPECT_EQ(YearBox(), 2026);
    clock.now = D(2027, 1, 1) + 0.0001;
    window->TimerTick();
    EXPECT_EQ(YearBox(), 2027);
    EXPECT_EQ(window->State().CurrentYear, 2027);
    EXPECT_EQ(window->State().CurrentMonth, 1);
    EXPECT_EQ(DateOf(window->Calendar().Date()), D(2027, 1, 1));
    EXPECT_EQ(window->State().TodayAtLastCheck, D(2027, 1, 1));

    // Selection elsewhere: it stays where the user put it.
    window->Calendar().SetDate(D(2027, 5, 5));
    window->UpdateSelectedDate();
    clock.now = D(2027, 1, 2) + 0.0001;
    window->TimerTick();
    EXPECT_EQ(DateOf(window->Calendar().Date()), D(2027, 5, 5));
    EXPECT_EQ(YearBox(), 2027);
    EXPECT_EQ(window->State().TodayAtLastCheck, D(2027, 1, 2));
}

TEST_F(MainWindow, SelectionCrossingIntoTheNextYearTakesTheYearBoxAlong) {
    window->Calendar().SetDate(D(2026, 5, 17));
    window->UpdateSelectedDate();
    window->Calendar().SetDate(D(2027, 1, 1));
    window->UpdateSelectedDate();
    EXPECT_EQ(YearBox(), 2027);
    EXPECT_EQ(DateOf(window->Calendar().Date()), D(2027, 5, 17));
    EXPECT_FALSE(window->Calendar().ExplicitSelect());
}

TEST_F(MainWindow, CloseBoxHidesAndExitEndsTheLoop) {
    SendMessageW(window->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    EXPECT_TRUE(IsWindow(window->hwnd()));
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(Command::Exit), 0), 0);
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

using MainWindowSettings = test::MainWindowFixture;

TEST_F(MainWindowSettings, StoredSettingsAreAppliedAtCreation) {
    registry.PutDword(L"Columns", 1);  // two columns
    registry.PutDword(L"Week numbers", 1);
    registry.PutDword(L"Toolbar", 0);
    registry.PutDword(L"Multiple day selection", 1);
    registry.PutDword(L"First month", 7);
    Create();
    EXPECT_EQ(window->Calendar().Columns(), 2);
    EXPECT_TRUE(window->IsChecked(Command::Columns2));
    EXPECT_TRUE(window->IsChecked(Command::ShowWeekNumbers));
    EXPECT_TRUE(window->Calendar().WeekNumbers());
    EXPECT_FALSE(window->IsChecked(Command::ShowToolbar));
    EXPECT_TRUE(window->Calendar().MultiSelect());
    // Created on the current year: July 2026 .. June 2027; the remembered
    // 10 March lies before it, so the first day is selected.
    SYSTEMTIME shown[2] = {};
    SendMessageW(window->Calendar().hwnd(), MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(shown[0].wYear, 2026);
    EXPECT_EQ(shown[0].wMonth, 7);
    EXPECT_EQ(DateOf(window->Calendar().Date()), EncodeDate(2026, 7, 1));
    // Shown, it goes to today: March lies before July, so July 2025 .. June 2026.
    ShowWindow(window->hwnd(), SW_SHOW);
    SendMessageW(window->Calendar().hwnd(), MCM_GETMONTHRANGE, GMR_VISIBLE, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(shown[0].wYear, 2025);
    EXPECT_EQ(shown[0].wMonth, 7);
    EXPECT_EQ(shown[1].wYear, 2026);
    EXPECT_EQ(shown[1].wMonth, 6);
    EXPECT_EQ(DateOf(window->Calendar().Date()), EncodeDate(2026, 3, 10));

    // A three-day range shows its length.
    window->Calendar().SetDate(EncodeDate(2026, 3, 10));
    window->Calendar().SetEndDate(EncodeDate(2026, 3, 12));
    window->UpdateSelectedDate();
    EXPECT_EQ(window->ToolBar().edSelectedDate.Text(), L"(3 days)");
}

TEST_F(MainWindowSettings, QuietBorderlessStartFlashesOnceAndHidesWhenIdle) {
    registry.PutDword(L"Show only calendar", 1);
    Application& app = Application::instance();
    app.showMainWindow = false;
    Create();
    EXPECT_TRUE(app.showMainWindow);
    EXPECT_TRUE(app.hasIdleHandler());
    EXPECT_EQ(GetMenu(window->hwnd()), nullptr);
    EXPECT_FALSE(GetWindowLongPtrW(window->hwnd(), GWL_STYLE) & WS_CAPTION);
    ShowWindow(window->hwnd(), SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(window->hwnd()));
    app.processMessages();
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    EXPECT_TRUE(window->State().HiddenOnce);
    EXPECT_FALSE(app.hasIdleHandler());
}

TEST_F(MainWindowSettings, WithoutTheQuietSwitchTheBorderlessWindowStaysShown) {
    registry.PutDword(L"Show only calendar", 1);
    Create();
    EXPECT_FALSE(Application::instance().hasIdleHandler());
    ShowWindow(window->hwnd(), SW_SHOW);
    Application::instance().processMessages();
    EXPECT_TRUE(IsWindowVisible(window->hwnd()));
}

TEST_F(MainWindowSettings, BorderlessCalendarKeysStandInForTheMissingMenu) {
    registry.PutDword(L"Show only calendar", 1);
    Create();
    ShowWindow(window->hwnd(), SW_SHOW);
    Pump();
    HWND calendar = window->Calendar().hwnd();
    SendMessageW(calendar, WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    // Alt+X: the key's release arrives as a system key while Alt is held.
    SendMessageW(calendar, WM_SYSKEYUP, 'X', 1 << 29);
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MainWindowSettings, EscClosesTheFramedWindowOnlyWhenChosen) {
    registry.PutDword(L"Close on Escape", 1);
    Create();
    wchar_t text[64] = {};
    GetMenuStringW(window->MainMenu(), static_cast<UINT>(Command::CloseWindow), text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"&Close window\tEsc");
    ShowWindow(window->hwnd(), SW_SHOW);
    Pump();
    // A framed window ignores Esc's release in the calendar: the shortcut does the work.
    SendMessageW(window->Calendar().hwnd(), WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_TRUE(IsWindowVisible(window->hwnd()));
    ACCEL table[64];
    const int n = CopyAcceleratorTableW(window->Accelerators(), table, 64);
    bool hasEsc = false;
    for (int i = 0; i < n; ++i) hasEsc |= table[i].key == VK_ESCAPE && table[i].cmd == static_cast<WORD>(Command::CloseWindow);
    EXPECT_TRUE(hasEsc);
}

}  // namespace
}  // namespace kiv
