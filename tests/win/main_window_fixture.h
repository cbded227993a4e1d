// A shown main window on the test's clock and registry root, and the little
// the tests do with it.
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
        Application::instance().showMainWindow = true;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
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
    int YearBox() { return window->ToolBar().edYear.Number(); }
    std::wstring SelectedBox() { return window->ToolBar().edSelectedDate.Text(); }
    SIZE Client() {
        RECT rc;
        GetClientRect(window->hwnd(), &rc);
        return {rc.right, rc.bottom};
    }
    static bool QuitPosted() {
        MSG msg;
        return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
    }

    RegistryRedirect registry;
    FakeClock clock;
    std::unique_ptr<TfMain_calendar> window;
};

}  // namespace kiv::test
