// The main window and the system around it: a close or the end of the
// session sent from outside, an exit during a box, the keyboard moving
// between the controls, a change of the system colours, and set-up calls
// that fail.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "app/main_window_win.h"
#include "tests/win/import_patch_win.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/test_support_win.h"
#include "widgets/application_win.h"

namespace kiv {
namespace {

using test::BoxRecorder;
using test::FakeClock;
using test::Pump;
using test::RegistryRedirect;
using MainWindowSystem = test::MainWindowTest;

TEST_F(MainWindowSystem, CloseFromOutsideHidesAndOnlyTheEndOfTheSessionEndsTheLoop) {
    HWND h = window->hwnd();
    SendMessageW(h, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(h));
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_FALSE(QuitPosted());

    EXPECT_TRUE(SendMessageW(h, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP));
    SendMessageW(h, WM_ENDSESSION, FALSE, 0);  // someone cancelled the log-off
    EXPECT_TRUE(IsWindow(h));
    EXPECT_FALSE(QuitPosted());

    SendMessageW(h, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_TRUE(QuitPosted());
}

TEST_F(MainWindowSystem, TheLoopEndsWhenTheWindowGoesButNotWhenTheObjectDoes) {
    window.reset();
    EXPECT_FALSE(QuitPosted());
    Start();
    DestroyWindow(window->hwnd());
    EXPECT_EQ(window->hwnd(), nullptr);
    EXPECT_TRUE(QuitPosted());
}

HWND g_exitTarget = nullptr;

// The tray menu's Exit, chosen while a box of the window is open.
void CALLBACK ExitFromOutside(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    PostMessageW(g_exitTarget, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(Command::Exit), 0), 0);
}

TEST_F(MainWindowSystem, ExitWhileTheGoToYearBoxIsOpenEndsWithoutShowingAYear) {
    BoxRecorder boxes;
    g_exitTarget = window->hwnd();
    SetTimer(nullptr, 0, 100, &ExitFromOutside);
    Run(Command::GoToYear);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(YearBox(), 2026);
    EXPECT_TRUE(QuitPosted());
}

// A key pressed and released as the message loop receives it.
void PressKey(WORD key, bool shift = false) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    Application::instance().processMessages();
    state[VK_SHIFT] = 0;
    SetKeyboardState(state);
}

TEST_F(MainWindowSystem, TabMovesBetweenTheYearBoxTheGoButtonAndTheCalendar) {
    const HWND yearBox = window->ToolBar().edYear.hwnd();
    const HWND goButton = window->ToolBar().hwnd();  // the bar with the go button marked
    const HWND calendar = window->Calendar().hwnd();
    SetFocus(yearBox);
    const struct {
        bool shift;
        HWND focus;
    } steps[] = {{false, goButton}, {false, calendar}, {false, yearBox},
                 {true, calendar},  {true, goButton},  {true, yearBox}};
    for (const auto& step : steps) {
        PressKey(VK_TAB, step.shift);
        EXPECT_EQ(GetFocus(), step.focus) << (step.shift ? "Shift+Tab" : "Tab");
    }
    // Marked from the keyboard, the go button is unmarked by a click elsewhere.
    PressKey(VK_TAB);
    SetFocus(calendar);
    EXPECT_EQ(SendMessageW(goButton, TB_GETHOTITEM, 0, 0), -1);

    // Enter in the year box still goes to the year; so does Enter on the go button.
    SetFocus(yearBox);
    window->ToolBar().edYear.SetText(L"2031");
    PressKey(VK_RETURN);
    EXPECT_EQ(DateOf(window->Calendar().Date()), EncodeDate(2031, 3, 10));
    window->ToolBar().edYear.SetText(L"1999");
    PressKey(VK_TAB);
    ASSERT_EQ(GetFocus(), goButton);
    PressKey(VK_RETURN);
    EXPECT_EQ(DateOf(window->Calendar().Date()), EncodeDate(1999, 3, 10));
}

TEST_F(MainWindowSystem, ASystemColourChangeReachesTheCalendar) {
    // The calendar's background is the application-workspace colour.
    const int index = COLOR_APPWORKSPACE;
    const COLORREF before = GetSysColor(index);
    const COLORREF changed = before == RGB(20, 140, 60) ? RGB(140, 20, 60) : RGB(20, 140, 60);
    struct Restore {
        COLORREF colour;
        ~Restore() {
            const int i = COLOR_APPWORKSPACE;
            SetSysColors(1, &i, &colour);
            Pump();
        }
    } restore{before};
    ASSERT_TRUE(SetSysColors(1, &index, &changed));
    Pump();
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(window->Calendar().hwnd(), MCM_GETCOLOR, MCSC_BACKGROUND, 0)),
              changed);
}

UINT_PTR WINAPI NoTimer(HWND, UINT_PTR, UINT, TIMERPROC) { return 0; }
HACCEL WINAPI NoAccelerators(LPACCEL, int) { return nullptr; }
HMENU WINAPI NoPopupMenu() { return nullptr; }

TEST(MainWindowSetUp, AFailingSystemCallIsReportedNotLost) {
    const struct {
        const char* function;
        void* standIn;
    } failures[] = {
        {"SetTimer", reinterpret_cast<void*>(&NoTimer)},
        {"CreateAcceleratorTableW", reinterpret_cast<void*>(&NoAccelerators)},
        {"CreatePopupMenu", reinterpret_cast<void*>(&NoPopupMenu)},
    };
    RegistryRedirect registry;
    FakeClock clock;
    for (const auto& failure : failures) {
        BoxRecorder boxes;
        TfMain_calendar window(clock);
        bool thrown = false;
        {
            test::ImportPatch patch("user32.dll", failure.function, failure.standIn);
            ASSERT_TRUE(patch.active()) << failure.function;
            try {
                window.Create();
            } catch (const std::runtime_error&) {
                thrown = true;  // the program shows it in its error box
            }
        }
        EXPECT_TRUE(thrown || !boxes.boxes.empty()) << failure.function << " failed unnoticed";
    }
    Application::instance().setIdleHandler(nullptr);
}

}  // namespace
}  // namespace kiv
