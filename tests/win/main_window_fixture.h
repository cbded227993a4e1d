// The main window shown in this process on a clock the test sets, and its
// commands run as the menu runs them.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/main_window_win.h"
#include "tests/win/test_support_win.h"
#include "widgets/application_win.h"

namespace kiv::test {

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override { Start(); }
    void TearDown() override {
        window.reset();
        Application::instance().setIdleHandler(nullptr);
    }
    void Start() {
        window = std::make_unique<TfMain_calendar>(clock);
        window->Create();
        ShowWindow(window->hwnd(), SW_SHOW);
        Pump();
    }
    void Run(Command c) {
        SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(c), 0), 0);
        Pump();
    }
    SIZE Client() {
        RECT rc;
        GetClientRect(window->hwnd(), &rc);
        return {rc.right, rc.bottom};
    }

    FakeClock clock;
    std::unique_ptr<TfMain_calendar> window;
};

// The same on a registry root of the test's own, leaving no quit request behind.
class MainWindowInOwnRegistry : public MainWindowTest {
protected:
    void TearDown() override {
        MainWindowTest::TearDown();
        Application::instance().showMainWindow = true;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    int YearBox() { return window->ToolBar().edYear.Number(); }
    std::wstring SelectedBox() { return window->ToolBar().edSelectedDate.Text(); }
    static bool QuitPosted() {
        MSG msg;
        return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
    }

    RegistryRedirect registry;  // set up before the window is made, in SetUp
};

}  // namespace kiv::test
